#include "demodata/HouseholdFiles.h"

#include "demodata/SplitMix64.h"

#include "base/FixedSizes.h"
#include "geography/EdCode.h"
#include "textio/DataFileError.h"
#include "textio/LineWriter.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr std::uint64_t kSeed = 0x52455346494C4553ULL;
constexpr int kValuesPerLine = 10;
// The Northern Ireland ward's third ED has no households: an empty file.
constexpr int kEmptyEd = 3;

const DemoWard& wardAt(const DemoGeography& g, int w)
{
    return g.wards[static_cast<std::size_t>(w)];
}

/// Splits `total` into shares of the given weights; the shares add up exactly.
std::vector<int> split(int total, const std::vector<int>& weights)
{
    long weightTotal = 0;
    for (int weight : weights)
        weightTotal += weight;
    std::vector<int> shares;
    long cumulative = 0;
    for (int weight : weights) {
        long before = weightTotal == 0 ? 0 : total * cumulative / weightTotal;
        cumulative += weight;
        long after = weightTotal == 0 ? 0 : total * cumulative / weightTotal;
        shares.push_back(static_cast<int>(after - before));
    }
    return shares;
}

void makeFolder(const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error)
        throw DataFileError::io(path, "cannot create folder", error.value());
}

} // namespace

std::vector<HouseholdFileSpec> householdFilesOfWard(const DemoGeography& g, int w)
{
    const DemoWard& ward = wardAt(g, w);
    SplitMix64 rng = SplitMix64::stream(kSeed, static_cast<std::uint64_t>(w));
    std::vector<HouseholdFileSpec> files;
    std::vector<int> weights;
    for (int e = 1; e <= ward.eds; ++e) {
        for (int k = ward.parts == 0 ? 0 : 1; k <= ward.parts; ++k) {
            files.push_back({ edCode(ward.code, e, k), 0 });
            weights.push_back(w == g.niWard && e == kEmptyEd ? 0 : rng.between(75, 125));
        }
    }
    std::vector<int> shares = split(ward.households, weights);
    for (std::size_t i = 0; i < files.size(); ++i)
        files[i].households = std::min(shares[i], static_cast<int>(kMaxHouseholdsPerEd));

    if (w == g.sampleWard) {
        // A lettered part holds about a third of an ED, as in the divided wards.
        int perPart = ward.households / kSampleWardEds / 3;
        for (int e = 1; e <= kSampleWardEds; ++e)
            for (int k = 1; k <= kSampleWardParts; ++k)
                files.push_back({ edCode(ward.code, e, k), rng.between(perPart * 3 / 4, perPart * 5 / 4) });
    }
    return files;
}

int writeHouseholdFiles(const DemoGeography& g, int w, const std::string& populationFolder)
{
    const DemoWard& ward = wardAt(g, w);
    makeFolder(districtFolderPath(populationFolder, ward.code));
    std::vector<HouseholdFileSpec> files = householdFilesOfWard(g, w);
    SplitMix64 rng = SplitMix64::stream(kSeed + 1, static_cast<std::uint64_t>(w));
    for (const HouseholdFileSpec& file : files) {
        // The largest file (1000 values) fits the buffer, so each is one write.
        LineWriter out(*householdFilePath(populationFolder, file.code), 8192);
        for (int i = 0; i < file.households; ++i) {
            out.appendInteger(rng.between(1, kNumSarHouseholds));
            if ((i + 1) % kValuesPerLine == 0 || i + 1 == file.households)
                out.endLine();
            else
                out.put(',');
        }
        out.close();
    }
    return static_cast<int>(files.size());
}

std::vector<std::string> defaultEdList(const DemoGeography& g)
{
    const std::string& sample = wardAt(g, g.sampleWard).code;
    const std::string& ni = wardAt(g, g.niWard).code;
    const std::string& lettered = wardAt(g, g.letteredWard).code;
    const std::string& large = wardAt(g, g.largeWard).code;
    return {
        edCode(sample, 1, 0),
        edCode(sample, 12, 0),
        edCode(ni, 1, 0),
        edCode(ni, kEmptyEd, 0),
        edCode(lettered, 1, 1),
        edCode(lettered, 2, 7),
        edCode(large, 7, 0),
        edCode(large, 104, 0),
        edCode(sample, 1, 0),
        // Beyond the sample ward's EDs, so no file exists for this one in any set.
        edCode(sample, 99, 0),
        sample.substr(2) + "01",
    };
}
