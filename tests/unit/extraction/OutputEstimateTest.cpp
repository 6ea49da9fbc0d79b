#include "extraction/ExtractRequest.h"
#include "extraction/OutputEstimate.h"
#include "geography/AreaTables.h"
#include "variables/VariableCatalogue.h"

#include <gtest/gtest.h>

TEST(OutputEstimate, SizeTextIsCutNotRounded)
{
    const std::pair<double, const char*> rows[] = {
        { 0.06, "0.0" },
        { 12, "12" },
        { 0.3, "0.3" }, // not cut from the binary 0.2999...
        { 0.29, "0.2" },
        { 0, "0" },
        { 2.05, "2.0" },
    };
    for (auto [value, text] : rows)
        EXPECT_EQ(estimatedSizeText(value), text) << value;
}

namespace {

struct EstimateInputs {
    ExtractRequest request;
    VariableCatalogue catalogue = builtInVariableCatalogue();
    AreaTables areas;
    EstimateInputs()
    {
        catalogue.hhVarWidths.fill(3);
        catalogue.indVarWidths.fill(2);
        catalogue.hhVarWidths[1] = catalogue.indVarWidths[1] = catalogue.indVarWidths[2] = 4;
    }
};

} // namespace

TEST(OutputEstimate, AreaSelectionCombinedAndSpatialWidths)
{
    EstimateInputs s;
    s.areas.finalWards[3] = s.areas.finalWards[kNumWards] = 1;
    s.areas.eds2Ward[3] = { 2, 0, 700, 300 };
    s.areas.eds2Ward[kNumWards] = { 1, 0, 300, 100 };
    s.areas.eds2Ward[4] = { 1, 0, 5000, 5000 }; // not chosen
    s.catalogue.hhSelected[0] = s.catalogue.hhSelected[4] = 1; // Lh = 3 + 1
    s.catalogue.indSelected[0] = s.catalogue.indSelected[2] = 1; // Li = 4 + 1
    s.request.spatialCodeFlags[kSpatialCountry] = s.request.spatialCodeFlags[kSpatialEd] = true; // S = 18

    OutputEstimate separate = estimateOutputSize(s.request, false, s.catalogue, s.areas);
    // H = 400, P = 1000; Lh = 4 + 18 + 1 = 23, Li = 5 + 18 + 1 = 24.
    EXPECT_DOUBLE_EQ(separate.size, (400.0 * 23 + 1000.0 * 24) / 1048576);
    OutputEstimate combined = estimateOutputSize(s.request, true, s.catalogue, s.areas);
    // Li = 24 + 23 - 18, Lh = 0.
    EXPECT_DOUBLE_EQ(combined.size, 1000.0 * 29 / 1048576);
}

// Gigabytes only above 1024 Mb; the size warning still gets megabytes, whichever
// unit the text shows (2.9 Gb is far above a 500 Mb threshold).
TEST(OutputEstimate, GigabytesOnlyAbove1024MegabytesWhichStayMegabytes)
{
    struct Row {
        int wards;
        std::int16_t households; // in each ward, on 256-byte lines
        const char* shown;
    };
    for (const Row& row : { Row { 1, 3400, "0.8 Mb" }, Row { 256, 16384, "1024 Mb" }, Row { 384, 16384, "1.5 Gb" },
             Row { 275, 16384, "1.0 Gb" } }) {
        EstimateInputs s;
        s.catalogue.hhSelected[0] = s.catalogue.hhSelected[1] = 1;
        s.catalogue.hhVarWidths[1] = 254;
        for (int w = 1; w <= row.wards; ++w) {
            s.areas.finalWards[w] = 1;
            s.areas.eds2Ward[w] = { 1, 0, 0, row.households };
        }
        OutputEstimate e = estimateOutputSize(s.request, false, s.catalogue, s.areas);
        EXPECT_DOUBLE_EQ(e.megabytes, row.wards * row.households * 256.0 / 1048576) << row.wards;
        EXPECT_EQ(e.text + e.unit, row.shown);
    }
}
