// bench_extract_data DIR: a full-sized data set for the extraction benchmarks when
// the demo data set is not at hand: 11499 wards of 7 to 35 EDs (some with lettered
// parts), about 115,000 per-ED household files of 150 households each, the sample
// ward's files, and SAR records with values of realistic widths.

#include "shell/FixedSizes.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int kWardsPerDistrict = 24;
constexpr int kHouseholdsPerEd = 150;

std::string twoDigits(int n)
{
    std::string text = std::to_string(n);
    return n < 10 ? text.insert(0, 1, '0') : text;
}

std::string letters(int n)
{
    return {static_cast<char>('A' + (n / 26) % 26), static_cast<char>('A' + n % 26)};
}

int districtOf(int w)
{
    return std::min((w - 1) / kWardsPerDistrict + 1, int{kNumDistricts});
}

int edCount(int w)
{
    return w % 50 == 0 ? 35 : 7 + w % 7;
}

int partCount(int w)
{
    return w % 97 == 0 ? 2 : 0;
}

std::string wardCode(int w)
{
    int d = districtOf(w);
    return twoDigits(d % 68) + letters(d + 26) + letters(w % 676);
}

void writeFile(const fs::path& path, const std::string& text)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0)
        throw std::runtime_error("cannot write " + path.string());
}

std::string householdList(std::mt19937& random)
{
    std::string text;
    for (int i = 1; i <= kHouseholdsPerEd; ++i)
        text += std::to_string(random() % kNumSarHouseholds + 1) + (i % 15 == 0 ? "\r\n" : ",");
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_extract_data DIR\n");
        return 2;
    }
    const fs::path base = argv[1];
    std::mt19937 random(91);
    fs::create_directories(base / "ProgramData");
    fs::create_directories(base / "SARData");
    fs::create_directories(base / "Zen91Data");

    auto names = [&](const char* file, int count, const char* stem) {
        std::string text;
        for (int i = 1; i <= count; ++i)
            text += std::string(stem) + " " + std::to_string(i) + "\r\n";
        writeFile(base / "ProgramData" / file, text);
    };
    names("County_Names.dat", kNumCounties, "County");
    names("District_Names.dat", kNumDistricts, "District");
    names("Ward_Names.dat", kNumWards, "Ward");
    std::string codes;
    for (int w = 1; w <= kNumWards; ++w)
        codes += wardCode(w) + "\r\n";
    writeFile(base / "ProgramData/Ward_Codes.dat", codes);

    auto map = [&](const char* file, int first, int last, auto values) {
        std::string text = "\"Map\"\r\n";
        for (int k = first; k <= last; ++k)
            text += std::to_string(k) + "," + values(k) + "\r\n";
        writeFile(base / "ProgramData" / file, text);
    };
    map("Region2CountryMap.dat", 1, kNumRegions, [](int r) { return std::to_string(r <= 10 ? 1 : r - 9); });
    map("County2RegionMap.dat", 1, kNumCounties, [](int k) { return std::to_string((k - 1) % 13 + 1); });
    map("ONSCounty2RegionMap.dat", 0, 67, [](int n) { return std::to_string(n == 0 ? 13 : (n - 1) % 12 + 1); });
    map("District2CountyMap.dat", 1, kNumDistricts, [](int d) { return std::to_string((d - 1) % 68 + 1); });
    map("District2WardMap.dat", 1, kNumDistricts, [](int d) {
        int first = (d - 1) * kWardsPerDistrict + 1;
        int last = d == kNumDistricts ? kNumWards : std::min(d * kWardsPerDistrict, int{kNumWards});
        if (first > kNumWards)
            return std::to_string(kNumWards) + "," + std::to_string(kNumWards - 1);
        return std::to_string(first) + "," + std::to_string(last);
    });
    map("Ward2DistrictMap.dat", 1, kNumWards, [](int w) { return std::to_string(districtOf(w)); });
    map("EDs2WardMap.dat", 1, kNumWards, [](int w) {
        int eds = edCount(w) * (partCount(w) ? partCount(w) : 1);
        return std::to_string(edCount(w)) + "," + std::to_string(partCount(w)) + "," + std::to_string(eds * 377) + ","
            + std::to_string(eds * kHouseholdsPerEd);
    });

    std::string variables = "\"Household\"\r\n";
    const int hhWidths[] = {1, 4, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 4, 4};
    for (int r = 0; r <= kNumHhVars; ++r)
        variables += std::to_string(r) + "," + std::to_string(hhWidths[r]) + "\r\n";
    variables += "\"Individual\"\r\n";
    for (int r = 0; r <= kNumIndVars; ++r)
        variables += std::to_string(r) + "," + std::to_string(r == 3 ? 2 : 2) + "\r\n";
    writeFile(base / "ProgramData/VariableMap.dat", variables);

    std::string households;
    std::string persons;
    int person = 1;
    for (int h = 1; h <= kNumSarHouseholds; ++h) {
        int size = h <= 514 ? 3 : 2;
        households += std::to_string(h);
        for (int j = 2; j <= 13; ++j)
            (households += ',') += std::to_string(j == 10 ? size : static_cast<int>(random() % (j == 11 ? 9 : 4)) + 1);
        (households += ',') += std::to_string(person);
        (households += ',') += std::to_string(person + size - 1);
        households += "\r\n";
        for (int i = 0; i < size; ++i, ++person) {
            persons += std::to_string(h) + "," + std::to_string(person) + "," + std::to_string(random() % 96);
            for (int j = 4; j <= kNumIndVars; ++j)
                (persons += ',') += std::to_string(random() % (j % 3 == 0 ? 99 : 9) + 1);
            persons += "\r\n";
        }
    }
    writeFile(base / "SARData/HHSAR.dat", households);
    writeFile(base / "SARData/IndSAR.dat", persons);

    for (int w = 1; w <= kNumWards; ++w) {
        const std::string code = wardCode(w);
        fs::path folder = base / "Zen91Data" / code.substr(2, 2);
        fs::create_directories(folder);
        for (int e = 1; e <= edCount(w); ++e)
            for (int k = partCount(w) ? 1 : 0; k <= partCount(w); ++k)
                writeFile(folder / (code + twoDigits(e) + (k ? std::string(1, static_cast<char>('A' + k - 1)) : "") + ".res"),
                          householdList(random));
    }
    fs::create_directories(base / "Zen91Data/BY");
    for (int n = 1; n <= 30; ++n)
        for (int k = 0; k <= 5; ++k)
            writeFile(base / "Zen91Data/BY" / ("04BYFA" + twoDigits(n) + (k ? std::string(1, static_cast<char>('A' + k - 1)) : "") + ".res"),
                      householdList(random));
    return 0;
}
