#include "request/SavedRequest.h"

#include "request/ReferenceDigest.h"

#include "textio/DataFileError.h"
#include "textio/LineWriter.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <climits>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>

using Json = nlohmann::ordered_json;

namespace {

constexpr const char* kFormatName = "zendra91-request";

template <std::size_t N, typename Row>
constexpr std::array<const char*, N> column(const std::array<Row, N>& table, const char* Row::*field)
{
    std::array<const char*, N> names {};
    for (std::size_t i = 0; i < N; ++i)
        names[i] = table[i].*field;
    return names;
}

// Request files name spatial codes by their headers and formats by their own names.
constexpr auto kSpatialNames = column(kSpatialCodes, &SpatialCodeInfo::header);
constexpr auto kFormatNames = column(kOutputFormats, &OutputFormatInfo::requestName);

Json areasJson(const AreaChoiceRecord& areas)
{
    return Json { { "countries", areas.countries }, { "regions", areas.regions }, { "counties", areas.counties },
        { "districts", areas.districts }, { "wards", areas.wards } };
}

Json selectionJson(const CaseSelection& selection)
{
    Json conditions = Json::array();
    for (const CaseCondition& condition : selection.conditions) {
        Json codes = Json::array();
        for (const CodeInterval& range : condition.codes)
            codes.push_back({ range.low, range.high });
        conditions.push_back({ { "variable", condition.variable }, { "codes", codes } });
    }
    return Json { { "conditions", conditions }, { "wholeHouseholds", selection.wholeHouseholds } };
}

Json runJson(const RunRecord& run)
{
    Json files = Json::array();
    for (const OutputFileRecord& file : run.outputFiles)
        files.push_back({ { "name", file.name }, { "size", file.size }, { "sha256", file.sha256 } });
    Json json { { "program", run.program }, { "version", run.version }, { "utcTime", run.utcTime },
        { "dataFolder", run.dataFolder }, { "referenceSha256", run.referenceSha256 }, { "households", run.households },
        { "persons", run.persons }, { "eds", run.eds }, { "rejectedCodes", run.rejectedCodes },
        { "outputFiles", files } };
    if (!run.fileTime.empty())
        json["fileTime"] = run.fileTime;
    return json;
}

/// Walks the parsed document, refusing what the format does not allow and naming
/// the key where it is.
class Reader {
public:
    explicit Reader(const std::string& path)
        : m_path(path)
    {
    }

    [[noreturn]] void fail(const std::string& key, const std::string& detail) const
    {
        throw DataFileError(m_path, 0, 0, "key \"" + key + "\": " + detail);
    }

    void object(const Json& value, const std::string& key, std::initializer_list<const char*> allowed) const
    {
        expect(value, key, value.is_object(), "an object");
        for (const auto& [name, member] : value.items())
            if (std::none_of(allowed.begin(), allowed.end(), [&name](const char* a) { return name == a; }))
                fail(join(key, name), "unknown key");
    }

    const Json& member(const Json& object, const std::string& key, const char* name) const
    {
        auto found = object.find(name);
        if (found == object.end())
            fail(join(key, name), "missing");
        return *found;
    }

    std::string text(const Json& object, const std::string& key, const char* name) const
    {
        const Json& value = member(object, key, name);
        expect(value, join(key, name), value.is_string(), "a string");
        return value.get<std::string>();
    }

    bool flag(const Json& object, const std::string& key, const char* name) const
    {
        const Json& value = member(object, key, name);
        expect(value, join(key, name), value.is_boolean(), "true or false");
        return value.get<bool>();
    }

    std::uint64_t count(const Json& object, const std::string& key, const char* name) const
    {
        const Json& value = member(object, key, name);
        expect(value, join(key, name), value.is_number_unsigned(), "a whole number of 0 or more");
        return value.get<std::uint64_t>();
    }

    std::vector<std::string> texts(const Json& object, const std::string& key, const char* name) const
    {
        const std::string here = join(key, name);
        const Json& value = member(object, key, name);
        expect(value, here, value.is_array(), "an array of strings");
        std::vector<std::string> result;
        for (std::size_t i = 0; i < value.size(); ++i) {
            expect(value[i], here + "[" + std::to_string(i) + "]", value[i].is_string(), "a string");
            result.push_back(value[i].get<std::string>());
        }
        return result;
    }

    /// The position of `found` in `names`, or a failure listing them.
    template <std::size_t N>
    std::size_t oneOf(const std::string& found, const std::array<const char*, N>& names, const std::string& key) const
    {
        for (std::size_t i = 0; i < N; ++i)
            if (found == names[i])
                return i;
        std::string list;
        for (const char* name : names)
            list += (list.empty() ? "" : ", ") + std::string(name);
        fail(key, "expected one of " + list + ", found \"" + found + "\"");
    }

