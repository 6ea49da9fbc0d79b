#pragma once

#include <stdexcept>

/// Thrown when the user or a signal asked a run to stop. Not a failure: the front
/// ends say the run was cancelled and that no output file was changed.
class CancelledError : public std::runtime_error {
public:
    CancelledError()
        : std::runtime_error("cancelled")
    {
    }
};
