// The design of an arrangement of a rectangular column: the bars placed at
// the cover, the arrangements the clear spacing allows, the 20 × 50 column
// whose lightest arrangement is worked by hand from independent checks of the
// arrangements written out line by line, the bounds and the threads that
// change no result, and the choice whose applied case passes the check.
#include "engine/design/Arrangement.h"
#include "engine/case/BarLayout.h"
#include "engine/study/CaseVerdict.h"
#include "tests/engine/TestCases.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <tuple>

namespace flexara {
namespace {

using testing::LineSpec;
using testing::MakeRectangleCase;

// The arrangement written out by hand in a 20 × 50: corners at a = c + φt +
// φ/2 with c = 3 cm and φt = 5 mm, nx bars evenly between the corners of the
// faces y = a and y = 50 − a, ny between those of x = a and x = 20 − a.
std::unique_ptr<AnalysisState> ByHand(int nx, int ny, double d)
{
    const double a = 3.0 + 0.5 + d / 20.0;
    std::unique_ptr<AnalysisState> s;
    if (ny == 0)
        s = MakeRectangleCase(20, 50, {{nx + 2, d, a, a, 20 - a, a}, {nx + 2, d, a, 50 - a, 20 - a, 50 - a}});
    else {
        const double sy = (50 - 2 * a) / (ny + 1);
        s = MakeRectangleCase(20, 50,
                              {{nx + 2, d, a, a, 20 - a, a},
                               {nx + 2, d, a, 50 - a, 20 - a, 50 - a},
                               {ny, d, a, a + sy, a, 50 - a - sy},
                               {ny, d, 20 - a, a + sy, 20 - a, 50 - a - sy}});
    }
    return s;
}

std::optional<double> EtaOf(const AnalysisState& s, const CombinationList& rows)
{
    const CombinationCheck check = CheckCombinations(s, MaterialSelection{}, rows, std::nullopt, 1);
    return check.rows[static_cast<std::size_t>(check.governing)].utilisation;
}

const ArrangementOption* Find(const ArrangementDesign& design, int nx, int ny, double d)
{
    for (const ArrangementOption& o : design.options)
        if (o.arrangement.barsX == nx && o.arrangement.barsY == ny && o.arrangement.diameter == d)
            return &o;
    return nullptr;
}

// Bending about x dominant: Mxd compresses the y = 50 face.
const CombinationList Rows20x50 = {{"ELU 1", -1000, 140, 5}, {"ELU 2", -600, 45, 8}, {"ELU 3", -1200, 20, 3}};

TEST(Arrangement, BarsPlacedAtTheCover)
{
    auto s = MakeRectangleCase(20, 50, {});
    // φ20, φt 5: a = 3 + 0,5 + 1,0 = 4,5; two bars between the y-face corners
    // at 4,5 + 41/3 and 45,5 − 41/3.
    WriteArrangement(*s, Arrangement{1, 2, 20, 5}, 3.0);
    ASSERT_EQ(s->LineCount, 4);
    const struct {
        int line, bar;
        double x, y;
    } bars[] = {{0, 1, 4.5, 4.5},
                {0, 2, 10, 4.5},
                {0, 3, 15.5, 4.5},
                {1, 3, 15.5, 45.5},
                {2, 1, 4.5, 4.5 + 41.0 / 3},
                {2, 2, 4.5, 45.5 - 41.0 / 3},
                {3, 1, 15.5, 4.5 + 41.0 / 3}};
    for (const auto& b : bars) {
        SCOPED_TRACE(b.line * 10 + b.bar);
        const Point p = BarPosition(s->BarLines[static_cast<std::size_t>(b.line)], b.bar);
        EXPECT_NEAR(p.x, b.x, 1e-12);
        EXPECT_NEAR(p.y, b.y, 1e-12);
        EXPECT_EQ(s->BarLines[static_cast<std::size_t>(b.line)].Diameter, 20);
    }
    EXPECT_EQ(Arrangement({1, 2, 20, 5}).Count(), 10);

    // Eight bars between corners 32 cm apart (φ10 in a 20 × 40: a = 4) stand
    // 32/9 cm apart: the first at 4 + 3,5555... kept to the 15 digits a field
    // and the file keep, so that the case checked is the case written.
    auto t = MakeRectangleCase(20, 40, {});
    WriteArrangement(*t, Arrangement{0, 8, 10, 5}, 3.0);
    EXPECT_EQ(t->BarLines[2].Y1, 7.55555555555556);
    EXPECT_EQ(t->BarLines[2].Y2, 32.4444444444444);
    EXPECT_EQ(t->BarLines[2].BarCount, 8);
}

TEST(Arrangement, TheLightestOfA20x50WorkedByHand)
{
    auto s = MakeRectangleCase(20, 50, {{2, 10, 4, 4, 16, 4}, {2, 10, 4, 46, 16, 46}});
    const ArrangementDesign design =
        DesignArrangement(*s, MaterialSelection{}, Rows20x50, std::nullopt, Detailing{}, 2);
    ASSERT_TRUE(design.rectangle);
    ASSERT_GE(design.chosen, 0);

    // φ10 (a = 4): along x 12 cm between the corners: nx = 2 leaves 40 − 10
    // = 30 mm clear, nx = 3 leaves 30 − 10 = 20 < 22,8 mm; along y 42 cm: ny
    // = 11 leaves 35 − 10 = 25 mm, ny = 12 32,3 − 10 = 22,3 mm. So 3 × 12
    // arrangements of φ10.
    int tens = 0;
    for (const ArrangementOption& o : design.options)
        tens += o.arrangement.diameter == 10 ? 1 : 0;
    EXPECT_EQ(tens, 36);
    EXPECT_EQ(Find(design, 3, 0, 10), nullptr);
    EXPECT_NE(Find(design, 2, 11, 10), nullptr);

    // The corners alone leave 42 cm between the bars along y, above
    // min(2·20, 40) = 40: no arrangement with ny = 0 holds.
    const ArrangementOption* four = Find(design, 0, 0, 10);
    ASSERT_NE(four, nullptr);
    EXPECT_EQ(four->detailing.Of(DetailingRule::AxisSpacing).verdict, RuleVerdict::Fails);
    EXPECT_NEAR(four->detailing.Of(DetailingRule::AxisSpacing).value, 42, 1e-9);
    // φ < 10 mm breaks 18.4.2.1 whatever its η.
    const ArrangementOption* eights = Find(design, 1, 1, 8);
    ASSERT_NE(eights, nullptr);
    EXPECT_FALSE(eights->Holds());

    // The candidates by steel area (As,mín = max(0,15·1200/43,48, 0,4 % of
    // 1000) = 4,14 cm²): 6 φ10 (4,71), 8 φ10 (6,28: nx = 1, ny = 1 or nx =
    // 0, ny = 2), 6 φ12,5 (7,36). η of each from its own check, the lines
    // written out by hand.
    const std::optional<double> eta6 = EtaOf(*ByHand(0, 1, 10), Rows20x50);
    const std::optional<double> eta8x = EtaOf(*ByHand(1, 1, 10), Rows20x50);
    const std::optional<double> eta8y = EtaOf(*ByHand(0, 2, 10), Rows20x50);
    ASSERT_TRUE(eta6 && eta8x && eta8y);
    EXPECT_EQ(Find(design, 0, 1, 10)->governingEta, eta6);
    EXPECT_EQ(Find(design, 1, 1, 10)->governingEta, eta8x);
    EXPECT_EQ(Find(design, 0, 2, 10)->governingEta, eta8y);
    // 6 φ10 does not hold; of the two 8 φ10, (1, 1) has the bar between the
    // x-face corners 6 cm from them (within 20·φt = 10 cm) and one tie on
    // each y face (21 cm from the corners), (0, 2) two ties on each y face
    // (14 cm): with both holding, (1, 1) goes first.
    ASSERT_GT(*eta6, 1.0);
    ASSERT_LE(*eta8x, 1.0);
    EXPECT_EQ(Find(design, 1, 1, 10)->detailing.Ties(), 2);
    EXPECT_EQ(Find(design, 0, 2, 10)->detailing.Ties(), 4);
    const ArrangementOption& chosen = design.options[static_cast<std::size_t>(design.chosen)];
    EXPECT_EQ(chosen.arrangement, (Arrangement{1, 1, 10, 5}));
    EXPECT_NEAR(chosen.steelArea, 8 * 0.785398163397448, 1e-9);

    // The sorted list: every holding option before the rest, by As, count,
    // ties and nx.
    for (int i = 0; i < static_cast<int>(design.options.size()); ++i)
        EXPECT_EQ(design.options[static_cast<std::size_t>(i)].Holds(), i < design.holding) << i;
    for (int i = 1; i < design.holding; ++i) {
        const ArrangementOption& p = design.options[static_cast<std::size_t>(i - 1)];
        const ArrangementOption& q = design.options[static_cast<std::size_t>(i)];
        EXPECT_LE(std::make_tuple(p.steelArea, p.arrangement.Count(), p.detailing.Ties(), p.arrangement.barsX),
                  std::make_tuple(q.steelArea, q.arrangement.Count(), q.detailing.Ties(), q.arrangement.barsX));
    }
}

void ExpectSameOptions(const ArrangementDesign& a, const ArrangementDesign& b)
{
    ASSERT_EQ(a.options.size(), b.options.size());
    EXPECT_EQ(a.chosen, b.chosen);
    EXPECT_EQ(a.holding, b.holding);
    for (std::size_t i = 0; i < a.options.size(); ++i) {
        SCOPED_TRACE(i);
        const ArrangementOption &p = a.options[i], &q = b.options[i];
        EXPECT_EQ(p.arrangement, q.arrangement);
        EXPECT_EQ(p.governingRow, q.governingRow);
        ASSERT_EQ(p.governingEta.has_value(), q.governingEta.has_value());
        if (p.governingEta) {
            EXPECT_EQ(std::memcmp(&*p.governingEta, &*q.governingEta, sizeof(double)), 0);
        }
        EXPECT_EQ(p.governingStatus, q.governingStatus);
        EXPECT_EQ(p.Holds(), q.Holds());
    }
}

TEST(Arrangement, BoundsAndThreadsChangeNoResult)
{
    auto s = MakeRectangleCase(20, 50, {});
    CombinationList rows = Rows20x50;
    rows.push_back({"ELU 4", -300, 5, 30});
    rows.push_back({"ELU 5", -1500, 10, 10});
    const ArrangementDesign whole = DesignArrangement(*s, MaterialSelection{}, rows, std::nullopt, Detailing{}, 1,
                                                      nullptr, CurveReading::AroundEachRay, false);
    const ArrangementDesign bounded1 = DesignArrangement(*s, MaterialSelection{}, rows, std::nullopt, Detailing{}, 1);
    const ArrangementDesign bounded2 = DesignArrangement(*s, MaterialSelection{}, rows, std::nullopt, Detailing{}, 2);
    ExpectSameOptions(whole, bounded1);
    ExpectSameOptions(bounded1, bounded2);
    EXPECT_EQ(bounded1.readings, bounded2.readings);
    // Five Nd for every arrangement without the bounds; fewer with them.
    EXPECT_EQ(whole.readings, static_cast<int>(5 * whole.options.size()));
    EXPECT_LT(bounded1.readings, whole.readings);
}

TEST(Arrangement, TheChoiceAppliedPassesTheCheck)
{
    const struct {
        const char* name;
        std::optional<Column> column;
        Detailing detailing;
    } cases[] = {
        {"a section, class II", std::nullopt, Detailing{}},
        {"a column 3 m long, class IV",
         [] {
             Column c;
             c.bending[0] = ColumnBending{300, SupportCondition::PinnedWithoutTransverseLoads};
             c.bending[1] = ColumnBending{300, SupportCondition::PinnedWithoutTransverseLoads};
             return std::optional<Column>(c);
         }(),
         Detailing{EnvironmentClass::IV, 3.0, std::nullopt, 19.0, std::nullopt}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = MakeRectangleCase(20, 50, {});
        const CombinationList rows = {{"ELU 1", -900, 30, 10}, {"ELU 2", -500, 10, 25}};
        const ArrangementDesign design = DesignArrangement(*s, MaterialSelection{}, rows, c.column, c.detailing, 2);
        ASSERT_GE(design.chosen, 0);
        const ArrangementOption& chosen = design.options[static_cast<std::size_t>(design.chosen)];
        Detailing applied = c.detailing;
        ApplyArrangement(*s, applied, chosen);
        UpdateReinforcementRatio(*s);
        EXPECT_EQ(applied.stirrupDiameter, chosen.arrangement.stirrupDiameter);
        const CombinationCheck check = CheckCombinations(*s, MaterialSelection{}, rows, c.column, 1);
        const CaseVerdict verdict = JudgeCase(*s, MaterialSelection{}, rows, check, c.column, applied);
        EXPECT_TRUE(verdict.holds);
        EXPECT_EQ(verdict.utilisation, chosen.governingEta);
        // A column's situation that governs, as its own check finds it; none
        // for a section.
        EXPECT_EQ(chosen.governingSituation, verdict.governingSituation);
        EXPECT_EQ(chosen.governingSituation.has_value(), c.column.has_value());
        // Every lighter arrangement listed fails a combination or a rule.
        for (const ArrangementOption& o : design.options)
            if (o.steelArea < chosen.steelArea) {
                EXPECT_FALSE(o.Holds());
            }
    }
}

TEST(Arrangement, OnlyARectangleIsSearched)
{
    auto s = testing::MakeColumn20x40();
    testing::SetFreePolygon(*s, {{0, 0}, {20, 0}, {20, 40}, {0, 40}});
    const ArrangementDesign design =
        DesignArrangement(*s, MaterialSelection{}, Rows20x50, std::nullopt, Detailing{}, 1);
    EXPECT_FALSE(design.rectangle);
    EXPECT_TRUE(design.options.empty());
    EXPECT_EQ(design.chosen, -1);
}

} // namespace
} // namespace flexara
