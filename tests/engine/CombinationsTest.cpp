// Load combinations checked on a case: the ray to the curve, the sharing of
// generations, the statuses, the governing row, and the same results on any
// number of threads.
#include "engine/column/Combinations.h"
#include "engine/Faults.h"
#include "tests/engine/TestCases.h"
#include "texts/Words.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace flexara {
namespace {

LoadCombination Row(const char* name, double nd, double mxd, double myd)
{
    return LoadCombination{name, nd, mxd, myd};
}

TEST(Combinations, TheColumnAtNdMinus500)
{
    // The value flexara-cli curve reports for the example column.
    auto s = testing::MakeColumn20x40();
    const CombinationCheck check = CheckCombinations(*s, MaterialSelection{}, {Row("ELU", -500, 60, 20)}, 1);
    ASSERT_EQ(check.rows.size(), 1u);
    const CombinationResult& r = check.rows[0];
    EXPECT_EQ(r.status, CombinationStatus::Holds);
    ASSERT_TRUE(r.utilisation.has_value());
    EXPECT_NEAR(*r.utilisation, 0.596673, 1e-6);
    ASSERT_TRUE(r.resisting.has_value());
    // On the ray through (60, 20): MR = (3·MRy, MRy), |MR| = |Md| / eta.
    EXPECT_NEAR(r.resisting->x, 3 * r.resisting->y, 1e-9);
    EXPECT_NEAR(*r.resistingMoment, std::hypot(60.0, 20.0) / *r.utilisation, 1e-9);
    // N4 = -1984.93 kN: -500 / -1984.93.
    ASSERT_TRUE(r.axialUtilisation.has_value());
    EXPECT_NEAR(*r.axialUtilisation, 500 / 1984.93, 1e-5);
    EXPECT_TRUE(r.governing);
    EXPECT_EQ(check.governing, 0);
}

TEST(Combinations, RowsWithTheSameNdShareOneGeneration)
{
    auto s = testing::MakeColumn20x40();
    const CombinationList rows = {Row("a", -500, 60, 20), Row("b", 0, 10, 0),   Row("c", -500, 0, 50),
                                  Row("d", -0.0, 0, 5),   Row("e", -800, 0, 0), Row("f", -500, -30, 0)};
    const CombinationCheck check = CheckCombinations(*s, MaterialSelection{}, rows, 2);
    EXPECT_EQ(check.generations, 3) << "-500, 0 (and -0) and -800";
    ASSERT_EQ(check.rows.size(), rows.size());
    for (const CombinationResult& r : check.rows)
        EXPECT_EQ(r.status, CombinationStatus::Holds);
    // A zero moment holds with eta 0 and no ray.
    EXPECT_EQ(*check.rows[4].utilisation, 0.0);
    EXPECT_FALSE(check.rows[4].resisting.has_value());
    EXPECT_EQ(*check.rows[1].axialUtilisation, 0.0);
}

TEST(Combinations, StatusesOfRowsThatDoNotHold)
{
    auto column = testing::MakeColumn20x40();
    const CombinationCheck check =
        CheckCombinations(*column, MaterialSelection{},
                          {Row("over", -500, 200, 0), Row("tension", 600, 0, 0), Row("ok", -500, 10, 0)}, 1);
    EXPECT_EQ(check.rows[0].status, CombinationStatus::Fails);
    EXPECT_NEAR(*check.rows[0].utilisation, 200 / 153.105, 1e-4);
    EXPECT_FALSE(check.rows[0].inside);
    EXPECT_EQ(check.rows[1].status, CombinationStatus::OutOfRange);
    EXPECT_EQ(CombinationMessage(check.rows[1]), OutOfRangeNoticeText());
    EXPECT_FALSE(check.rows[1].utilisation.has_value());
    // 600 kN of tension over N1 = 546.36 kN.
    EXPECT_NEAR(*check.rows[1].axialUtilisation, 600 / 546.364, 1e-5);
    EXPECT_EQ(check.rows[2].status, CombinationStatus::Holds);

    // A section without bars: refused, with the warning as its message.
    auto bare = testing::MakeRectangleCase(20, 40, {{0, 20, 4, 4, 16, 4}});
    const CombinationCheck refused = CheckCombinations(*bare, MaterialSelection{}, {Row("r", -100, 1, 1)}, 1);
    EXPECT_EQ(refused.rows[0].status, CombinationStatus::Refused);
    EXPECT_EQ(CombinationMessage(refused.rows[0]), "Área de concreto ou aço nula.");

    // CA-50 B with a steel factor of 2: the steel law faults.
    auto faulty = testing::MakeColumn20x40();
    faulty->GammaS = 2.0;
    const CombinationCheck error = CheckCombinations(*faulty, MaterialSelection{3, 2}, {Row("e", -100, 1, 1)}, 1);
    EXPECT_EQ(error.rows[0].status, CombinationStatus::Error);
    EXPECT_EQ(CombinationMessage(error.rows[0]), "Invalid floating point operation.");
}

TEST(Combinations, AnOriginOutsideTheCurveGivesNoUtilisation)
{
    // Bars at the bottom only: near full compression the whole curve moves to
    // one side of the origin.
    auto s = testing::MakeRectangleCase(20, 40, {{2, 20, 4, 4, 16, 4}});
    bool found = false;
    for (double nd = -1000; nd > -1900 && !found; nd -= 20) {
        const CombinationCheck check = CheckCombinations(*s, MaterialSelection{}, {Row("n", nd, 0, 0)}, 1);
        const CombinationResult& r = check.rows[0];
        if (r.status == CombinationStatus::OutOfRange)
            break;
        if (!r.utilisation) {
            found = true;
            EXPECT_FALSE(r.inside) << "Md = 0 lies where the origin is";
            EXPECT_EQ(r.status, CombinationStatus::Fails) << "judged by inside alone";
            EXPECT_FALSE(r.resisting.has_value());
        }
    }
    EXPECT_TRUE(found) << "no Nd puts the origin outside the curve";
}

TEST(Combinations, TheGoverningRow)
{
    auto with = [](CombinationStatus status, std::optional<double> eta) {
        CombinationResult r;
        r.status = status;
        r.utilisation = eta;
        return r;
    };
    using S = CombinationStatus;
    const struct {
        const char* name;
        std::vector<CombinationResult> rows;
        int governing;
    } cases[] = {
        {"largest eta", {with(S::Holds, 0.3), with(S::Holds, 0.8), with(S::Holds, 0.5)}, 1},
        {"a failing row before all that hold", {with(S::Holds, 0.99), with(S::Fails, 0.2)}, 1},
        {"out of range before the rows that hold", {with(S::Holds, 0.9), with(S::OutOfRange, std::nullopt)}, 1},
        {"refused before the rows that hold", {with(S::Refused, std::nullopt), with(S::Holds, 0.9)}, 0},
        {"no capacity before a failing eta", {with(S::Fails, 1.5), with(S::OutOfRange, std::nullopt)}, 1},
        {"the first of equals", {with(S::Holds, 0.5), with(S::Holds, 0.5)}, 0},
        {"none", {}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GoverningRow(c.rows), c.governing);
    }
}

// The bits of every double of a result.
void ExpectSameBits(const std::optional<double>& a, const std::optional<double>& b)
{
    ASSERT_EQ(a.has_value(), b.has_value());
    if (a) {
        EXPECT_EQ(std::memcmp(&*a, &*b, sizeof(double)), 0) << *a << " " << *b;
    }
}

TEST(Combinations, ParallelResultsEqualSequentialBitForBit)
{
    auto s = testing::MakeColumn20x40();
    CombinationList rows;
    for (int i = 0; i < 40; ++i)
        rows.push_back(Row("r", -1900 + 61.5 * i, 50 - 2.5 * i, 3.5 * i - 40));
    const CombinationCheck one = CheckCombinations(*s, MaterialSelection{}, rows, 1);
    for (const int threads : {2, 3, 8}) {
        SCOPED_TRACE(threads);
        const CombinationCheck many = CheckCombinations(*s, MaterialSelection{}, rows, threads);
        ASSERT_EQ(many.rows.size(), one.rows.size());
        EXPECT_EQ(many.governing, one.governing);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(many.rows[i].status, one.rows[i].status);
            ExpectSameBits(many.rows[i].utilisation, one.rows[i].utilisation);
            ExpectSameBits(many.rows[i].resistingMoment, one.rows[i].resistingMoment);
            ExpectSameBits(many.rows[i].axialUtilisation, one.rows[i].axialUtilisation);
        }
    }
    // And each row equals a check of that row alone, on a fresh copy of the case.
    for (std::size_t i = 0; i < rows.size(); i += 7) {
        const CombinationCheck alone = CheckCombinations(*s, MaterialSelection{}, {rows[i]}, 1);
        ExpectSameBits(alone.rows[0].utilisation, one.rows[i].utilisation);
    }
}

TEST(Combinations, ACancelledCheckHasNoRows)
{
    auto s = testing::MakeColumn20x40();
    WorkProgress progress;
    progress.cancel = true;
    const CombinationCheck check =
        CheckCombinations(*s, MaterialSelection{}, {Row("a", -500, 1, 1), Row("b", -600, 1, 1)}, 2, &progress);
    EXPECT_TRUE(check.cancelled);
    EXPECT_TRUE(check.rows.empty());
    EXPECT_EQ(progress.total, 2);
}

} // namespace
} // namespace flexara
