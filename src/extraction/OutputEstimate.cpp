#include "extraction/OutputEstimate.h"

#include "extraction/ExtractRequest.h"
#include "geography/AreaTables.h"
#include "geography/SelectionSummary.h"
#include "variables/VariableCatalogue.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

std::string estimatedSizeText(double size)
{
    // Fifteen significant digits first, as a number prints, so that 0.3 is cut from
    // "0.300..." and not from the binary 0.2999...
    int magnitude = size > 0 ? static_cast<int>(std::floor(std::log10(size))) : 0;
    int decimals = std::max(0, 14 - magnitude);
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, size);
    std::string text = buffer;
    std::size_t point = text.find('.');
    if (point == std::string::npos)
        return text;
    if (text.find_first_not_of('0', point + 1) == std::string::npos)
        return text.substr(0, point);
    return text.substr(0, point + 2);
}

OutputEstimate estimateOutputSize(const ExtractRequest& request, bool combinedChosen,
    const VariableCatalogue& catalogue, const AreaTables& areas, const std::optional<CountedCases>& counted)
{
    OutputEstimate e;
    if (request.useUserEdList) {
        e.households = static_cast<double>(kAssumedHouseholdsPerEd) * static_cast<double>(request.userListEdCount);
        e.persons = static_cast<double>(kAssumedPersonsPerEd) * static_cast<double>(request.userListEdCount);
        e.eds = static_cast<double>(request.userListEdCount);
    } else {
        const SelectionCounts counts = countFinalWards(areas);
        e.households = static_cast<double>(counts.households);
        e.persons = static_cast<double>(counts.persons);
        e.eds = static_cast<double>(counts.eds);
    }
    if (counted) {
        e.households = counted->households;
        e.persons = counted->persons;
    }

    double spatial = 0;
    for (int i = 0; i < kNumSpatialCodes; ++i)
        if (request.spatialCodeFlags[i])
            spatial += kSpatialCodes[static_cast<std::size_t>(i)].width;

    double hhLength = 0;
    for (int k = 1; k <= kNumHhVars; ++k)
        if (catalogue.hhSelected[k] == 1)
            hhLength += catalogue.hhVarWidths[k] + 1;
    double indLength = 0;
    for (int k = 1; k <= kNumIndVars; ++k)
        if (catalogue.indSelected[k] == 1)
            indLength += catalogue.indVarWidths[k] + 1;

    if (catalogue.indSelected[0] == 1)
        indLength += spatial + 1;
    if (catalogue.hhSelected[0] == 1)
        hhLength += spatial + 1;
    if (combinedChosen) {
        indLength += hhLength - spatial;
        hhLength = 0;
    }

    e.megabytes = (e.households * hhLength + e.persons * indLength) / kBytesPerMegabyte;
    if (request.compress && request.format == OutputFormat::Csv)
        e.megabytes /= kGzipRatio;
    else if (request.compress && request.format == OutputFormat::Spss)
        e.megabytes /= kZsavRatio;
    e.size = e.megabytes;
    e.unit = " Mb";
    if (e.size > 1024) {
        e.size /= 1024;
        e.unit = " Gb";
    }
    e.text = estimatedSizeText(e.size);
    return e;
}
