#include "session/ApplicationState.h"

#include "geography/AreaTablesLoader.h"
#include "session/StartupTexts.h"

#include <exception>

std::unique_ptr<ApplicationState> loadApplicationState(const DataFolders& folders)
{
    auto state = std::make_unique<ApplicationState>();
    state->folders = folders;
    state->areas = loadAreaTables(folders);
    state->variables = loadVariableCatalogue(folders);
    state->labels = loadVariableLabels(folders);
    return state;
}

StartupLoad loadAtStartup(const DataFolders& folders)
{
    StartupLoad result;
    try {
        result.state = loadApplicationState(folders);
    } catch (const std::exception& e) {
        // A DataFileError names the file and the record; anything else still gets a report.
        result.error = std::string(kStartupFailedIntro) + e.what() + kStartupFailedEnd;
    }
    return result;
}
