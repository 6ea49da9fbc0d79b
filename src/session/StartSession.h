#pragma once

#include "base/CurrentSettings.h"

#include <string>

class AreaCascade;
class ListBox;
struct ApplicationState;

/// The settings of a fresh start in the working folder `base`: output folder
/// base/Zen91, root file name Zen91, ED list base/EDlist.txt, separate files.
CurrentSettings startingSettings(const std::string& base);

/// Brings freshly loaded state to what a fresh start shows: the area lists built
/// collapsed with every area chosen, the variable lists filled with the default
/// selection, and the starting settings. The window, zendra91-extract and the tests
/// all start here, so an extraction right after start-up is the same in each; a
/// front end with controls mirrors `state.settings` into them afterwards.
void startSession(ApplicationState& state, AreaCascade& areaLists, ListBox& hhVars, ListBox& indVars);
