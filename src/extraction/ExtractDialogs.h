#pragma once

struct ExtractMessage;

/// The message boxes of the Extract command. The window answers with real message
/// boxes, the command-line tool with its defaults, tests from a script.
class ExtractDialogs {
public:
    virtual ~ExtractDialogs() = default;
    /// A Yes/No question (Yes is the default); true for Yes.
    virtual bool askYesNo(const ExtractMessage& message) = 0;
    /// A Yes/No question whose default is No, for a step that could lose data or
    /// fill a disk; true for Yes.
    virtual bool askYesNoDefaultNo(const ExtractMessage& message) = 0;
    /// A message with only an OK button.
    virtual void inform(const ExtractMessage& message) = 0;
};
