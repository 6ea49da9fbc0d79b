#include "cli/CommandLine.h"

namespace {

const char* const kAreaOptions[] = {"--countries", "--regions", "--counties", "--districts", "--wards"};
const char* const kSpatialNames[kNumSpatialCodes] = {"country", "region", "county", "district", "ward", "ed"};

std::vector<std::string> splitList(const std::string& text)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = text.find(',', start);
        items.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            return items;
        start = comma + 1;
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

} // namespace

CommandLine CommandLine::parse(const std::vector<std::string>& arguments)
{
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string option = arguments[i];
        std::optional<std::string> inlineValue;
        if (std::size_t equals = option.find('='); option.rfind("--", 0) == 0 && equals != std::string::npos) {
            inlineValue = option.substr(equals + 1);
            option.resize(equals);
        }
        auto value = [&]() -> std::string {
            if (inlineValue)
                return *inlineValue;
            if (i + 1 >= arguments.size())
                throw UsageError(option + " needs a value");
            return arguments[++i];
        };
        auto flag = [&](bool& target) {
            if (inlineValue)
                throw UsageError(option + " takes no value");
            target = true;
        };

        bool matchedArea = false;
        for (int level = 0; level < kNumAreaLevels; ++level) {
            if (option != kAreaOptions[level])
                continue;
            if (line.areaLevel)
                throw UsageError(option + ": only one area option may be given");
            line.areaLevel = static_cast<AreaLevel>(level);
            line.areaMembers = splitList(value());
            matchedArea = true;
        }
        if (matchedArea)
            continue;

        if (option == "--help" || option == "-h")
            flag(line.help);
        else if (option == "--data")
            line.dataFolder = value();
        else if (option == "--ed-list")
            line.edListFile = value();
        else if (option == "--hh-vars")
            line.hhVars = variableList(option, value());
        else if (option == "--ind-vars")
            line.indVars = variableList(option, value());
        else if (option == "--spatial") {
            std::string list = value();
            line.spatial.fill(false);
            if (list != "none") {
                for (const std::string& name : splitList(list)) {
                    bool known = false;
                    for (int s = 0; s < kNumSpatialCodes; ++s)
                        if (name == kSpatialNames[s])
                            known = line.spatial[s] = true;
                    if (!known)
                        throw UsageError("--spatial: unknown spatial code \"" + name
                                         + "\" (expected country, region, county, district, ward, ed or none)");
                }
            }
        } else if (option == "--combined")
            flag(line.combined);
        else if (option == "--output")
            line.outputFolder = value();
        else if (option == "--root")
            line.rootFileName = value();
        else if (option == "--dry-run")
            flag(line.dryRun);
        else if (option == "--quiet")
            flag(line.quiet);
        else
            throw UsageError("unknown option \"" + arguments[i] + "\" (see --help)");
    }
    if (line.areaLevel && line.edListFile)
        throw UsageError("--ed-list cannot be combined with an area option");
    return line;
}

const char* const kUsageText = R"(Usage: zendra91-extract [--data DIR] [AREAS | --ed-list FILE] [--hh-vars LIST] [--ind-vars LIST]
                        [--spatial LIST] [--combined] [--output DIR] [--root NAME] [--dry-run] [--quiet]

Extracts synthetic population records exactly as one press of Extract in the window
does right after a fresh start: the same checks, files, RejectedEDs.txt and draws.

  --data DIR          working folder holding ProgramData, SARData and Zen91Data;
                      RejectedEDs.txt is written here (default: the current folder)
  AREAS               at most one of --countries, --regions, --counties, --districts,
                      --wards, each with a comma-separated LIST of member numbers
                      (1-based, their position in the names file) or exact names
                      (a name must be unique at its level); --wards also takes
                      six-character ward codes. No area option: all areas.
  --ed-list FILE      extract the ED codes listed in FILE instead (one per line or
                      separated by commas). Blanks around an unquoted code are
                      dropped, so "08BYFA01  " is the code 08BYFA01; blank lines are
                      skipped. A code holding anything but ASCII letters and digits
                      (a blank inside, "/", "..") is rejected in RejectedEDs.txt with
                      the reason "Not allowed: an ED code holds letters and digits
                      only", as a code without a household file is with its reason.
  --hh-vars LIST      household variables by their header names (HNUM,Cars) or none
  --ind-vars LIST     individual variables likewise; default for both: the window's
                      default selection
  --spatial LIST      a subset of country,region,county,district,ward,ed, or none
                      (default: ed)
  --combined          one combined file ROOT_hhind.txt (default: ROOT_hh.txt and
                      ROOT_ind.txt)
  --output DIR        output folder (default: DIR/Zen91 under --data)
  --root NAME         root file name (default: Zen91)
  --dry-run           checks and estimate only; no output file is written
                      (RejectedEDs.txt still is)
  --quiet             no progress bar (one is drawn on standard error when it is a
                      terminal)
  --help              this text

The window's questions (create the output folder, a combined file with one kind of
variable only, HNUM twice) are answered Yes, their default, and each is printed to
standard error as a note. There is no size threshold.

Standard output, one "key: value" per line:
  estimate: 1.5 Mb     the size estimate as the window's warning shows it
  households: N        households written (not with --dry-run)
  persons: N           persons written
  eds: N               EDs written
  file: PATH           one line per output file

Exit status:
  0  done
  3  done, but some ED codes were rejected (see RejectedEDs.txt)
  2  usage error or a refusal (no variables selected, ED list missing)
  1  a data or output error (the message names the file and the record)
)";
