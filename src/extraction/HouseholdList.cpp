#include "extraction/HouseholdList.h"

#include "textio/FieldReader.h"

void HouseholdList::read(const std::string& path)
{
    m_count = 0;
    FieldReader reader = FieldReader::open(path);
    while (!reader.atEnd()) {
        if (m_count == kMaxHouseholdsPerEd) {
            reader.readText("");
            reader.fail(
                "expected at most " + std::to_string(kMaxHouseholdsPerEd) + " household record numbers, found more");
        }
        m_rows[static_cast<std::size_t>(m_count)] = static_cast<std::int32_t>(reader.readIntegerDescribed(
            [&] { return "household record number " + std::to_string(m_count + 1); }, 1, kNumSarHouseholds));
        ++m_count;
    }
}