    static std::string join(const std::string& key, const std::string& name)
    {
        return key.empty() ? name : key + "." + name;
    }

private:
    void expect(const Json& value, const std::string& key, bool ok, const char* expected) const
    {
        if (!ok)
            fail(key, std::string("expected ") + expected + ", found " + value.type_name());
    }

    std::string m_path;
};

AreaChoiceRecord readAreas(const Reader& in, const Json& json)
{
    in.object(json, "areas", { "countries", "regions", "counties", "districts", "wards" });
    return { in.texts(json, "areas", "countries"), in.texts(json, "areas", "regions"),
        in.texts(json, "areas", "counties"), in.texts(json, "areas", "districts"), in.texts(json, "areas", "wards") };
}

std::int32_t readCode(const Reader& in, const Json& value, const std::string& key)
{
    if (!value.is_number_integer() || value.get<std::int64_t>() < INT32_MIN || value.get<std::int64_t>() > INT32_MAX)
        in.fail(key, std::string("expected a whole-number code, found ") + value.dump());
    return static_cast<std::int32_t>(value.get<std::int64_t>());
}

CaseSelection readSelection(const Reader& in, const Json& json)
{
    in.object(json, "caseSelection", { "conditions", "wholeHouseholds" });
    CaseSelection selection;
    selection.wholeHouseholds = in.flag(json, "caseSelection", "wholeHouseholds");
    const Json& conditions = in.member(json, "caseSelection", "conditions");
    if (!conditions.is_array())
        in.fail("caseSelection.conditions", std::string("expected an array, found ") + conditions.type_name());
    for (std::size_t i = 0; i < conditions.size(); ++i) {
        const std::string key = "caseSelection.conditions[" + std::to_string(i) + "]";
        in.object(conditions[i], key, { "variable", "codes" });
        CaseCondition condition { in.text(conditions[i], key, "variable"), {} };
        const Json& codes = in.member(conditions[i], key, "codes");
        if (!codes.is_array() || codes.empty())
            in.fail(key + ".codes", "expected a non-empty array of codes and [low, high] ranges");
        for (std::size_t j = 0; j < codes.size(); ++j) {
            const std::string here = key + ".codes[" + std::to_string(j) + "]";
            CodeInterval range;
            if (codes[j].is_array()) {
                if (codes[j].size() != 2)
                    in.fail(here, "expected [low, high], found " + codes[j].dump());
                range = { readCode(in, codes[j][0], here), readCode(in, codes[j][1], here) };
            } else {
                range.low = range.high = readCode(in, codes[j], here);
            }
            if (range.low > range.high)
                in.fail(here, "the range " + codes[j].dump() + " runs backwards");
            condition.codes.push_back(range);
        }
        selection.conditions.push_back(std::move(condition));
    }
    return selection;
}

RunRecord readRun(const Reader& in, const Json& json)
{
    in.object(json, "run",
        { "program", "version", "utcTime", "fileTime", "dataFolder", "referenceSha256", "households", "persons", "eds",
            "rejectedCodes", "outputFiles" });
    RunRecord run { in.text(json, "run", "program"), in.text(json, "run", "version"), in.text(json, "run", "utcTime"),
        in.text(json, "run", "dataFolder"), in.text(json, "run", "referenceSha256"),
        in.count(json, "run", "households"), in.count(json, "run", "persons"), in.count(json, "run", "eds"),
        in.count(json, "run", "rejectedCodes"), {}, {} };
    if (json.contains("fileTime")) {
        run.fileTime = in.text(json, "run", "fileTime");
        if (!parseUtcTime(run.fileTime))
            in.fail(
                "run.fileTime", "expected a UTC time such as \"2024-05-01T12:34:56Z\", found \"" + run.fileTime + "\"");
    }
    const Json& files = in.member(json, "run", "outputFiles");
    if (!files.is_array())
        in.fail("run.outputFiles", std::string("expected an array, found ") + files.type_name());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string key = "run.outputFiles[" + std::to_string(i) + "]";
        in.object(files[i], key, { "name", "size", "sha256" });
        run.outputFiles.push_back(
            { in.text(files[i], key, "name"), in.count(files[i], key, "size"), in.text(files[i], key, "sha256") });
    }
    return run;
}

} // namespace

