#include "extraction/SarTables.h"

#include "base/DataFolders.h"
#include "textio/DataFileError.h"
#include "textio/FieldReader.h"

#include <string>

SarTables::SarTables(int numHouseholds, int numPersons, int hhFields, int indFields)
    : householdLines(static_cast<std::size_t>(numHouseholds) + 1)
    , m_numHouseholds(numHouseholds)
    , m_numPersons(numPersons)
    , m_hhFields(hhFields)
    , m_indFields(indFields)
    , m_households(static_cast<std::size_t>(numHouseholds + 1) * (hhFields + 1))
    , m_persons(static_cast<std::size_t>(numPersons + 1) * (indFields + 1))
{
}

std::pair<int, int> SarTables::personRange(int row) const
{
    int first = household(row, m_hhFields - 1);
    int last = household(row, m_hhFields);
    if (first < 1 || last > m_numPersons || first > last)
        throw DataFileError(householdPath, householdLines[row], 0,
            "household record " + std::to_string(row) + " gives persons " + std::to_string(first) + ".."
                + std::to_string(last) + ", expected a range within 1.." + std::to_string(m_numPersons));
    return { first, last };
}

SarTables loadSarTables(const DataFolders& folders, int numHouseholds, int numPersons, int hhFields, int indFields)
{
    SarTables tables(numHouseholds, numPersons, hhFields, indFields);
    tables.householdPath = folders.sarDataFolder + "HHSAR.dat";
    FieldReader households = FieldReader::open(tables.householdPath);
    FieldReader persons = FieldReader::open(folders.sarDataFolder + "IndSAR.dat");
    for (int i = 1; i <= numHouseholds; ++i) {
        for (int j = 1; j <= hhFields; ++j) {
            tables.household(i, j) = static_cast<std::int32_t>(households.readIntegerDescribed(
                [&] { return "field " + std::to_string(j) + " of household record " + std::to_string(i); }, INT32_MIN,
                INT32_MAX));
            if (j == 1)
                tables.householdLines[i] = households.line();
        }
    }
    for (int i = 1; i <= numPersons; ++i)
        for (int j = 1; j <= indFields; ++j)
            tables.person(i, j) = static_cast<std::int32_t>(persons.readIntegerDescribed(
                [&] { return "field " + std::to_string(j) + " of person record " + std::to_string(i); }, INT32_MIN,
                INT32_MAX));
    households.expectEnd(std::to_string(numHouseholds) + " household records");
    persons.expectEnd(std::to_string(numPersons) + " person records");
    return tables;
}
