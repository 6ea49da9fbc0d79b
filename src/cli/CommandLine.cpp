#include "cli/CommandLine.h"

#include "app/ProgramOptions.h"
#include "base/SpatialCodes.h"
#include "textio/ListItems.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <sstream>

namespace {

constexpr const char* kProgram = "zendra91-extract";

struct AreaOption {
    const char* name;
    AreaLevel level;
    const char* description;
};

const AreaOption kAreaOptions[] = {
    { "--countries", AreaLevel::Country,
        "a comma-separated LIST of member numbers (1-based, their\n"
        "position in the names file) or names in any case (a name\n"
        "must be unique at its level; put one holding a comma in\n"
        "double quotes)" },
    { "--regions", AreaLevel::Region, "likewise for regions" },
    { "--counties", AreaLevel::County, "likewise for counties" },
    { "--districts", AreaLevel::District, "likewise for districts" },
    { "--wards", AreaLevel::Ward, "likewise for wards; also six-character ward codes,\nin any case" },
};

constexpr const char* kDescription
    = R"(Extracts synthetic population records exactly as one press of Extract in the window
does right after a fresh start: the same checks, files, RejectedEDs.txt and draws.)";

constexpr const char* kAreasHeading = "AREAS, at most one and not with --ed-list; without one, all areas";

constexpr const char* kFooter = R"(The window's questions (create the output folder, a combined file with one kind of
variable only, HNUM twice) are answered Yes, their default, and each is printed to
standard error as a note. There is no size threshold.

With --select, only the persons and households that meet every condition are
written; nothing selected gives files with their header lines, and a note says so.

Standard output, one "key: value" per line:
  estimate: 1.5 Mb     the size estimate as the window's warning shows it
  households: N        households written
  persons: N           persons written (0 when no person file is written)
  eds: N               EDs written
  file: PATH           one line per output file
With --dry-run, households, persons and eds are the estimate's counts: those of
the chosen wards, or for an ED list its codes with 150 households and 250 persons
assumed for each; no file is listed.
With --table, standard output holds the table instead, as CSV: the header line
"rows,rows_label,columns,columns_label,count" ("rows,rows_label,count" for one way)
and a line per cell; an empty table prints the header alone and says why.

Exit status:
  0  done
  3  done, but some ED codes were rejected (see RejectedEDs.txt)
  2  usage error or a refusal (no variables selected, ED list missing, a case
     condition the data cannot meet)
  1  a data or output error (the message names the file and the record))";

std::vector<std::string> splitList(const std::string& text)
{
    try {
        return splitListItems(text);
    } catch (const std::invalid_argument& e) {
        throw UsageError(std::string(e.what()) + " in \"" + text + "\"");
    }
}

std::vector<std::string> variableList(const std::string& option, const std::string& value)
{
    if (value == "none")
        return {};
    std::vector<std::string> names = splitList(value);
    for (const std::string& name : names)
        if (name.empty())
            throw UsageError(option + ": empty variable name in \"" + value + "\"");
    return names;
}

/// The --spatial names, joined by `separator`.
std::string spatialNames(const char* separator)
{
    std::string names;
    for (const SpatialCodeInfo& code : kSpatialCodes)
        names += (names.empty() ? "" : separator) + std::string(code.name);
    return names;
}

/// The --format values, "csv, dta or sav"; `described` adds what each is.
std::string formatNames(bool described)
{
    std::string names;
    for (const OutputFormatInfo& info : kOutputFormats) {
        if (!names.empty())
            names += info.id == kOutputFormats.back().id ? " or " : ", ";
        names += info.commandName;
        if (described)
            names += info.id == OutputFormat::Csv ? std::string(" (default)") : std::string(" (") + info.name + ")";
    }
    return names;
}

std::array<bool, kNumSpatialCodes> spatialCodes(const std::string& list)
{
    std::array<bool, kNumSpatialCodes> chosen {};
    if (list == "none")
        return chosen;
    for (const std::string& name : splitList(list)) {
        auto known = std::find_if(kSpatialCodes.begin(), kSpatialCodes.end(),
            [&name](const SpatialCodeInfo& code) { return name == code.name; });
        if (known == kSpatialCodes.end())
            throw UsageError("--spatial: unknown spatial code \"" + name
                + "\" (expected " + spatialNames(", ") + " or none)");
        chosen[static_cast<std::size_t>(known - kSpatialCodes.begin())] = true;
    }
    return chosen;
}

/// Usage line from the option table, the area options standing as AREAS; then the
/// description, the option groups and the footer.
class HelpFormatter : public CLI::Formatter {
public:
    std::string make_help(const CLI::App* app, std::string name, CLI::AppFormatMode mode) const override
    {
        std::string help
            = make_usage(app, name) + "\n" + make_description(app) + make_groups(app, mode) + "\n" + make_footer(app);
        // CLI11 leaves two blank lines between option groups.
        for (std::size_t at; (at = help.find("\n\n\n")) != std::string::npos;)
            help.erase(at, 1);
        return help;
    }