std::string requestToJson(const SavedRequest& request)
{
    Json json { { "format", kFormatName }, { "version", kRequestFormatVersion } };
    if (request.areas)
        json["areas"] = areasJson(*request.areas);
    if (request.edList)
        json["edList"] = { { "path", request.edList->path }, { "sha256", request.edList->sha256 } };
    json["householdVariables"] = request.householdVariables;
    json["individualVariables"] = request.individualVariables;
    Json spatial = Json::array();
    for (std::size_t i = 0; i < kSpatialNames.size(); ++i)
        if (request.spatialCodes[i])
            spatial.push_back(kSpatialNames[i]);
    json["spatialCodes"] = spatial;
    if (!request.caseSelection.empty() || request.caseSelection.wholeHouseholds)
        json["caseSelection"] = selectionJson(request.caseSelection);
    json["separateFiles"] = request.separateFiles;
    json["outputFolder"] = request.outputFolder;
    json["rootFileName"] = request.rootFileName;
    json["outputFormat"] = kFormatNames[static_cast<std::size_t>(request.format)];
    if (request.compress)
        json["compress"] = true;
    json["randomDraws"] = request.randomDraws;
    if (request.run)
        json["run"] = runJson(*request.run);
    return json.dump(2) + "\n";
}

SavedRequest requestFromJson(std::string_view text, const std::string& path)
{
    Json json;
    try {
        json = Json::parse(text.begin(), text.end());
    } catch (const Json::parse_error& error) {
        const std::size_t end = std::min<std::size_t>(error.byte, text.size());
        long line
            = 1 + static_cast<long>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
        throw DataFileError(path, line, 0, "expected a JSON document: " + std::string(error.what()));
    }
    const Reader in(path);
    in.object(json, "",
        { "format", "version", "areas", "edList", "householdVariables", "individualVariables", "spatialCodes",
            "caseSelection", "separateFiles", "outputFolder", "rootFileName", "outputFormat", "compress", "randomDraws", "run" });
    const std::string format = in.text(json, "", "format");
    if (format != kFormatName)
        in.fail("format", "expected \"" + std::string(kFormatName) + "\", found \"" + format + "\"");
    const Json& version = in.member(json, "", "version");
    if (!version.is_number_integer() || version.get<std::int64_t>() < 1
        || version.get<std::int64_t>() > kRequestFormatVersion)
        in.fail("version",
            "unknown format version " + version.dump() + "; this program reads versions 1 to "
                + std::to_string(kRequestFormatVersion));
    // Version 1 predates case selection: such a file always wrote every case.
    if (version.get<std::int64_t>() < 2 && json.contains("caseSelection"))
        in.fail("caseSelection", "not part of format version 1; a request with a case selection is version 2");

    SavedRequest request;
    const bool hasAreas = json.contains("areas");
    if (hasAreas == json.contains("edList"))
        in.fail(hasAreas ? "edList" : "areas", "expected exactly one of \"areas\" and \"edList\"");
    if (hasAreas) {
        request.areas = readAreas(in, json["areas"]);
    } else {
        in.object(json["edList"], "edList", { "path", "sha256" });
        request.edList
            = EdListRecord { in.text(json["edList"], "edList", "path"), in.text(json["edList"], "edList", "sha256") };
    }
    request.householdVariables = in.texts(json, "", "householdVariables");
    request.individualVariables = in.texts(json, "", "individualVariables");
    const std::vector<std::string> spatial = in.texts(json, "", "spatialCodes");
    for (std::size_t i = 0; i < spatial.size(); ++i)
        request.spatialCodes[in.oneOf(spatial[i], kSpatialNames, "spatialCodes[" + std::to_string(i) + "]")] = true;
    if (json.contains("caseSelection"))
        request.caseSelection = readSelection(in, json["caseSelection"]);
    request.separateFiles = in.flag(json, "", "separateFiles");
    request.outputFolder = in.text(json, "", "outputFolder");
    request.rootFileName = in.text(json, "", "rootFileName");
    request.format
        = static_cast<OutputFormat>(in.oneOf(in.text(json, "", "outputFormat"), kFormatNames, "outputFormat"));
    request.compress = json.contains("compress") && in.flag(json, "", "compress");
    request.randomDraws = in.count(json, "", "randomDraws");
    if (json.contains("run"))
        request.run = readRun(in, json["run"]);
    return request;
}

SavedRequest readRequestFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw DataFileError::io(path, "cannot open file", errno);
    std::ostringstream content;
    content << in.rdbuf();
    return requestFromJson(content.str(), path);
}

void writeRequestFile(const std::string& path, const SavedRequest& request)
{
    LineWriter out(path, 1 << 14);
    out.append(requestToJson(request));
    out.close();
}
