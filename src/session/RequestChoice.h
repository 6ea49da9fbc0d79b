#pragma once

#include "request/SavedRequest.h"

#include <stdexcept>
#include <string>
#include <vector>

class ListBox;
struct ApplicationState;
struct AreaTables;
struct DataFolders;
struct VariableCatalogue;

/// A saved request that does not fit this data set: an unknown area or variable,
/// named, with the closest known names where there are any.
class RequestMismatch : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Sets the area flags as `record` says: a level with members listed is in
/// individual choice with exactly those chosen (each by code or name, as
/// recordedMembers finds them; a key shared by several members chooses each), the
/// others in "All" mode. Checks every member before changing anything.
void applyAreaRecord(AreaTables& areas, const AreaChoiceRecord& record);

/// Selects exactly the rows 1..N of the two variable lists whose variables the
/// choices name (row 0 keeps its state). Checks every name before changing anything.
void selectRequestVariables(
    const VariableCatalogue& catalogue, ListBox& hhList, ListBox& indList, const RequestChoices& choices);

/// Lays a saved request over the program state, for the window and the command
/// alike: the area flags as it records them, the variable lists' rows, and the
/// process's generator put back where it stood before the recorded run (a fresh
/// one, moved on by as many draws). Checks every area and variable first and
/// changes nothing when one is unknown (RequestMismatch).
void applyRequest(const SavedRequest& request, ApplicationState& state, ListBox& hhList, ListBox& indList);

/// What differs from what `request` records, one note per line, so that a re-run
/// can say why its output may differ: the ED list's content (unless the file is gone:
/// the extraction reports that itself) and, when it has a run record, the reference
/// files of `folders`.
std::vector<std::string> requestDifferences(const SavedRequest& request, const DataFolders& folders);

/// Up to three of `known` that look like `name`: the same text in any case, then
/// those starting with its first three characters, then those containing it.
std::vector<std::string> similarNames(const std::string& name, const std::vector<std::string>& known);
