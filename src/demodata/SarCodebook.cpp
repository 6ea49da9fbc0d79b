#include "demodata/SarCodebook.h"

#include "textio/LineWriter.h"

#include <string_view>

namespace {

constexpr const char* kNotInEmployment = "not applicable: not in employment";

std::vector<VariableDoc> makeHouseholdDocs()
{
    return {
        { "HNUM", "Household record number in this file of households.", { { 1, 1000, "record number" } } },
        { "AreaHH", "SAR area in which the household lives.",
            { { 1, 230, "an area in England" }, { 231, 248, "an area in Wales" },
                { 249, 278, "an area in Scotland" } } },
        { "Bath", "Use of a bath or shower.",
            { { 1, 1, "exclusive use" }, { 2, 2, "shared use" }, { 3, 3, "no bath or shower" } } },
        { "Cars", "Cars and vans available to the household.",
            { { 0, 0, "none" }, { 1, 1, "one" }, { 2, 2, "two" }, { 3, 3, "three or more" } } },
        { "CenHeat", "Central heating.", { { 1, 1, "in all rooms" }, { 2, 2, "in some rooms" }, { 3, 3, "none" } } },
        { "HHSpInDw", "Household spaces in the dwelling.",
            { { 1, 1, "one: the dwelling is not shared" },
                { 2, 4, "number of household spaces in a shared dwelling" } } },
        { "HHSpType", "Type of household space.",
            { { 1, 1, "detached house" }, { 2, 2, "semi-detached house" }, { 3, 3, "terraced house" },
                { 4, 4, "purpose-built flat" }, { 5, 5, "converted flat or rooms" },
                { 6, 6, "flat in a commercial building" }, { 7, 7, "caravan or other non-permanent accommodation" } } },
        { "InsideWC", "Use of an inside WC.",
            { { 1, 1, "exclusive use" }, { 2, 2, "shared use" }, { 3, 3, "no inside WC" } } },
        { "LowFloor", "Floor level of the lowest floor of the accommodation.",
            { { -1, -1, "basement" }, { 0, 0, "ground floor (every house)" }, { 1, 15, "floor number" } } },
        { "PersInHH", "Persons in the household.", { { 1, 12, "number of persons" } } },
        { "RoomsNum", "Rooms in the household space.", { { 1, 13, "number of rooms" }, { 14, 14, "14 or more" } } },
        { "Tenure", "Tenure of the household space.",
            { { 1, 1, "owner occupied, owned outright" }, { 2, 2, "owner occupied, buying" },
                { 3, 3, "rented privately, furnished" }, { 4, 4, "rented privately, unfurnished" },
                { 5, 5, "rented with a job or business" }, { 6, 6, "rented from a housing association" },
                { 7, 7, "rented from a local authority or new town" }, { 8, 8, "rented from Scottish Homes" } } },
        { "WMove", "Movers in the household in the year before the census (persons aged 1 or over).",
            { { 0, 0, "nobody moved" }, { 1, 1, "wholly moving household" }, { 2, 2, "some members moved" } } },
        { "FirstRes", "Record number of the household's first person in the file of persons.",
            { { 1, 2514, "person record number" } } },
        { "LastRes",
            "Record number of the household's last person in the file of persons; the household's persons are "
            "FirstRes to LastRes.",
            { { 1, 2514, "person record number" } } },
    };
}

std::vector<VariableDoc> makeIndividualDocs()
{
    return {
        { "HNUM", "Record number of the person's household.", { { 1, 1000, "household record number" } } },
        { "PNUM", "Person number within the household.", { { 1, 12, "person number" } } },
        { "Age", "Age last birthday.", { { 0, 94, "years" }, { 95, 95, "95 or over" } } },
        { "CoBirth", "Country of birth.",
            { { 1, 1, "England" }, { 2, 2, "Scotland" }, { 3, 3, "Wales" }, { 4, 4, "Northern Ireland" },
                { 5, 5, "Irish Republic" }, { 6, 6, "Old Commonwealth" }, { 7, 7, "New Commonwealth" },
                { 8, 8, "rest of Europe" }, { 9, 9, "elsewhere" } } },
        { "DistMove", "Distance of a move in the year before the census.",
            { { -9, -9, "not applicable: aged under 1" }, { 0, 0, "did not move" }, { 1, 600, "kilometres" },
                { 999, 999, "moved from outside Great Britain" } } },
        { "DistWork", "Distance from home to the place of work.",
            { { -9, -9, kNotInEmployment }, { 0, 0, "works at home or has no fixed place" },
                { 1, 80, "kilometres" } } },
        { "EconPrim", "Primary economic position in the week before the census.",
            { { -9, -9, "not applicable: aged under 16" }, { 1, 1, "employee, full time" },
                { 2, 2, "employee, part time" }, { 3, 3, "self-employed with employees" },
                { 4, 4, "self-employed without employees" }, { 5, 5, "on a government scheme" }, { 6, 6, "unemployed" },
                { 7, 7, "student" }, { 8, 8, "permanently sick" }, { 9, 9, "retired" },
                { 10, 10, "other inactive" } } },
        { "EconSec", "Secondary economic position of students.",
            { { -9, -9, "not applicable: aged under 16" }, { 0, 0, "none" }, { 1, 1, "student also in part-time work" },
                { 2, 2, "student also seeking work" } } },
        { "EmpStat", "Employment status.",
            { { -9, -9, kNotInEmployment }, { 1, 1, "employee" }, { 2, 2, "self-employed with employees" },
                { 3, 3, "self-employed without employees" }, { 4, 4, "on a government scheme" } } },
        { "EthGroup", "Ethnic group.",
            { { 1, 1, "White" }, { 2, 2, "Black Caribbean" }, { 3, 3, "Black African" }, { 4, 4, "Black Other" },
                { 5, 5, "Indian" }, { 6, 6, "Pakistani" }, { 7, 7, "Bangladeshi" }, { 8, 8, "Chinese" },
                { 9, 9, "Other Asian" }, { 10, 10, "Other" } } },
        { "FamHead", "Place in the family.",
            { { 0, 0, "not in a family" }, { 1, 1, "head of the family" }, { 2, 2, "other member of the family" } } },
        { "FamNum", "Family the person belongs to.",
            { { 0, 0, "not in a family" }, { 1, 1, "the household's family" } } },
        { "FamTyppe", "Type of the person's family. Dependent children are children under 16.",
            { { 0, 0, "not in a family" }, { 1, 1, "married couple, no children" },
                { 2, 2, "married couple with dependent children" },
                { 3, 3, "married couple with non-dependent children only" }, { 4, 4, "cohabiting couple, no children" },
                { 5, 5, "cohabiting couple with children" }, { 6, 6, "lone parent with dependent children" },
                { 7, 7, "lone parent with non-dependent children only" } } },
        { "GaelLang", "Ability to speak Gaelic, asked in Scotland of persons aged 3 or over.",
            { { -9, -9, "not applicable: lives outside Scotland or aged under 3" }, { 1, 1, "speaks Gaelic" },
                { 2, 2, "does not speak Gaelic" } } },
        { "Hours", "Hours worked weekly.", { { -9, -9, kNotInEmployment }, { 1, 80, "hours" } } },
        { "Industry", "Industry (division of the Standard Industrial Classification).",
            { { -9, -9, kNotInEmployment }, { 0, 0, "agriculture, forestry and fishing" },
                { 1, 1, "energy and water supply" }, { 2, 2, "mining and chemicals" },
                { 3, 3, "metal goods and engineering" }, { 4, 4, "other manufacturing" }, { 5, 5, "construction" },
                { 6, 6, "distribution, hotels and catering" }, { 7, 7, "transport and communication" },
                { 8, 8, "banking and finance" }, { 9, 9, "other services" } } },
        { "LTIll", "Limiting long-term illness.",
            { { 1, 1, "has a limiting long-term illness" }, { 2, 2, "does not" } } },
        { "MigOrgn", "Address one year before the census.",
            { { -9, -9, "not applicable: aged under 1" }, { 0, 0, "same address" },
                { 1, 1, "elsewhere in the same district" }, { 2, 2, "another district of the same county" },
                { 3, 3, "another county of the same region" }, { 4, 4, "another region of Great Britain" },
                { 5, 5, "outside Great Britain" } } },
        { "MStatus", "Marital status.",
            { { 1, 1, "single" }, { 2, 2, "married (first marriage)" }, { 3, 3, "remarried" }, { 4, 4, "divorced" },
                { 5, 5, "widowed" } } },
        { "Occpatn", "Occupation (major group of the Standard Occupational Classification).",
            { { -9, -9, kNotInEmployment }, { 1, 1, "managers and administrators" },
                { 2, 2, "professional occupations" }, { 3, 3, "associate professional and technical occupations" },
                { 4, 4, "clerical and secretarial occupations" }, { 5, 5, "craft and related occupations" },
                { 6, 6, "personal and protective service occupations" }, { 7, 7, "sales occupations" },
                { 8, 8, "plant and machine operatives" }, { 9, 9, "other occupations" } } },
        { "QuaLevel", "Level of the highest higher-education qualification.",
            { { -9, -9, "not applicable: aged under 18" }, { 0, 0, "no qualification at these levels" },
                { 1, 1, "higher degree" }, { 2, 2, "first degree" },
                { 3, 3, "higher education below degree level" } } },
        { "QualNum", "Number of higher-education qualifications.",
            { { -9, -9, "not applicable: aged under 18" }, { 0, 2, "number" }, { 3, 3, "three or more" } } },
        { "QualSub", "Subject of the highest qualification.",
            { { -9, -9, "not applicable: aged under 18" }, { 0, 0, "no higher-education qualification" },
                { 1, 1, "education" }, { 2, 2, "health and medicine" }, { 3, 3, "engineering and technology" },
                { 4, 4, "agriculture" }, { 5, 5, "science" }, { 6, 6, "social sciences and business" },
                { 7, 7, "architecture and planning" }, { 8, 8, "languages and literature" }, { 9, 9, "arts" } } },
        { "Relat", "Relationship to the head of the household.",
            { { 1, 1, "head" }, { 2, 2, "spouse" }, { 3, 3, "cohabiting partner" }, { 4, 4, "son or daughter" },
                { 5, 5, "step-child" }, { 7, 7, "parent" }, { 8, 8, "other relative" }, { 9, 9, "unrelated" } } },
        { "ResidSta", "Residence status on census night.",
            { { 1, 1, "resident, present" }, { 2, 2, "resident, absent" }, { 3, 3, "visitor" } } },
        { "SEGroup", "Socio-economic group.",
            { { -9, -9, kNotInEmployment }, { 1, 1, "employers and managers, large establishments" },
                { 2, 2, "employers and managers, small establishments" },
                { 3, 3, "professional workers, self-employed" }, { 4, 4, "professional workers, employees" },
                { 5, 5, "intermediate non-manual workers" }, { 6, 6, "junior non-manual workers" },
                { 7, 7, "personal service workers" }, { 8, 8, "foremen and supervisors, manual" },
                { 9, 9, "skilled manual workers" }, { 10, 10, "semi-skilled manual workers" },
                { 11, 11, "unskilled manual workers" }, { 12, 12, "own account workers (not professional)" },
                { 13, 13, "farmers, employers and managers" }, { 14, 14, "farmers, own account" },
                { 15, 15, "agricultural workers" }, { 16, 16, "members of the armed forces" },
                { 17, 17, "inadequately described" } } },
        { "Sex", "Sex.", { { 1, 1, "male" }, { 2, 2, "female" } } },
        { "SoClass", "Social class based on occupation.",
            { { -9, -9, kNotInEmployment }, { 1, 1, "I professional" }, { 2, 2, "II managerial and technical" },
                { 3, 3, "IIIN skilled non-manual" }, { 4, 4, "IIIM skilled manual" }, { 5, 5, "IV partly skilled" },
                { 6, 6, "V unskilled" }, { 7, 7, "armed forces" } } },
        { "TermTim", "Term-time address of students.",
            { { -9, -9, "not applicable: not a student" }, { 1, 1, "term-time address is this household" },
                { 2, 2, "term-time address elsewhere" } } },
        { "TranWork", "Means of travel to work.",
            { { -9, -9, kNotInEmployment }, { 1, 1, "British Rail train" }, { 2, 2, "underground or metro" },
                { 3, 3, "bus or coach" }, { 4, 4, "driving a car or van" }, { 5, 5, "passenger in a car or van" },
                { 6, 6, "motor cycle" }, { 7, 7, "pedal cycle" }, { 8, 8, "on foot" }, { 9, 9, "other" },
                { 10, 10, "works at home" } } },
        { "URVisit", "Usual resident or visitor.", { { 1, 1, "usual resident" }, { 2, 2, "visitor" } } },
        { "WelshLan", "Ability to speak Welsh, asked in Wales of persons aged 3 or over.",
            { { -9, -9, "not applicable: lives outside Wales or aged under 3" }, { 1, 1, "speaks Welsh" },
                { 2, 2, "does not speak Welsh" } } },
        { "WorkPlce", "Place of work.",
            { { -9, -9, kNotInEmployment }, { 1, 1, "works at home" }, { 2, 2, "in the district of residence" },
                { 3, 3, "in another district of the county of residence" }, { 4, 4, "in another county" },
                { 5, 5, "no fixed place" } } },
    };
}

/// Escapes the few characters HTML gives a meaning to.
std::string html(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void writeLines(const std::string& path, const std::vector<std::string>& lines)
{
    LineWriter out(path, 1 << 16);
    for (const std::string& line : lines) {
        out.append(line);
        out.endLine();
    }
    out.close();
}

std::vector<std::string> pageStart(const char* title)
{
    return { "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">", "<html>",
        "<head>", "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">",
        std::string("<title>") + title + "</title>", "</head>", "<body>", std::string("<h1>") + title + "</h1>" };
}

std::string codeText(const CodeRange& code)
{
    std::string text = std::to_string(code.low);
    if (code.high != code.low)
        text += " to " + std::to_string(code.high);
    return text;
}

void addSection(
    std::vector<std::string>& lines, const char* heading, const char* anchor, const std::vector<VariableDoc>& docs)
{
    lines.push_back(std::string("<h2><a name=\"") + anchor + "\">" + heading + "</a></h2>");
    lines.push_back("<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\">");
    lines.push_back("<tr><th>No.</th><th>Variable</th><th>Description</th></tr>");
    for (std::size_t i = 0; i < docs.size(); ++i)
        lines.push_back("<tr><td>" + std::to_string(i + 1) + "</td><td><a href=\"#" + anchor + "_" + docs[i].name
            + "\">" + docs[i].name + "</a></td><td>" + html(docs[i].description) + "</td></tr>");
    lines.push_back("</table>");
    for (const VariableDoc& doc : docs) {
        lines.push_back(std::string("<h3><a name=\"") + anchor + "_" + doc.name + "\">" + doc.name + "</a></h3>");
        lines.push_back("<p>" + html(doc.description) + "</p>");
        lines.push_back("<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\">");
        lines.push_back("<tr><th>Code</th><th>Meaning</th></tr>");
        for (const CodeRange& code : doc.codes)
            lines.push_back("<tr><td>" + codeText(code) + "</td><td>" + html(code.meaning) + "</td></tr>");
        lines.push_back("</table>");
    }
}

std::vector<VariableLabel> labelsOf(const std::vector<VariableDoc>& docs)
{
    std::vector<VariableLabel> labels;
    for (const VariableDoc& doc : docs) {
        VariableLabel label { doc.name, doc.description, {} };
        for (const CodeRange& code : doc.codes)
            label.codes.push_back({ code.low, code.high, code.meaning });
        labels.push_back(std::move(label));
    }
    return labels;
}

} // namespace

bool VariableDoc::documents(int value) const
{
    for (const CodeRange& code : codes)
        if (value >= code.low && value <= code.high)
            return true;
    return false;
}

const std::vector<VariableDoc>& householdVariableDocs()
{
    static const std::vector<VariableDoc> docs = makeHouseholdDocs();
    return docs;
}

const std::vector<VariableDoc>& individualVariableDocs()
{
    static const std::vector<VariableDoc> docs = makeIndividualDocs();
    return docs;
}

VariableLabels demoVariableLabels()
{
    return { labelsOf(householdVariableDocs()), labelsOf(individualVariableDocs()) };
}

void writeGlossaryPages(const std::string& folder)
{
    std::vector<std::string> original = pageStart("Original SAR variables");
    original.insert(original.end(),
        { "<p>The households and persons of this edition are a synthetic mini-replica of the 1991 "
          "Sample of Anonymised Records: 1000 household records and 2514 person records. The codes "
          "below are those the replica uses. A value of -9 means that the question does not apply "
          "to the person.</p>",
            "<p>Contents: <a href=\"#household\">household variables</a>, "
            "<a href=\"#individual\">individual variables</a>. See also the "
            "<a href=\"Derived_Variables.htm\">derived variables</a>.</p>" });
    addSection(original, "Household variables", "household", householdVariableDocs());
    addSection(original, "Individual variables", "individual", individualVariableDocs());
    original.insert(original.end(), { "</body>", "</html>" });
    writeLines(folder + "Original_Variables.htm", original);

    std::vector<std::string> derived = pageStart("Derived SAR variables");
    derived.insert(derived.end(),
        { "<p>Derived variables are not included in this edition. Only the original SAR variables "
          "can be extracted.</p>",
            "<p>See the <a href=\"Original_Variables.htm\">original variables</a>.</p>", "</body>", "</html>" });
    writeLines(folder + "Derived_Variables.htm", derived);
    writeVariableLabels(folder + kVariableLabelsFile, demoVariableLabels());
}
