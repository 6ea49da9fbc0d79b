#pragma once

#include "textio/DataFileError.h"

#include <gtest/gtest.h>
#include <string>

/// The message of the DataFileError that `work` throws; fails the test (and returns
/// "") when it throws none.
template <typename Work>
std::string dataFileErrorOf(Work&& work)
{
    try {
        work();
    } catch (const DataFileError& e) {
        return e.what();
    }
    ADD_FAILURE() << "no DataFileError was thrown";
    return {};
}
