// Timing of the slender-column work: the parabola-rectangle on a many-sided
// outline against the classic model's curve.
#include "engine/section/Curve.h"
#include "tests/engine/TestCases.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <string>

namespace flexara {
namespace {

// Processor time of the calling thread, s: on a shared machine the
// neighbours stretch the wall time, not this.
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

struct CountingSink : CurveSink {
    long points = 0;
    void ClearCurve() override { points = 0; }
    void AddCurvePoint(double, double) override { ++points; }
    void AddDesignPoint(double, double) override {}
    void SetOutOfRangeNotice(bool) override {}
    void Warn(CurveWarning) override {}
};

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
    CountingSink sink;
    double worst = 0.0, classicMs = 0.0, parabolaMs = 0.0;
    bool complete = true;
    for (auto _ : bench) {
        worst = 0.0;
        for (const double nd : {-500.0, -3000.0, -6000.0}) {
            auto classic = RoundColumn(CalculationModel::Classic, nd);
            auto parabola = RoundColumn(CalculationModel::NbrParabolaRectangle, nd);
            const double classicSeconds = LeastCpu(30, [&] { GenerateCurve(*classic, MaterialSelection{}, sink); });
            const long classicPoints = sink.points;
            const double parabolaSeconds = LeastCpu(30, [&] { GenerateCurve(*parabola, MaterialSelection{}, sink); });
            complete = complete && classicPoints == sink.points && sink.points > 100;
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

BENCHMARK(BM_RoundColumnParabolaAgainstClassic)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace flexara
