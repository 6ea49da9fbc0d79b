#pragma once

#include <string>

/// The output and ED-list settings, kept equal to their controls in the window.
struct CurrentSettings {
    std::string outputFolder;
    std::string rootFileName;
    std::string edListFile;
    bool separateFiles = true;
};