    std::string make_usage(const CLI::App* app, std::string name) const override
    {
        constexpr std::size_t kWidth = 100;
        std::string out = "Usage: " + name;
        const std::string indent(out.size(), ' ');
        std::size_t lineStart = 0;
        bool areasShown = false;
        for (const CLI::Option* opt : app->get_options()) {
            if (opt == app->get_help_ptr())
                continue;
            std::string item;
            if (opt->get_group() == kAreasHeading) {
                if (areasShown)
                    continue;
                areasShown = true;
                item = "[AREAS]";
            } else {
                item = "[" + opt->get_name() + make_option_opts(opt) + "]";
            }
            if (out.size() - lineStart + 1 + item.size() > kWidth) {
                out += "\n";
                lineStart = out.size();
                out += indent;
            }
            out += " " + item;
        }
        return out + " [--help]\n";
    }
};

/// The one table of options: each add_ call names an option, its value, its help
/// text and what it sets in `line`.
void defineOptions(CLI::App& app, CommandLine& line)
{
    app.formatter(std::make_shared<HelpFormatter>());
    app.get_formatter()->column_width(22);
    app.description(kDescription);
    app.footer(kFooter);
    setHelpFlag(app, "this text");
    app.allow_extras(); // reported below in the program's own words
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);

    auto text = [&](const char* name, std::optional<std::string>& target, const char* type, const char* help) {
        app.add_option_function<std::string>(
               name, [&target](const std::string& v) { target = v; }, help)
            ->type_name(type);
    };
    auto variables = [&](const char* name, std::optional<std::vector<std::string>>& target, const char* help) {
        app.add_option_function<std::string>(
               name, [&target, name](const std::string& v) { target = variableList(name, v); }, help)
            ->type_name("LIST");
    };
    auto flag = [&](const char* name, bool& target, const char* help) {
        app.add_flag(name, target, help)->disable_flag_override();
    };

    text("--data", line.dataFolder, "DIR",
        "working folder holding ProgramData, SARData and Zen91Data;\n"
        "RejectedEDs.txt is written here (default: the current folder)");
    for (const AreaOption& area : kAreaOptions) {
        app.add_option_function<std::string>(
               area.name,
               [&line, area](const std::string& v) {
                   line.areaLevel = area.level;
                   line.areaMembers = splitList(v);
               },
               area.description)
            ->type_name("LIST")
            ->group(kAreasHeading);
    }
    text("--ed-list", line.edListFile, "FILE",
        "extract the ED codes listed in FILE instead (one per line or\n"
        "separated by commas), in any case. Blanks around an unquoted\n"
        "code are dropped, so \"08BYFA01  \" is the code 08BYFA01; empty\n"
        "fields and a leading byte-order mark are skipped; a quoted\n"
        "code is taken as written. A code holding anything but ASCII letters and digits\n"
        "(a blank inside, \"/\", \"..\") is rejected in RejectedEDs.txt with\n"
        "the reason \"Not allowed: an ED code holds letters and digits\n"
        "only\", as a code without a household file is with its reason.");
    variables("--hh-vars", line.hhVars, "household variables by their header names (HNUM,Cars) or none");
    variables("--ind-vars", line.indVars,
        "individual variables likewise; default for both: the window's\n"
        "default selection");
    app.add_option_function<std::string>(
           "--spatial", [&line](const std::string& v) { line.spatial = spatialCodes(v); },
           "a subset of " + spatialNames(",") + ", or none\n(default: ed)")
        ->type_name("LIST");
    flag("--combined", line.combined, "one combined file ROOT_hhind.txt (default: ROOT_hh.txt and\nROOT_ind.txt)");
    text("--output", line.outputFolder, "DIR", "output folder (default: DIR/Zen91 under --data)");
    text("--root", line.rootFileName, "NAME", "root file name (default: Zen91)");
    flag("--dry-run", line.dryRun,
        "checks and estimate only; no output file is written\n"
        "(RejectedEDs.txt still is); the counts printed are the\n"
        "estimate's");
    // Saved requests and output formats.
    app.add_option_function<std::string>(
           "--format",
           [&line](const std::string& v) {
               line.format = formatNamed(v, &OutputFormatInfo::commandName);
               if (!line.format)
                   throw UsageError("--format: unknown format \"" + v + "\" (expected " + formatNames(false) + ")");
           },
           "output format: " + formatNames(true))
        ->type_name("FORMAT");
    flag("--compress", line.compress,
        "write ROOT_hh.txt.gz and so on (gzip, on every core), or with sav\n"
        "a compressed .zsav; dta files are never compressed");
    flag("--no-scripts", line.noScripts,
        "no ROOT_load.R, .py, .do and .sps beside a csv extract");
    text("--request", line.requestFile, "FILE",
        "run the saved request FILE (such as ROOT_request.json);\n"
        "--output, --root and --format beside it override its own,\n"
        "--compress and --no-scripts apply to it");
    flag("--quiet", line.quiet, "no progress bar (one is drawn on standard error when it is a\nterminal)");
    addVersionFlag(app, line.version);
    // Listing areas.
    app.add_option_function<std::string>(
           "--list",
           [&line](const std::string& v) {
               for (int i = 0; i < kNumAreaLevels; ++i)
                   if (v == kAreaPluralNames[static_cast<std::size_t>(i)])
                       line.listLevel = static_cast<AreaLevel>(i);
               if (!line.listLevel)
                   throw UsageError("--list: unknown level \"" + v
                       + "\" (expected countries, regions, counties, districts or wards)");
           },
           "print the areas of LEVEL (countries, regions, counties,\n"
           "districts or wards) as CSV: number, code, name and the names\n"
           "of its parents; nothing is extracted")
        ->type_name("LEVEL");
    text("--match", line.listMatch, "TEXT",
        "with --list: only areas whose name contains TEXT or whose code\n"
        "starts with it, in any case");
    // Tables.
    app.add_option_function<std::string>(
           "--table",
           [&line](const std::string& v) {
               line.table = splitList(v);
               if (line.table.empty() || line.table.size() > 2 || line.table[0].empty()
                   || line.table.back().empty())
                   throw UsageError("--table: expected ROWS or ROWS,COLUMNS, found \"" + v + "\"");
           },
           "print a table of the chosen areas or ED list instead of\n"
           "extracting: counts by ROWS, or ROWS by COLUMNS, each a variable\n"
           "header name (any case) or country, region, county, district,\n"
           "ward or ed; tidy CSV on standard output, one line per cell")
        ->type_name("ROWS[,COLUMNS]");
    app.add_option_function<std::string>(
           "--count",
           [&line](const std::string& v) {
               if (v != "persons" && v != "households")
                   throw UsageError("--count: unknown unit \"" + v + "\" (expected persons or households)");
               line.tableCount = v;
           },
           "with --table: count persons (default) or households")
        ->type_name("UNIT");
    // Case selection.
    app.add_option_function<std::vector<std::string>>(
           "--select",
           [&line](const std::vector<std::string>& values) {
               for (const std::string& v : values) {
                   ParsedCondition parsed = parseCondition(v);
                   if (!parsed.error.empty())
                       throw UsageError("--select: " + parsed.error);
                   line.select.push_back(std::move(parsed.condition));
               }
           },
           "write only the cases whose VARIABLE (a header name, any case)\n"
           "takes one of CODES: codes and ranges such as 1,2 or 65-99 or\n"
           "65-99,101. Repeat it for more variables: all must hold.\n"
           "Household variables choose households, person variables\n"
           "persons (and the households holding one); --dry-run and\n"
           "--table count the selected cases only")
        ->type_name("VARIABLE=CODES")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->allow_extra_args(false);
    flag("--whole-households", line.wholeHouseholds,
        "with --select: write every member of each selected household,\nnot only the selected persons");
}

