#pragma once

#include <stdexcept>

/// A bad option or value on a program's command line: exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
