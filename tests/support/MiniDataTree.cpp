#include "MiniDataTree.h"

#include "shell/FixedSizes.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

int districtOfWard(int w)
{
    // 344 districts of 24 wards, then 141 of 23: 344 * 24 + 141 * 23 = 11499.
    if (w <= 344 * 24)
        return (w - 1) / 24 + 1;
    return 344 + (w - 344 * 24 - 1) / 23 + 1;
}

int firstWard(int d)
{
    return d <= 344 ? (d - 1) * 24 + 1 : 344 * 24 + (d - 345) * 23 + 1;
}

int countyOfDistrict(int d) { return (d - 1) % 68 + 1; }

int regionOfCounty(int k)
{
    if (k >= 66)
        return k - 55;  // 66 -> 11, 67 -> 12, 68 -> 13
    return (k - 1) % 10 + 1;
}

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string letters(int n)
{
    return {static_cast<char>('A' + (n / 26) % 26), static_cast<char>('A' + n % 26)};
}

} // namespace

std::string miniWardCode(int w)
{
    int d = districtOfWard(w);
    int k = countyOfDistrict(d);
    std::string county = k == 68 ? "NI" : (k < 10 ? "0" : "") + std::to_string(k);
    return county + letters(d) + letters(w - firstWard(d));
}

void writeMiniDataTree(const std::string& base)
{
    namespace fs = std::filesystem;
    const std::string pd = base + "/ProgramData/";
    fs::create_directories(pd);
    fs::create_directories(base + "/SARData");
    fs::create_directories(base + "/Zen91Data");
    fs::create_directories(base + "/SARGlossary");

    std::string text;
    auto names = [&](const std::string& file, int count, const std::string& stem) {
        text.clear();
        for (int i = 1; i <= count; ++i)
            text += stem + " " + std::to_string(i) + "\r\n";
        writeText(pd + file, text);
    };
    names("County_Names.dat", kNumCounties, "County");
    names("District_Names.dat", kNumDistricts, "District");
    names("Ward_Names.dat", kNumWards, "Ward");
    text.clear();
    for (int w = 1; w <= kNumWards; ++w)
        text += miniWardCode(w) + "\r\n";
    writeText(pd + "Ward_Codes.dat", text);

    auto map = [&](const std::string& file, int first, int last, auto values) {
        text = "\"Heading\"\r\n";
        for (int i = first; i <= last; ++i)
            text += std::to_string(i) + "," + values(i) + "\r\n";
        writeText(pd + file, text);
    };
    map("Region2CountryMap.dat", 1, kNumRegions, [](int r) { return std::to_string(r <= 10 ? 1 : r - 9); });
    map("County2RegionMap.dat", 1, kNumCounties, [](int k) { return std::to_string(regionOfCounty(k)); });
    map("ONSCounty2RegionMap.dat", 0, 67,
        [](int n) { return std::to_string(n == 0 ? 13 : regionOfCounty(n)); });
    map("District2CountyMap.dat", 1, kNumDistricts, [](int d) { return std::to_string(countyOfDistrict(d)); });
    map("District2WardMap.dat", 1, kNumDistricts, [](int d) {
        int last = d == kNumDistricts ? kNumWards : firstWard(d + 1) - 1;
        return std::to_string(firstWard(d)) + "," + std::to_string(last);
    });
    map("Ward2DistrictMap.dat", 1, kNumWards, [](int w) { return std::to_string(districtOfWard(w)); });
    map("EDs2WardMap.dat", 1, kNumWards, [](int w) {
        return std::to_string(3 + w % 5) + "," + std::to_string(w % 97 == 0 ? 2 : 0) + ","
            + std::to_string(400 + w % 300) + "," + std::to_string(150 + w % 100);
    });

    text = "\"Household variables\"\r\n";
    for (int r = 0; r <= kNumHhVars; ++r)
        text += std::to_string(r) + "," + std::to_string(r == 0 ? 0 : 2) + "\r\n";
    text += "\"Individual variables\"\r\n";
    for (int r = 0; r <= kNumIndVars; ++r)
        text += std::to_string(r) + "," + std::to_string(r == 0 ? 0 : 2) + "\r\n";
    writeText(pd + "VariableMap.dat", text);

    text.clear();
    for (int h = 1; h <= kNumSarHouseholds; ++h) {
        int first = 2 * h - 1;
        int last = h == kNumSarHouseholds ? kNumSarPersons : 2 * h;
        text += std::to_string(h);
        for (int k = 2; k <= 13; ++k)
            text += "," + std::to_string((h + k) % 7);
        text += "," + std::to_string(first) + "," + std::to_string(last) + "\r\n";
    }
    writeText(base + "/SARData/HHSAR.dat", text);
    text.clear();
    for (int p = 1; p <= kNumSarPersons; ++p) {
        int h = p >= 2 * kNumSarHouseholds ? kNumSarHouseholds : (p + 1) / 2;
        text += std::to_string(h);
        for (int k = 2; k <= kNumIndVars; ++k)
            text += "," + std::to_string((p * k) % 11 - 1);
        text += "\r\n";
    }
    writeText(base + "/SARData/IndSAR.dat", text);
}
