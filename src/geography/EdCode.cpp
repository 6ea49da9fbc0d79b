#include "geography/EdCode.h"

#include <algorithm>

namespace {

constexpr std::size_t kDistrictLettersAt = 2;
constexpr std::size_t kDistrictLetters = 2;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isAsciiAlnum(char c)
{
    return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

std::string edCode(std::string_view wardCode, int edNumber, int partIndex)
{
    std::string code(wardCode);
    if (edNumber < 10)
        code += '0';
    code += std::to_string(edNumber);
    if (partIndex >= 1)
        code += static_cast<char>('A' + partIndex - 1);
    return code;
}

int censusCountyNumber(std::string_view code)
{
    if (code.size() < 2)
        return -1;
    if (code[0] == 'N' && code[1] == 'I')
        return 0;
    if (!isDigit(code[0]) || !isDigit(code[1]))
        return -1;
    return (code[0] - '0') * 10 + (code[1] - '0');
}

bool isSafeEdCode(std::string_view code)
{
    return std::all_of(code.begin(), code.end(), isAsciiAlnum);
}

std::string_view districtLetters(std::string_view code)
{
    return code.substr(kDistrictLettersAt, kDistrictLetters);
}

std::string districtFolderPath(const std::string& populationFolder, std::string_view code)
{
    std::string path = populationFolder;
    path += districtLetters(code);
    path += '/';
    return path;
}

std::optional<std::string> householdFilePath(const std::string& populationFolder, std::string_view code)
{
    if (code.size() < kDistrictLettersAt + kDistrictLetters || !isSafeEdCode(code))
        return std::nullopt;
    std::string path = districtFolderPath(populationFolder, code);
    path += code;
    path += ".res";
    return path;
}
