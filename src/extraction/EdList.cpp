#include "extraction/EdList.h"

#include "geography/AreaTables.h"
#include "geography/EdCode.h"

EdList EdList::fromAreaSelection(const AreaTables& areas)
{
    EdList list;
    list.m_source = EdSource::AreaSelection;
    list.m_areas = &areas;
    for (int w = 1; w <= kNumWards; ++w)
        if (areas.finalWards[w] == 1)
            list.m_size += static_cast<std::uint64_t>(areas.eds2Ward[w][kEdCount])
                * static_cast<std::uint64_t>(areas.eds2Ward[w][kLetteredParts] + 1);
    return list;
}

EdList EdList::fromUserList(std::vector<std::string> codes)
{
    EdList list;
    list.m_source = EdSource::UserList;
    list.m_size = codes.size();
    list.m_codes = std::move(codes);
    return list;
}

bool EdList::next(EdEntry& entry)
{
    if (m_source == EdSource::UserList) {
        if (m_codeIndex >= m_codes.size())
            return false;
        entry.source = EdSource::UserList;
        entry.code = m_codes[m_codeIndex++];
        entry.wardIndex = entry.edNumber = entry.partIndex = 0;
        entry.written = true;
        return true;
    }

    const AreaTables& t = *m_areas;
    // m_ward, m_ed and m_part name the entry to produce; a ward is left once its
    // EDs are used up.
    for (;;) {
        if (m_ward == 0 || m_ed > t.eds2Ward[m_ward][kEdCount]) {
            do {
                ++m_ward;
            } while (m_ward <= kNumWards && t.finalWards[m_ward] != 1);
            if (m_ward > kNumWards) {
                m_ward = kNumWards;
                m_ed = t.eds2Ward[m_ward][kEdCount] + 1;
                return false;
            }
            m_ed = 1;
            m_part = 0;
            continue;
        }
        int parts = t.eds2Ward[m_ward][kLetteredParts];
        entry.source = EdSource::AreaSelection;
        entry.code = edCode(t.wardCodes[m_ward], m_ed, m_part);
        entry.wardIndex = m_ward;
        entry.edNumber = m_ed;
        entry.partIndex = m_part;
        entry.written = parts == 0 || m_part >= 1;
        if (++m_part > parts) {
            m_part = 0;
            ++m_ed;
        }
        return true;
    }
}
