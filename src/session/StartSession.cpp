#include "session/StartSession.h"

#include "geography/AreaCascade.h"
#include "session/ApplicationState.h"
#include "variables/VariableCatalogue.h"

CurrentSettings startingSettings(const std::string& base)
{
    CurrentSettings settings;
    settings.outputFolder = base + "/Zen91";
    settings.rootFileName = "Zen91";
    settings.edListFile = base + "/EDlist.txt";
    settings.separateFiles = true;
    return settings;
}

void startSession(ApplicationState& state, AreaCascade& areaLists, ListBox& hhVars, ListBox& indVars)
{
    areaLists.buildLists();
    state.settings = startingSettings(state.folders.baseFolder);
    fillVariableLists(state.variables, hhVars, indVars);
    setDefaultVars(state.variables, hhVars, indVars);
}
