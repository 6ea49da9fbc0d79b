#pragma once

#include "extraction/ExtractDialogs.h"
#include "extraction/ExtractMessage.h"

#include <map>
#include <string>
#include <vector>

/// Answers each question as scripted for its message and `otherwise` when the
/// script does not name it; records every message shown.
class ScriptedDialogs : public ExtractDialogs {
public:
    bool askYesNo(const ExtractMessage& message) override;
    bool askYesNoDefaultNo(const ExtractMessage& message) override { return askYesNo(message); }
    void inform(const ExtractMessage& message) override { shown.push_back(message); }

    /// Sets answers from "M2=Yes,M7=No".
    void script(const std::string& answers);
    /// The messages shown so far by name, blank-separated: "M2 M7 M9".
    std::string asked() const;

    std::map<MessageId, bool> answers;
    bool otherwise = true;
    std::vector<ExtractMessage> shown;
};
