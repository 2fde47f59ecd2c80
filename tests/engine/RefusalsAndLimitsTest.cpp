// What the generation refuses before any angle (no steel class, an outline
// that is no section), and the exact proportional limit of the cold-worked
// steels.
#include "engine/Faults.h"
#include "engine/case/Shapes.h"
#include "engine/section/Curve.h"
#include "engine/section/Uproced.h"
#include "project/HeadlessLoader.h"
#include "project/ProjectFile.h"
#include "tests/engine/TestCases.h"
#include "tests/project/ProjectTestSupport.h"
#include "texts/Words.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <vector>

namespace flexara {
namespace {

struct WarningsSink : CurveSink {
    std::vector<CurveWarning> warnings;
    int points = 0;
    void ClearCurve() override { points = 0; }
    void AddCurvePoint(double, double) override { ++points; }
    void AddDesignPoint(double, double) override {}
    void SetOutOfRangeNotice(bool) override {}
    void Warn(CurveWarning w) override { warnings.push_back(w); }
};

// A free polygon with two bars well inside its square part.
std::unique_ptr<AnalysisState> PolygonCase(std::initializer_list<Point> outline)
{
    auto s = testing::MakeRectangleCase(20, 40, {{2, 12.5, 8, 8, 12, 8}});
    testing::SetFreePolygon(*s, outline);
    return s;
}

TEST(OutlineRefusal, ClockwiseAndCrossingOutlinesAreRefused)
{
    const struct {
        const char* name;
        std::unique_ptr<AnalysisState> state;
        bool refused;
    } cases[] = {
        {"counter-clockwise square", PolygonCase({{0, 0}, {20, 0}, {20, 20}, {0, 20}}), false},
        {"clockwise square", PolygonCase({{0, 0}, {0, 20}, {20, 20}, {20, 0}}), true},
        // Its two lobes cancel: the area alone would call it empty.
        {"bow-tie", PolygonCase({{0, 0}, {20, 20}, {20, 0}, {0, 20}}), true},
        // Unequal lobes: a positive area that is still no outline.
        {"lopsided bow-tie", PolygonCase({{0, 0}, {30, 30}, {30, 0}, {0, 10}}), true},
        // A hole reached through a slit whose two lips lie on one line: they
        // touch and do not cross.
        {"slit of no height",
         PolygonCase({{0, 0}, {20, 0}, {20, 15}, {15, 15}, {15, 5}, {5, 5}, {5, 15}, {20, 15}, {20, 20}, {0, 20}}),
         false},
        {"vertex on an edge", PolygonCase({{0, 0}, {20, 0}, {20, 20}, {10, 0}, {0, 20}}), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WarningsSink sink;
        const CurveOutcome outcome = GenerateCurve(*c.state, MaterialSelection{}, sink);
        if (c.refused) {
            EXPECT_TRUE(outcome.refused);
            EXPECT_EQ(sink.warnings, std::vector<CurveWarning>{CurveWarning::InvalidOutline});
            EXPECT_FALSE(outcome.referencesKnown);
        } else {
            EXPECT_EQ(std::count(sink.warnings.begin(), sink.warnings.end(), CurveWarning::InvalidOutline), 0);
        }
    }
    EXPECT_STREQ(WarningText(CurveWarning::InvalidOutline),
                 "Contorno da seção inválido: pontos no sentido horário ou lados cruzados.");
}

TEST(OutlineRefusal, TheSevenFamiliesAndTheExamplesAreSections)
{
    // Every family with sound dimensions, the box's slit included.
    const std::array<double, 6> dims[] = {
        {40, 60, 0, 0, 0, 0},     {30, 20, 0, 40, 0, 0},     {60, 20, 0, 10, 40, 0}, {20, 60, 0, 50, 15, 0},
        {15, 15, 100, 80, 20, 0}, {15, 15, 100, 80, 20, 25}, {0, 0, 0, 0, 0, 0},     {60, 15, 15, 50, 20, 20},
    };
    for (std::uint8_t kind = 0; kind < 8; ++kind) {
        if (kind == ShapeFreePolygon)
            continue;
        SCOPED_TRACE(int(kind));
        AnalysisState s;
        s.Section.ShapeKind = kind;
        s.Section.VertexCount = ShapeFamilyOf(kind).vertexCount;
        s.ShapeDims = dims[kind];
        BuildSectionPolygon(s);
        EXPECT_TRUE(IsSimpleCounterClockwise(s.Section.VertexCount, s.Section.Vertices.data()));
    }
    for (const auto& entry : std::filesystem::directory_iterator(std::string(FLEXARA_SOURCE_DIR) + "/examples")) {
        SCOPED_TRACE(entry.path().filename().string());
        auto s = std::make_unique<AnalysisState>();
        const MaterialSelection selection = LoadProjectFileHeadless(entry.path().string(), *s);
        WarningsSink sink;
        const CurveOutcome outcome = GenerateCurve(*s, selection, sink);
        EXPECT_TRUE(sink.warnings.empty());
        EXPECT_GT(sink.points, 0);
        EXPECT_FALSE(outcome.refused);
    }
}

TEST(SteelSelection, NoSteelClassIsRefusedBeforeAnyAngle)
{
    for (const std::int32_t index : {-1, 4, 100}) {
        SCOPED_TRACE(index);
        auto s = testing::MakeColumn20x40();
        WarningsSink sink;
        try {
            GenerateCurve(*s, MaterialSelection{3, index}, sink);
            FAIL() << "no refusal";
        } catch (const EngineError& error) {
            EXPECT_EQ(error.fault().kind, FaultKind::NoSteelSelected);
            EXPECT_EQ(FaultText(error.fault()), "Nenhum aço selecionado: escolha a classe do aço na lista \"Aço\"");
        }
        EXPECT_EQ(sink.points, 0);
    }
    // A file whose steel index names no class leaves no steel selected.
    auto s = std::make_unique<AnalysisState>();
    std::string text = testing::Lines({" 1.40000000000000E+0000", " 1.15000000000000E+0000", "100",
                                       " 8.50000000000000E-0001", " 0.00000000000000E+0000", " 0.00000000000000E+0000",
                                       " 0.00000000000000E+0000", "3", " 2.14285714285714E+0000", "4", "1"});
    HeadlessLoader loader(*s);
    ReadProjectText(text, loader);
    EXPECT_EQ(loader.Selection().steelIndex, -1);
}

// The stress at ±εp = 0.7·fyd/Es·1000 (per mil) for the cold-worked classes:
// elastic, 0.7·fyd, whatever the steel factor.
TEST(SteelStress, TheProportionalLimitItselfIsElastic)
{
    for (const std::int32_t steel : {2, 3}) {
        for (const double gammaS : {1.0, 1.1, 1.15, 1.19}) {
            SCOPED_TRACE(::testing::Message() << "class " << steel << ", gamma " << gammaS);
            AnalysisState s;
            s.GammaS = gammaS;
            UpdateMaterials(s, MaterialSelection{3, steel});
            const SteelLaw law = SteelLaw::FromState(s);
            for (const double sign : {1.0, -1.0}) {
                const double strain = sign * law.epsP;
                EXPECT_EQ(law.Stress(strain), static_cast<double>(s.Es * static_cast<long double>(strain) / 1000.0L));
                EXPECT_NEAR(law.Stress(strain), sign * 0.7 * s.Fyd, 1e-12);
            }
        }
    }
}

TEST(Curve, UniformShorteningWithCharacteristicSteel)
{
    // gamma_s = 1: CA-60 B has epsP = 0.7·60/21000·1000 = 2 per mil exactly, so
    // the bars at -2 per mil are elastic (-42 kN/cm²) and N4 is the CA-50 A
    // value, -0.85·30/14·800 - 4·pi·42 = -1984.93 kN. CA-50 B: epsP = 1.667,
    // the bars on the curved branch, r(2) = sqrt(0.09 - 0.063) + 0.6534.
    const struct {
        std::int32_t steel;
        double n4;
    } cases[] = {{3, -1984.93}, {2, -1457.143 - 12.566371 * 50 * (0.16431677 + 0.6534)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steel);
        auto s = testing::MakeColumn20x40();
        s->GammaS = 1.0;
        WarningsSink sink;
        const CurveOutcome outcome = GenerateCurve(*s, MaterialSelection{3, c.steel}, sink);
        ASSERT_TRUE(outcome.referencesKnown);
        EXPECT_NEAR(outcome.firstAngle.N4, c.n4, 0.01);
    }
}

} // namespace
} // namespace flexara
