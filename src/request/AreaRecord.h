#pragma once

#include "geography/AreaTables.h"
#include "request/SavedRequest.h"

#include <string>
#include <vector>

class AreaDirectory;

/// The individually chosen members of each level of `areas`: by census code where the
/// level has codes and the code names that member alone, otherwise by name.
AreaChoiceRecord recordAreaChoice(const AreaTables& areas);

/// The members of `level` that a recorded `key` names: those whose code is `key` in
/// any case, or, when none has it, those named exactly `key` (files written before
/// counties and districts were recorded by code name them). Empty when none does.
std::vector<int> recordedMembers(const AreaDirectory& directory, AreaLevel level, const std::string& key);
