// Timing of the slender-column work: the deformation curve of the 20 x 40
// column, the check of its combinations by the standard column coupled to
// the M–N–1/r relation against the curvature method's, and the
// parabola-rectangle on a many-sided outline against the classic model's
// curve. Judged on the least processor time of the calling thread over many
// runs: on a shared machine the neighbours stretch the wall time, not this.
#include "engine/column/Combinations.h"
#include "engine/column/Slenderness.h"
#include "engine/section/Curve.h"
#include "engine/section/MomentCurvature.h"
#include "engine/section/NdCurves.h"
#include "tests/engine/TestCases.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <string>

namespace flexara {
namespace {

// Processor time of the calling thread, s.
double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// The least processor time of `runs` calls of work, s.
template <class Work> double LeastCpu(int runs, const Work& work)
{
    double least = 1e9;
    for (int i = 0; i < runs; ++i) {
        const double start = CpuSeconds();
        work();
        least = std::min(least, CpuSeconds() - start);
    }
    return least;
}

// A round column of 60 cm drawn with 100 vertices and ten 20 mm bars on a
// circle of 24 cm.
std::unique_ptr<AnalysisState> RoundColumn(CalculationModel model, double nd)
{
    auto s = testing::MakeRectangleCase(20, 40, {});
    const double pi = std::acos(-1.0);
    s->Section.ShapeKind = ShapeFreePolygon;
    s->Section.VertexCount = MaxVertices;
    for (int i = 0; i < MaxVertices; ++i)
        s->Section.Vertices[static_cast<std::size_t>(i)] = {30 + 30 * std::cos(2 * pi * i / MaxVertices),
                                                            30 + 30 * std::sin(2 * pi * i / MaxVertices)};
    s->LineCount = 10;
    for (int k = 0; k < 10; ++k) {
        BarLine& line = s->BarLines[static_cast<std::size_t>(k)];
        line = BarLine{};
        line.BarCount = 1;
        line.Diameter = 20;
        line.X1 = line.X2 = 30 + 24 * std::cos(2 * pi * (k + 0.5) / 10);
        line.Y1 = line.Y2 = 30 + 24 * std::sin(2 * pi * (k + 0.5) / 10);
    }
    UpdateReinforcementRatio(*s);
    s->Nd = nd;
    s->Model = model;
    return s;
}

// The parabola-rectangle over the 100-vertex outline takes at most twice the
// classic model's curve of the same column, at C-30, judged on the least
// processor time of many generations of each, at an Nd near pure bending, one
// about the balance and one near the crushing of the whole section (the
// worst ratio counts).
void BM_RoundColumnParabolaAgainstClassic(benchmark::State& bench)
{
    NdCurveSink sink;
    NdCurve curve;
    double worst = 0.0, classicMs = 0.0, parabolaMs = 0.0;
    bool complete = true;
    for (auto _ : bench) {
        worst = 0.0;
        for (const double nd : {-500.0, -3000.0, -6000.0}) {
            auto classic = RoundColumn(CalculationModel::Classic, nd);
            auto parabola = RoundColumn(CalculationModel::NbrParabolaRectangle, nd);
            const double classicSeconds =
                LeastCpu(30, [&] { sink.Generate(*classic, MaterialSelection{}, nd, curve); });
            const std::size_t classicPoints = curve.points.size();
            const double parabolaSeconds =
                LeastCpu(30, [&] { sink.Generate(*parabola, MaterialSelection{}, nd, curve); });
            complete = complete && classicPoints == curve.points.size() && classicPoints > 100;
            if (parabolaSeconds / classicSeconds > worst) {
                worst = parabolaSeconds / classicSeconds;
                classicMs = classicSeconds * 1e3;
                parabolaMs = parabolaSeconds * 1e3;
            }
        }
    }
    bench.counters["classic_ms"] = classicMs;
    bench.counters["parabola_ms"] = parabolaMs;
    bench.counters["worst_ratio"] = worst;
    static std::string message;
    message = "the parabola-rectangle on 100 vertices takes " + std::to_string(worst) + " classic curves";
    if (!complete)
        bench.SkipWithError("a curve without every point");
    else if (worst > 2.0)
        bench.SkipWithError(message.c_str());
}

// The deformation curve of the 20 x 40 column (C-30, CA-50 A, four 20 mm
// bars) at Nd = -800 kN bent about x, 100 points from no curvature to its
// end, the relation built afresh each time: at most 2 ms.
void BM_DeformationCurve20x40(benchmark::State& bench)
{
    auto s = testing::MakeColumn20x40();
    UpdateMaterials(*s, MaterialSelection{});
    const DeformationSection section = DeformationSectionOf(*s, CalculationModelParameters(*s, MaterialSelection{}));
    std::size_t points = 0;
    double least = 0.0;
    for (auto _ : bench) {
        least = LeastCpu(50, [&] {
            const MomentCurvature relation(section, -800.0, DirectionOf(Bending::Mx));
            const std::vector<CurvaturePoint> curve = relation.Curve(CurvatureSide::Positive, 100);
            points = curve.size();
            benchmark::DoNotOptimize(curve.data());
        });
    }
    bench.counters["points"] = static_cast<double>(points);
    bench.counters["least_ms"] = least * 1e3;
    if (points != 100)
        bench.SkipWithError("not 100 points");
    else if (least > 0.002)
        bench.SkipWithError("the deformation curve of 100 points took more than 2 ms");
}

// 100 combinations of distinct Nd on the 20 x 40 column, le = 600 cm about x
// and 300 cm about y (λ = 52 both ways: second order in both bendings of
// nearly every row), checked on one thread with the coupled method and with
// the curvature method: the coupled at most twice the curvature's time.
void BM_CoupledAgainstCurvature(benchmark::State& bench)
{
    auto s = testing::MakeColumn20x40();
    CombinationList rows;
    for (int i = 0; i < 100; ++i) {
        LoadCombination row{"c", -1500.0 + 12.0 * i, 30.0 - 0.5 * i, 0.2 * i - 8.0};
        if (i % 2 == 1) {
            row.MxdBase = -0.5 * row.Mxd;
            row.MydBase = 0.4 * row.Myd;
        }
        rows.push_back(row);
    }
    Column column;
    column.bending[0] = ColumnBending{600.0, SupportCondition::PinnedWithoutTransverseLoads};
    column.bending[1] = ColumnBending{300.0, SupportCondition::PinnedWithoutTransverseLoads};
    double curvature = 0.0, coupled = 0.0;
    int secondOrder = 0, refused = 0;
    for (auto _ : bench) {
        column.method = SecondOrderMethod::Curvature;
        curvature =
            LeastCpu(5, [&] { benchmark::DoNotOptimize(CheckCombinations(*s, MaterialSelection{}, rows, column, 1)); });
        column.method = SecondOrderMethod::Coupled;
        coupled = LeastCpu(5, [&] {
            const CombinationCheck check = CheckCombinations(*s, MaterialSelection{}, rows, column, 1);
            secondOrder = 0;
            refused = 0;
            for (const CombinationResult& row : check.rows) {
                for (const BendingCheck& b : row.column->bending)
                    secondOrder += b.coupled ? 1 : 0;
                refused += row.status == CombinationStatus::Refused ? 1 : 0;
            }
        });
    }
    bench.counters["curvature_ms"] = curvature * 1e3;
    bench.counters["coupled_ms"] = coupled * 1e3;
    bench.counters["ratio"] = coupled / curvature;
    bench.counters["coupled_bendings"] = secondOrder;
    static std::string message;
    message = "the coupled method took " + std::to_string(coupled / curvature) + " times the curvature method";
    if (secondOrder < 150 || refused > 0)
        bench.SkipWithError("not second order in most bendings, or rows refused");
    else if (coupled > 2.0 * curvature)
        bench.SkipWithError(message.c_str());
}

BENCHMARK(BM_DeformationCurve20x40)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CoupledAgainstCurvature)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RoundColumnParabolaAgainstClassic)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace flexara
