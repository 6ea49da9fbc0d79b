#pragma once

#include "window/StartupDialogs.h"

/// The start-up offer as a message box, the folder chooser as the system's folder
/// dialog and the demo data writing behind a busy progress display.
class MessageBoxStartupDialogs : public StartupDialogs {
public:
    Answer offer(const std::string& report, const std::string& demoFolder) override;
    std::optional<std::string> chooseFolder() override;
    void writeWithProgress(const std::string& folder, const std::function<void()>& work) override;
};
