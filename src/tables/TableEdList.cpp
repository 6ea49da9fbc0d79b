#include "tables/TableEdList.h"

#include "extraction/UserEdList.h"
#include "geography/FinalWardSelection.h"

EdList tableEdList(AreaTables& areas, bool useUserEdList, const std::string& edListFile)
{
    if (!useUserEdList) {
        finalWardSelection(areas);
        return EdList::fromAreaSelection(areas);
    }
    std::vector<std::string> codes = readUserEdList(edListFile);
    for (std::string& code : codes)
        code = edCodeKey(code);
    return EdList::fromUserList(std::move(codes));
}
