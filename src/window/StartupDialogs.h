#pragma once

#include <functional>
#include <optional>
#include <string>

/// What start-up asks when the data cannot be loaded, so that tests can answer.
class StartupDialogs {
public:
    enum class Answer { Quit, ChooseFolder, CreateDemo };

    virtual ~StartupDialogs() = default;

    /// Shows the failure `report` with the offer to create the demo data set in
    /// `demoFolder`; Quit is the default.
    virtual Answer offer(const std::string& report, const std::string& demoFolder) = 0;
    /// A folder picked by the user; nothing when cancelled.
    virtual std::optional<std::string> chooseFolder() = 0;
    /// Runs `work` while showing that the demo data set is being written to
    /// `folder`; an exception from `work` passes through.
    virtual void writeWithProgress(const std::string& folder, const std::function<void()>& work) = 0;
};
