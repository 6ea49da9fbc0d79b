#include "ScriptedDialogs.h"

#include <algorithm>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace {

const char* const kNames[] = {"M1", "M2", "M3", "M4", "M5", "M6", "M7", "M8", "M9", "ThresholdNotANumber",
                              "ExtractionFailed", "RootNameRefused", "OutputNotAFolder", "OutputBusy", "NotEnoughSpace",
                              "Overwrite", "ExtractionCancelled", "CancelToClose",
                              "CaseSelectionRefused", "NoCaseMatched"};

} // namespace

bool ScriptedDialogs::askYesNo(const ExtractMessage& message)
{
    shown.push_back(message);
    auto it = answers.find(message.id);
    return it == answers.end() ? otherwise : it->second;
}

void ScriptedDialogs::script(const std::string& text)
{
    std::istringstream items(text);
    for (std::string item; std::getline(items, item, ',');) {
        const std::string name = item.substr(0, item.find('='));
        const auto* found = std::find(std::begin(kNames), std::end(kNames), name);
        if (found == std::end(kNames))
            throw std::invalid_argument("no message " + name);
        answers[static_cast<MessageId>(found - std::begin(kNames))] = item.ends_with("=Yes");
    }
}

std::string ScriptedDialogs::asked() const
{
    std::string names;
    for (const ExtractMessage& m : shown)
        names += (names.empty() ? "" : " ") + std::string(kNames[static_cast<int>(m.id)]);
    return names;
}
