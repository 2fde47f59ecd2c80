// The column's numbers as the details and the record show them, by the
// general method: Md,tot past λ = 90 and the station where it is.
#include "report/ColumnText.h"
#include "engine/column/Combinations.h"
#include "tests/engine/TestCases.h"

#include <gtest/gtest.h>

#include <cmath>

namespace flexara {
namespace {

TEST(ColumnText, TheGeneralMethodShowsMdTotAndItsStationPastLambda90)
{
    // The 20 x 40 column, le = 866,03 cm about y (λ = 150) and 300 about x:
    // equal end moments, so the largest moment is at mid-height, station 20,
    // z = 866,03/2 = 433,0 cm; about x (λ = 26) too, z = 150,0 cm.
    auto s = testing::MakeColumn20x40();
    Column column;
    column.bending[0] = ColumnBending{300, SupportCondition::PinnedWithoutTransverseLoads};
    column.bending[1] = ColumnBending{150 * 20 / std::sqrt(12.0), SupportCondition::PinnedWithoutTransverseLoads};
    column.method = SecondOrderMethod::General;
    column.creepCoefficient = 1.0;
    column.quasiPermanentShare = 0.2;
    const CombinationResult result =
        CheckCombinations(*s, MaterialSelection{}, {{"c", -100, 4, 4, 4.0, 4.0}}, column, 1).rows[0];
    ASSERT_EQ(result.column->status, ColumnCheckStatus::Checked);
    const std::vector<ColumnNumberRow> rows = ColumnNumberRows(*result.column, column.method);
    bool station = false, total = false;
    for (const ColumnNumberRow& row : rows) {
        if (row.label == "z de Md,tot") {
            station = true;
            EXPECT_EQ(row.mx, "150,0");
            EXPECT_EQ(row.my, "433,0");
        }
        if (row.label == "Md,tot") {
            total = true;
            EXPECT_NE(row.my, "-");
            EXPECT_NE(row.mx, "-");
        }
    }
    EXPECT_TRUE(station);
    EXPECT_TRUE(total);
}

} // namespace
} // namespace flexara
