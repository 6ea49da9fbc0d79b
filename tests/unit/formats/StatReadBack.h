#pragma once

#include "formats/StatFileWriter.h"

#include <gtest/gtest.h>
#include <readstat.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

/// What ReadStat's own reader finds in a file: names, labels, value labels and
/// every value as text.
struct StatReadBack {
    std::vector<std::string> names, labels, labelSets;
    std::map<std::string, std::map<long, std::string>> valueLabels; // set -> value -> text
    std::vector<std::vector<std::string>> rows;
};

inline StatReadBack readStatFile(const std::string& path, StatFormat format)
{
    StatReadBack out;
    readstat_parser_t* parser = readstat_parser_init();
    readstat_set_variable_handler(parser, [](int, readstat_variable_t* v, const char* set, void* ctx) {
        const char* label = readstat_variable_get_label(v);
        static_cast<StatReadBack*>(ctx)->names.push_back(readstat_variable_get_name(v));
        static_cast<StatReadBack*>(ctx)->labels.push_back(label ? label : "");
        static_cast<StatReadBack*>(ctx)->labelSets.push_back(set ? set : "");
        return static_cast<int>(READSTAT_HANDLER_OK);
    });
    readstat_set_value_handler(parser, [](int row, readstat_variable_t*, readstat_value_t value, void* ctx) {
        auto& rows = static_cast<StatReadBack*>(ctx)->rows;
        rows.resize(std::max(rows.size(), static_cast<std::size_t>(row) + 1));
        const bool isText = readstat_value_type(value) == READSTAT_TYPE_STRING;
        const char* text = isText ? readstat_string_value(value) : nullptr;
        rows.back().push_back(
            isText ? std::string(text ? text : "") : std::to_string(static_cast<long>(readstat_double_value(value))));
        return static_cast<int>(READSTAT_HANDLER_OK);
    });
    readstat_set_value_label_handler(parser, [](const char* set, readstat_value_t value, const char* label, void* ctx) {
        static_cast<StatReadBack*>(ctx)->valueLabels[set][static_cast<long>(readstat_double_value(value))] = label;
        return static_cast<int>(READSTAT_HANDLER_OK);
    });
    readstat_error_t error = format == StatFormat::Stata ? readstat_parse_dta(parser, path.c_str(), &out)
                                                         : readstat_parse_sav(parser, path.c_str(), &out);
    readstat_parser_free(parser);
    EXPECT_EQ(error, READSTAT_OK) << path << ": " << readstat_error_message(error);
    return out;
}
