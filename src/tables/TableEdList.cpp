#include "tables/TableEdList.h"

#include "base/DataFolders.h"
#include "extraction/UserEdList.h"
#include "geography/EdCode.h"
#include "geography/FinalWardSelection.h"

TableEds tableEdList(AreaTables& areas, const DataFolders& folders, bool useUserEdList, const std::string& edListFile)
{
    if (!useUserEdList) {
        finalWardSelection(areas);
        return { EdList::fromAreaSelection(areas), 0 };
    }
    std::vector<std::string> codes = readUserEdList(edListFile);
    std::size_t withoutFile = 0;
    for (std::string& code : codes) {
        code = edCodeKey(code);
        std::optional<std::string> path = householdFilePath(folders.populationDataFolder, code);
        withoutFile += path && regularFileExists(*path) ? 0 : 1;
    }
    return { EdList::fromUserList(std::move(codes)), withoutFile };
}
