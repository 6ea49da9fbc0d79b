#pragma once

#include "textio/DataFileError.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

/// The DataFileError that `work` throws; fails the test (and returns an empty
/// error) when it throws none.
template <typename Work> DataFileError dataFileErrorFrom(Work&& work)
{
    try {
        work();
    } catch (const DataFileError& e) {
        return e;
    }
    ADD_FAILURE() << "no DataFileError was thrown";
    return DataFileError("", 0, 0, "");
}

/// The message of the DataFileError that `work` throws.
template <typename Work> std::string dataFileErrorOf(Work&& work)
{
    return dataFileErrorFrom(std::forward<Work>(work)).what();
}
