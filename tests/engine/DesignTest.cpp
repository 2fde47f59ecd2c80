// The design of the reinforcement: the diameter chosen by η and by the limits
// of the steel area, none when no diameter suffices, and the continuous area
// for which the governing η is 1.
#include "engine/design/Design.h"

#include "engine/case/CaseEditing.h"
#include "engine/case/Shapes.h"
#include "tests/engine/TestCases.h"
#include "texts/Words.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <optional>

namespace flexara {
namespace {

LoadCombination Row(const char* name, double nd, double mxd, double myd)
{
    return LoadCombination{name, nd, mxd, myd};
}

// The governing η of the check with every bar's area times factor.
double GoverningEtaWithFactor(const AnalysisState& base, const CombinationList& rows, double factor,
                              const std::optional<Column>& column = std::nullopt)
{
    auto s = std::make_unique<AnalysisState>(base);
    for (int k = 0; k < s->LineCount; ++k)
        s->BarLines[static_cast<std::size_t>(k)].Diameter *= std::sqrt(factor);
    const CombinationCheck check = CheckCombinations(*s, MaterialSelection{}, rows, column, 1);
    const CombinationResult& governing = check.rows[static_cast<std::size_t>(check.governing)];
    return governing.status == CombinationStatus::Holds ? governing.utilisation.value_or(0.0) : HUGE_VAL;
}

// A 20 x 40 column 3 m long both ways, pinned at both ends, by the curvature
// method: λ = 300·√12/20 = 52,0 about the short side, 26,0 about the long.
Column PinnedColumn300()
{
    Column column;
    column.bending[0] = ColumnBending{300.0, SupportCondition::PinnedWithoutTransverseLoads};
    column.bending[1] = ColumnBending{300.0, SupportCondition::PinnedWithoutTransverseLoads};
    column.method = SecondOrderMethod::Curvature;
    return column;
}

TEST(Design, TheDiameterChosenByEtaByTheMinimumAreaOrNone)
{
    struct Case {
        const char* name;
        CombinationList rows;
        double chosen; // mm, 0 for none
    };
    // The 20 x 40 column, four bars at 4 cm from the faces, C-30, CA-50 A.
    // Ac = 800 cm², As,max = 32 cm².
    const Case cases[] = {
        // ELU 1 governs: η = 1,0017 with 12,5 mm and 0,8221 with 16 mm (the
        // check of each diameter); As = 8,04 cm² is within the limits.
        {"eta", {Row("ELU 1", -500, 100, 0), Row("ELU 2", -1200, 40, 20)}, 16.0},
        // Every diameter from 5 mm holds (η = 0,34 with 5 mm), but As,min =
        // 0,15 · 1400 / 43,478 = 4,830 cm² > 0,004 · 800 = 3,2 cm²: 10 mm gives
        // 3,14 cm² and 12,5 mm 4,91 cm².
        {"minimum area", {Row("B", -1400, 5, 0), Row("C", -200, 10, 5)}, 12.5},
        // 25 mm still fails (η = 1,48); 32 mm (32,17 cm²) and 40 mm are beyond
        // As,max = 32 cm².
        {"none", {Row("A", -500, 300, 0)}, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = testing::MakeColumn20x40();
        const DesignResult one = DesignReinforcement(*s, MaterialSelection{}, c.rows, std::nullopt, 1);
        ASSERT_EQ(one.options.size(), BarDiameters.size());
        EXPECT_EQ(one.chosen >= 0 ? one.options[static_cast<std::size_t>(one.chosen)].diameter : 0.0, c.chosen);
        EXPECT_EQ(one.limits.maximum, 32.0);
        for (const DesignOption& o : one.options) {
            SCOPED_TRACE(o.diameter);
            // Four bars of the diameter: 4·π·d²/400.
            EXPECT_NEAR(o.steelArea, std::acos(-1.0) * o.diameter * o.diameter / 100.0, 1e-12);
            EXPECT_EQ(o.belowColumnDiameter, o.diameter < 10.0);
            EXPECT_EQ(o.aboveMaximum, o.steelArea > 32.0);
        }
        // The same on two threads, bit for bit.
        const DesignResult two = DesignReinforcement(*s, MaterialSelection{}, c.rows, std::nullopt, 2);
        EXPECT_EQ(two.chosen, one.chosen);
        for (std::size_t i = 0; i < one.options.size(); ++i) {
            ASSERT_EQ(two.options[i].governingEta.has_value(), one.options[i].governingEta.has_value());
            if (one.options[i].governingEta) {
                EXPECT_EQ(std::memcmp(&*two.options[i].governingEta, &*one.options[i].governingEta, sizeof(double)), 0);
            }
        }
        ASSERT_EQ(two.factorNeeded.has_value(), one.factorNeeded.has_value());
        if (one.factorNeeded) {
            EXPECT_EQ(*two.factorNeeded, *one.factorNeeded);
        }
    }
}

// A bar is a circle of its diameter about its centre: it fits where the
// circle lies inside the outline, its rim on a face at most. Distances by
// hand from the coordinates.
TEST(Design, ABarFitsWhereItsCircleLiesInsideTheOutline)
{
    struct Case {
        const char* name;
        std::function<void(AnalysisState&)> outline; // none: the 20 x 40 rectangle
        Point bar;
        double diameter; // mm
        bool fits;
    };
    // The L: a 40 x 40 square less its corner above (15, 15).
    const auto ell = [](AnalysisState& s) {
        testing::SetFreePolygon(s, {{0, 0}, {40, 0}, {40, 15}, {15, 15}, {15, 40}, {0, 40}});
    };
    // The box of examples/caixao.fxr: 100 x 80, walls of 15, slabs of 25
    // (bottom) and 20 (top); its outline reaches the hole (15..85 by 25..60)
    // through a slit at y = 60 across the right wall.
    const auto box = [](AnalysisState& s) {
        s.Section.ShapeKind = ShapeBox;
        s.Section.VertexCount = ShapeFamilyOf(ShapeBox).vertexCount;
        const double dims[] = {15, 15, 100, 80, 20, 25};
        for (int k = 0; k < 6; ++k)
            s.ShapeDims[static_cast<std::size_t>(k)] = dims[k];
        BuildSectionPolygon(s);
    };
    const Case cases[] = {
        // 4 cm from two faces: a radius of 4 cm touches both.
        {"cover of 4 cm, 80 mm", nullptr, {4, 4}, 80, true},
        {"cover of 4 cm, 80,2 mm", nullptr, {4, 4}, 80.2, false},
        {"2 cm from x = 0, 40 mm", nullptr, {2, 3}, 40, true},
        {"2 cm from x = 0, 41 mm", nullptr, {2, 3}, 41, false},
        // Centred in the 20 cm width: 200 mm touches both sides.
        {"the whole width", nullptr, {10, 20}, 200, true},
        {"wider than the section", nullptr, {10, 20}, 201, false},
        {"outside", nullptr, {25, 20}, 5, false},
        {"centre on an edge", nullptr, {0, 20}, 5, false},
        // In the leg, 3 cm from the face x = 15 (the corner 4,24 cm away).
        {"L, beside the inner face", ell, {12, 30}, 60, true},
        {"L, beside the inner face, 61 mm", ell, {12, 30}, 61, false},
        // Near the re-entrant corner the corner itself is nearest:
        // √(2² + 2²) = 2,828 cm.
        {"L, at the inner corner, 56 mm", ell, {13, 13}, 56, true},
        {"L, at the inner corner, 57 mm", ell, {13, 13}, 57, false},
        {"L, in the notch", ell, {20, 20}, 5, false},
        // 1 cm above the slit in the right wall: concrete on both sides of
        // it; the face x = 100 is 7,5 cm away, the hole's corner (85, 60)
        // √(7,5² + 1²) = 7,57 cm.
        {"box, above its slit", box, {92.5, 61}, 150, true},
        {"box, above its slit, 151 mm", box, {92.5, 61}, 151, false},
        // 1 cm above the hole's ceiling, which is a face.
        {"box, above its hole", box, {50, 61}, 20, true},
        {"box, above its hole, 25 mm", box, {50, 61}, 25, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = testing::MakeRectangleCase(20, 40, {{1, 10, c.bar.x, c.bar.y, c.bar.x, c.bar.y}});
        if (c.outline)
            c.outline(*s);
        EXPECT_EQ(BarsFitOutline(*s, c.diameter), c.fits);
    }
    // No outline, no fit.
    auto bare = testing::MakeRectangleCase(20, 40, {{1, 10, 10, 20, 10, 20}});
    bare->Section.VertexCount = 2;
    EXPECT_FALSE(BarsFitOutline(*bare, 5));
}

// A 40 x 60 column of C-30 with four bars of CA-50 A centred 1,5 cm from the
// faces: bars up to 30 mm fit, 32 and 40 mm stick out. Under centred
// compression, with Es = 21000 kN/cm² the bars carry 42 kN/cm² at the 2 per
// mil of uniform shortening: N4 = -(0,85·2,1429·2400 + 42·As) = -(4371,4 +
// 42·As) kN, -5196 kN with 25 mm (As = 19,63 cm²), -5723 kN with 32 mm
// (32,17 cm²).
TEST(Design, ADiameterThatDoesNotFitIsNeverChosen)
{
    const struct {
        const char* name;
        double nd;
        double chosen; // 0 for none
        const char* text;
    } cases[] = {
        // Beyond N4 of 25 mm, within that of 32 mm, which does not fit.
        {"only bars that stick out hold", -5450, 0,
         "Nenhum diâmetro atende: com 32 mm as combinações atenderiam, mas as barras não cabem na seção."},
        // Within N4 of 25 mm; 22 mm (15,21 cm²) is below As,mín =
        // 0,15·5000/43,478 = 17,25 cm².
        {"25 mm fits", -5000, 25, "Diâmetro escolhido: 25 mm (η = 0,00)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = testing::MakeRectangleCase(40, 60, {{2, 10, 1.5, 1.5, 38.5, 1.5}, {2, 10, 1.5, 58.5, 38.5, 58.5}});
        const DesignResult result =
            DesignReinforcement(*s, MaterialSelection{}, {Row("N", c.nd, 0, 0)}, std::nullopt, 1);
        ASSERT_EQ(result.options.size(), BarDiameters.size());
        for (const DesignOption& o : result.options) {
            SCOPED_TRACE(o.diameter);
            EXPECT_EQ(o.fits, o.diameter <= 30.0);
        }
        EXPECT_TRUE(result.options[9].allHold && result.options[9].LimitsHold()) << "32 mm holds";
        EXPECT_EQ(result.chosen >= 0 ? result.options[static_cast<std::size_t>(result.chosen)].diameter : 0.0,
                  c.chosen);
        EXPECT_EQ(DesignChoiceText(result), c.text);
        EXPECT_EQ(DesignLimitsText(result.options[10]), "não cabe");
    }
}

// Without a bar there is no diameter to give: nothing is tried, and the
// choice says why.
TEST(Design, ACaseWithoutBarsSaysSo)
{
    const struct {
        const char* name;
        std::initializer_list<testing::LineSpec> lines;
    } cases[] = {
        {"no lines", {}},
        {"lines of no bars", {{0, 20, 4, 4, 16, 4}, {0, 20, 4, 36, 16, 36}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = testing::MakeRectangleCase(20, 40, c.lines);
        const DesignResult result =
            DesignReinforcement(*s, MaterialSelection{}, {Row("A", -500, 60, 20)}, std::nullopt, 1);
        EXPECT_TRUE(result.withoutBars);
        EXPECT_TRUE(result.options.empty());
        EXPECT_EQ(result.chosen, -1);
        EXPECT_EQ(DesignChoiceText(result), "O caso não tem barras: acrescente linhas de barras para que o "
                                            "dimensionamento escolha o seu diâmetro.");
    }
    EXPECT_FALSE(
        DesignReinforcement(*testing::MakeColumn20x40(), MaterialSelection{}, {Row("A", -500, 60, 20)}, std::nullopt, 1)
            .withoutBars);
}

TEST(Design, TheAreaNeededBringsTheGoverningEtaToOne)
{
    const CombinationList rows = {Row("ELU 1", -500, 100, 0), Row("ELU 2", -1200, 40, 20)};
    auto s = testing::MakeColumn20x40();
    const DesignResult result = DesignReinforcement(*s, MaterialSelection{}, rows, std::nullopt, 2);
    ASSERT_TRUE(result.factorNeeded.has_value());
    const double k = *result.factorNeeded;
    // Four 20 mm bars: As = 12,566 cm².
    EXPECT_NEAR(result.currentArea, 4 * std::acos(-1.0), 1e-12);
    EXPECT_NEAR(*result.areaNeeded, k * result.currentArea, 1e-12);
    // The least factor within 1e-4: it holds, and 2e-4 less does not.
    EXPECT_LE(GoverningEtaWithFactor(*s, rows, k), 1.0);
    EXPECT_GT(GoverningEtaWithFactor(*s, rows, k * (1 - 2e-4)), 1.0);
    // Between the areas of 12,5 mm (η just above 1) and 16 mm.
    EXPECT_GT(*result.areaNeeded, result.options[4].steelArea);
    EXPECT_LT(*result.areaNeeded, result.options[5].steelArea);
}

TEST(Design, AColumnIsDesignedOverEverySituationOfEveryCombination)
{
    // Moments of opposite signs at the base on the second row: the
    // intermediate section and the minimum envelope govern, not the ends.
    CombinationList rows = {Row("ELU 1", -500, 60, 10), Row("ELU 2", -1200, 25, 12)};
    rows[1].MxdBase = -10.0;
    rows[1].MydBase = -6.0;
    const std::optional<Column> column = PinnedColumn300();
    auto s = testing::MakeColumn20x40();
    const DesignResult one = DesignReinforcement(*s, MaterialSelection{}, rows, column, 1);
    const DesignResult two = DesignReinforcement(*s, MaterialSelection{}, rows, column, 2);
    const DesignResult asSection = DesignReinforcement(*s, MaterialSelection{}, rows, std::nullopt, 1);
    ASSERT_EQ(one.options.size(), BarDiameters.size());
    for (std::size_t i = 0; i < one.options.size(); ++i) {
        const DesignOption& o = one.options[i];
        SCOPED_TRACE(o.diameter);
        // Each diameter against the combinations' own check of the case with
        // that diameter in every line, as a column.
        auto withDiameter = std::make_unique<AnalysisState>(*s);
        ApplyDiameterToEveryLine(*withDiameter, o.diameter);
        const CombinationCheck check = CheckCombinations(*withDiameter, MaterialSelection{}, rows, column, 1);
        ASSERT_GE(check.governing, 0);
        const CombinationResult& governing = check.rows[static_cast<std::size_t>(check.governing)];
        EXPECT_EQ(o.governingRow, check.governing);
        EXPECT_EQ(o.allHold, governing.status == CombinationStatus::Holds);
        ASSERT_EQ(o.governingEta.has_value(), governing.utilisation.has_value());
        if (o.governingEta) {
            EXPECT_EQ(*o.governingEta, *governing.utilisation);
            // The second order only adds to the moments of the sections.
            ASSERT_TRUE(asSection.options[i].governingEta.has_value());
            EXPECT_GT(*o.governingEta, *asSection.options[i].governingEta);
        }
        ASSERT_EQ(two.options[i].governingEta.has_value(), o.governingEta.has_value());
        if (o.governingEta) {
            EXPECT_EQ(std::memcmp(&*two.options[i].governingEta, &*o.governingEta, sizeof(double)), 0);
        }
    }
    ASSERT_GE(one.chosen, 0);
    ASSERT_GE(asSection.chosen, 0);
    // ELU 2 governs every diameter as a column: η = 1,039 with 20 mm and
    // 0,942 with 22 mm (the column check of each); as a section a smaller
    // diameter holds.
    EXPECT_EQ(one.options[static_cast<std::size_t>(one.chosen)].diameter, 22.0);
    EXPECT_GT(one.chosen, asSection.chosen);
    EXPECT_EQ(two.chosen, one.chosen);
    // The area needed brings the governing η of the column check to 1.
    ASSERT_TRUE(one.factorNeeded.has_value());
    ASSERT_TRUE(two.factorNeeded.has_value());
    EXPECT_EQ(*two.factorNeeded, *one.factorNeeded);
    EXPECT_LE(GoverningEtaWithFactor(*s, rows, *one.factorNeeded, column), 1.0);
    EXPECT_GT(GoverningEtaWithFactor(*s, rows, *one.factorNeeded * (1 - 2e-4), column), 1.0);
}

TEST(Design, TheLimitsOfTheSteelAreaAndWhetherTheCaseMeetsThem)
{
    struct Case {
        const char* name;
        CombinationList rows;
        double diameter; // of the four bars, mm
        double minimum;  // As,min, cm²
        bool meets;
    };
    // Ac = 800 cm², fyd = 50/1,15 = 43,478 kN/cm²; As,max = 32 cm² whatever Nd.
    const Case cases[] = {
        // 0,15·1400/43,478 = 4,830 cm² > 0,004·800 = 3,2; four 20 mm: 12,566 cm².
        {"by the force", {Row("A", -200, 0, 0), Row("B", -1400, 0, 0)}, 20.0, 0.15 * 1400 * 1.15 / 50, true},
        // 0,15·600/43,478 = 2,07 < 3,2: the area governs; four 10 mm: 3,1416 < 3,2.
        {"by the area", {Row("A", -600, 0, 0)}, 10.0, 3.2, false},
        // Tension only: the most compressed Nd is none, the area governs.
        {"tension", {Row("A", 300, 10, 0)}, 12.5, 3.2, true},
        // Four 40 mm: 50,27 cm² > 32.
        {"above the maximum", {Row("A", -1400, 0, 0)}, 40.0, 0.15 * 1400 * 1.15 / 50, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = testing::MakeColumn20x40();
        ApplyDiameterToEveryLine(*s, c.diameter);
        const SteelLimits limits = SteelLimitsOf(*s, MaterialSelection{}, c.rows);
        EXPECT_NEAR(limits.concreteArea, 800.0, 1e-9);
        EXPECT_NEAR(limits.minimum, c.minimum, 1e-12);
        EXPECT_NEAR(limits.maximum, 32.0, 1e-12);
        EXPECT_NEAR(limits.steelArea, std::acos(-1.0) * c.diameter * c.diameter / 100.0, 1e-12);
        EXPECT_EQ(limits.Meets(), c.meets);
    }
}

TEST(Design, ACancelledSearchSaysSo)
{
    auto s = testing::MakeColumn20x40();
    WorkProgress progress;
    progress.cancel = true;
    const DesignResult result =
        DesignReinforcement(*s, MaterialSelection{}, {Row("A", -500, 100, 0)}, std::nullopt, 2, &progress);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.chosen, -1);
}

} // namespace
} // namespace flexara
