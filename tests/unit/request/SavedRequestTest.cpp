#include "request/ReferenceDigest.h"
#include "request/SavedRequest.h"

#include "base/DataFolders.h"
#include "textio/Sha256.h"

#include "ErrorText.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

SavedRequest areaRequest()
{
    SavedRequest request;
    request.areas
        = AreaChoiceRecord { { "England" }, {}, { "Avon", "Cornwall, Isles of Scilly" }, {}, { "08BYFA", "08BYFB" } };
    request.householdVariables = { "HNUM", "Cars" };
    request.individualVariables = { "HNUM", "PNUM", "Sex" };
    request.spatialCodes = { true, false, false, false, false, true };
    request.separateFiles = false;
    request.outputFolder = "/home/u/out/";
    request.rootFileName = "Zen91 \"quoted\"";
    request.format = OutputFormat::Spss;
    request.randomDraws = 18446744073709551615ULL;
    request.caseSelection = { { { "Age", { { 65, 99 }, { -1, -1 } } }, { "tenure", { { 1, 1 }, { 2, 2 } } } }, true };
    return request;
}

SavedRequest edListRequestWithRun()
{
    SavedRequest request;
    request.edList = EdListRecord { "/home/u/EDlist.txt", std::string(64, 'a') };
    request.format = OutputFormat::Stata;
    request.run = RunRecord { "zendra91-extract", "1.0", "2024-05-01T12:34:56Z", "/data", std::string(64, 'b'), 150,
        250, 3, 1, { { "Z_hh.dta", 1234, std::string(64, 'c') }, { "Z_ind.dta", 99, "d" } }, "2024-05-01T12:30:00Z" };
    return request;
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    return text.replace(text.find(from), from.size(), to); // throws when `from` is missing
}

} // namespace

TEST(SavedRequest, RoundTripsThroughItsFile)
{
    TempDir dir;
    SavedRequest edListOnly;
    edListOnly.edList = EdListRecord {};
    for (const SavedRequest& request : { areaRequest(), edListRequestWithRun(), edListOnly }) {
        writeRequestFile(dir.file("r.json"), request);
        EXPECT_EQ(readRequestFile(dir.file("r.json")), request) << requestToJson(request);
    }
}

TEST(SavedRequest, RefusesWhatTheFormatDoesNotAllowNamingTheKey)
{
    const std::string area = requestToJson(areaRequest());
    const std::string run = requestToJson(edListRequestWithRun());
    struct Case {
        std::string text, message;
    };
    const Case cases[] = {
        { replaced(run, "\"size\": 99", "\"size\": 99, \"mode\": 1"), "key \"run.outputFiles[1].mode\": unknown key" },
        { replaced(run, "\"households\": 150", "\"households\": -1"),
            "key \"run.households\": expected a whole number" },
        { replaced(run, "12:30:00Z", "24:30:00Z"), "key \"run.fileTime\": expected a UTC time" },
        { replaced(area, "\"version\": 2", "\"version\": 3"), "key \"version\": unknown format version 3" },
        { replaced(area, "\"wholeHouseholds\"", "\"wholeHouse\": 1, \"wholeHouseholds\""),
            "key \"caseSelection.wholeHouse\": unknown key" },
        { replaced(area, "\"variable\": \"Age\"", "\"variable\": \"Age\", \"code\": 3"),
            "key \"caseSelection.conditions[0].code\": unknown key" },
        { replaced(area, "65,\n", "99.5,\n"), "key \"caseSelection.conditions[0].codes[0]\": expected a whole-number" },
        { replaced(area, "99\n", "60\n"), "key \"caseSelection.conditions[0].codes[0]\": the range [65,60] runs" },
        // Version 1 files are still read, without a case selection.
        { replaced(area, "\"version\": 2", "\"version\": 1"), "key \"caseSelection\": not part of format version 1" },
        { replaced(area, "\"format\": \"zendra91-request\"", "\"format\": \"other\""), "key \"format\": expected" },
        { replaced(area, "\"ED\"", "\"Street\""), "key \"spatialCodes[1]\": expected one of Country" },
        { replaced(run, "\"edList\": {", "\"areas\": {}, \"edList\": {"), "expected exactly one of" },
    };
    for (const Case& c : cases) {
        const std::string message = dataFileErrorOf([&] { requestFromJson(c.text, "r.json"); });
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_EQ(message.rfind("r.json", 0), 0u) << message;
    }
    // A syntax error is placed on its line.
    EXPECT_NE(
        dataFileErrorOf([] { requestFromJson("{\n\"format\":\n,", "r.json"); }).find("r.json:3:"), std::string::npos);
}

TEST(Sha256, StreamedPiecesGiveTheDigestOfTheWhole)
{
    // The standard's own test vector.
    EXPECT_EQ(Sha256::of("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // On its own thread: more pieces than may wait, each a different length, in order.
    std::string whole;
    Sha256 background;
    background.hashInBackground();
    for (int i = 0; i < 40; ++i) {
        const std::string piece(static_cast<std::size_t>(i * 997 % 5000), static_cast<char>('a' + i % 26));
        background.update(piece);
        whole += piece;
    }
    EXPECT_EQ(background.finishHex(), Sha256::of(whole));
    TempDir dir;
    EXPECT_EQ(sha256OfFile(dir.write("f", std::string(200000, 'x'))), Sha256::of(std::string(200000, 'x')));
    EXPECT_NE(dataFileErrorOf([&] { sha256OfFile(dir.file("none")); }).find(dir.file("none")), std::string::npos);
}

TEST(ReferenceDigest, ChangesWithEveryReferenceFileAndOnlyWithThem)
{
    using Files = std::vector<std::pair<const char*, const char*>>;
    auto digestOf = [](const Files& files) {
        TempDir dir;
        for (auto [path, content] : files)
            dir.write(path, content);
        return referenceFilesSha256(DataFolders::under(dir.path()));
    };
    const Files reference { { "ProgramData/a.dat", "one" }, { "ProgramData/b.dat", "two" },
        { "SARData/c.dat", "three" }, { "SARData/d.dat", "four" } };
    Files elsewhere = reference;
    elsewhere.insert(
        elsewhere.end(), { { "Zen91Data/x.res", "elsewhere" }, { "SARGlossary/VariableLabels.csv", "elsewhere" } });
    const std::string original = digestOf(reference);
    EXPECT_EQ(digestOf(elsewhere), original);

    const std::pair<const char*, Files> changes[] = {
        { "content", { reference[0], reference[1], { "SARData/c.dat", "threE" }, reference[3] } },
        { "rename", { reference[0], { "ProgramData/bb.dat", "two" }, reference[2], reference[3] } },
        // Read in the same order, only the folder differs.
        { "folder", { reference[0], { "SARData/b.dat", "two" }, reference[2], reference[3] } },
    };
    for (const auto& [name, files] : changes)
        EXPECT_NE(digestOf(files), original) << name;
    const std::string missing = dataFileErrorOf([&] { digestOf({ reference[0], reference[1] }); });
    EXPECT_NE(missing.find("SARData"), std::string::npos) << missing;
}
