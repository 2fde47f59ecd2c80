// Thousands of random sections, bar layouts, steels and axial forces: every
// generation ends, and every point it gives is finite.
#include "engine/Faults.h"
#include "engine/section/Curve.h"
#include "tests/engine/TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace flexara {
namespace {

struct FiniteSink : CurveSink {
    int points = 0;
    bool allFinite = true;
    void Check(double x, double y) { allFinite = allFinite && std::isfinite(x) && std::isfinite(y); }
    void ClearCurve() override { points = 0; }
    void AddCurvePoint(double mx, double my) override
    {
        ++points;
        Check(mx, my);
    }
    void AddDesignPoint(double mx, double my) override { Check(mx, my); }
    void SetOutOfRangeNotice(bool) override {}
    void Warn(CurveWarning) override {}
};

TEST(CurveProperty, EveryGenerationEndsWithFinitePoints)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int generated = 0;
    int withCurve = 0;
    for (int round = 0; round < 3000; ++round) {
        auto s = std::make_unique<AnalysisState>();
        InstallDefaultCase(*s);
        const auto kind = static_cast<std::uint8_t>(random() % 8);
        s->Section.ShapeKind = kind;
        double width = 10 + 140 * unit(random);
        double height = 10 + 140 * unit(random);
        if (kind == ShapeFreePolygon) {
            // A star-shaped outline, counter-clockwise, possibly with notches.
            const int n = 3 + static_cast<int>(random() % 98);
            s->Section.VertexCount = n;
            for (int i = 0; i < n; ++i) {
                const double angle = 2 * std::acos(-1.0) * i / n;
                const double radius = 0.5 + 0.5 * unit(random);
                s->Section.Vertices[static_cast<std::size_t>(i)] = {width * (1 + radius * std::cos(angle)) / 2,
                                                                    height * (1 + radius * std::sin(angle)) / 2};
            }
        } else {
            s->Section.VertexCount = ShapeFamilyOf(kind).vertexCount;
            s->ShapeDims = {width,  width * unit(random),      width * unit(random),
                            height, height * unit(random) / 2, height * unit(random) / 2};
            BuildSectionPolygon(*s);
        }
        s->LineCount = 1 + static_cast<int>(random() % 4);
        for (int k = 0; k < s->LineCount; ++k) {
            BarLine& line = s->BarLines[static_cast<std::size_t>(k)];
            line.BarCount = static_cast<int>(random() % 8);
            line.Diameter = 5 + 35 * unit(random);
            line.X1 = width * unit(random);
            line.Y1 = height * unit(random);
            line.X2 = random() % 3 ? width * unit(random) : line.X1;
            line.Y2 = random() % 3 ? height * unit(random) : line.Y1;
        }
        s->GammaS = random() % 10 ? 1.15 : 0.5 + unit(random);
        s->GammaC = 1.2 + unit(random);
        s->CurvePointCount = 4 + static_cast<int>(random() % 40);
        s->Nd = (unit(random) * 1.2 - 1.0) * width * height * 1.5;
        UpdateReinforcementRatio(*s);
        const MaterialSelection materials{static_cast<int>(random() % 12), static_cast<int>(random() % 4)};

        FiniteSink sink;
        try {
            const CurveOutcome outcome = GenerateCurve(*s, materials, sink);
            withCurve += sink.points > 0;
            EXPECT_LE(outcome.curvePoints, s->CurvePointCount + 2);
        } catch (const EngineError& error) {
            // Only the class-B law with a large steel factor may fault here.
            EXPECT_STREQ(error.what(), InvalidOperationMessage) << "round " << round;
        }
        EXPECT_TRUE(sink.allFinite) << "round " << round;
        ++generated;
    }
    EXPECT_EQ(generated, 3000);
    EXPECT_GT(withCurve, 600); // a good share of the random cases has a curve
}

} // namespace
} // namespace flexara