/// The rules that join options: one area option at most, and not with --ed-list.
void checkCombinations(const CLI::App& app, const CommandLine& line)
{
    std::size_t areaOptionsGiven = 0;
    std::vector<std::string> given;
    for (const AreaOption& area : kAreaOptions) {
        const std::size_t count = app.get_option(area.name)->count();
        if (count == 0)
            continue;
        areaOptionsGiven += count;
        given.push_back(area.name + (count > 1 ? " " + std::to_string(count) + " times" : std::string()));
    }
    if (areaOptionsGiven > 1) {
        std::string named = given.front();
        for (std::size_t i = 1; i < given.size(); ++i)
            named += (i + 1 == given.size() ? " and " : ", ") + given[i];
        throw UsageError("only one area option may be given, found " + named);
    }
    if (line.listMatch && !line.listLevel)
        throw UsageError("--match goes with --list");
    if (line.tableCount && line.table.empty())
        throw UsageError("--count goes with --table");
    if (!line.table.empty())
        for (const char* name : { "--dry-run", "--output", "--format", "--list" })
            if (app.get_option(name)->count() > 0)
                throw UsageError(std::string(name) + " cannot be combined with --table, which writes no files");
    if (line.wholeHouseholds && line.select.empty())
        throw UsageError("--whole-households goes with --select");
    if (line.areaLevel && line.edListFile)
        throw UsageError("--ed-list cannot be combined with an area option");
    if (line.requestFile)
        for (const char* name : { "--countries", "--regions", "--counties", "--districts", "--wards", "--ed-list",
                 "--hh-vars", "--ind-vars", "--spatial", "--combined", "--select", "--whole-households" })
            if (app.get_option(name)->count() > 0)
                throw UsageError(std::string(name) + " cannot be combined with --request");
}

} // namespace

CommandLine CommandLine::parse(const std::vector<std::string>& arguments)
{
    CommandLine line;
    CLI::App app { "", kProgram };
    defineOptions(app, line);
    line.help = parseOptions(app, arguments);
    if (line.help)
        return line;
    if (!app.remaining().empty())
        throw UsageError("unknown option \"" + app.remaining().front() + "\" (see --help)");
    checkCombinations(app, line);
    return line;
}

std::string CommandLine::helpText()
{
    CommandLine unused;
    CLI::App app { "", kProgram };
    defineOptions(app, unused);
    return app.help();
}
