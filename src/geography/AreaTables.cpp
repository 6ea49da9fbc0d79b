#include "geography/AreaTables.h"

AreaTables::Level::Level(int count)
    : names(static_cast<std::size_t>(count) + 1)
    , parents(static_cast<std::size_t>(count) + 1)
    , flags(static_cast<std::size_t>(count) + 1)
    , listPos(static_cast<std::size_t>(count) + 1)
{
}

AreaTables::AreaTables()
    : levels { Level(kNumCountries), Level(kNumRegions), Level(kNumCounties), Level(kNumDistricts), Level(kNumWards) }
    , wardCodes(kNumWards + 1)
    , district2Ward(kNumDistricts + 1)
    , eds2Ward(kNumWards + 1)
    , finalWards(kNumWards + 1)
{
}
