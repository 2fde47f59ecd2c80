// Timing of the interaction-curve generation: the 20 x 40 column at the default
// 100 steps, and the largest case the state holds (a 100-vertex outline, 100
// lines of 100 bars, 200 steps). The "allocations" counter counts the heap
// allocations made during one generation; it must stay 0.
#include "Curve.h"
#include "DefaultCase.h"
#include "Ratio.h"
#include "Shapes.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

namespace {
std::atomic<long> allocationCount{0};
}

void* operator new(std::size_t size)
{
    ++allocationCount;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace flexara {
namespace {

struct NullSink : CurveSink {
    long points = 0;
    void ClearCurve() override { points = 0; }
    void AddCurvePoint(double, double) override { ++points; }
    void AddDesignPoint(double, double) override {}
    void SetOutOfRangeNotice(bool) override {}
    void Warn(CurveWarning) override {}
};

std::unique_ptr<AnalysisState> Column20x40()
{
    auto s = std::make_unique<AnalysisState>();
    InstallDefaultCase(*s);
    s->ShapeDims[0] = 20;
    s->ShapeDims[1] = 40;
    BuildSectionPolygon(*s);
    s->LineCount = 2;
    s->BarLines[0] = BarLine{};
    s->BarLines[0].BarCount = 2;
    s->BarLines[0].Diameter = 20;
    s->BarLines[0].X1 = 4;
    s->BarLines[0].Y1 = 4;
    s->BarLines[0].X2 = 16;
    s->BarLines[0].Y2 = 4;
    s->BarLines[1] = s->BarLines[0];
    s->BarLines[1].Y1 = s->BarLines[1].Y2 = 36;
    UpdateReinforcementRatio(*s);
    return s;
}

// A circular column of radius 100 cm drawn with 100 vertices, 100 horizontal
// lines of 100 bars of 10 mm inside it, 200 angle steps.
std::unique_ptr<AnalysisState> MaximumCase()
{
    auto s = std::make_unique<AnalysisState>();
    InstallDefaultCase(*s);
    s->Section.ShapeKind = ShapeFreePolygon;
    s->Section.VertexCount = MaxVertices;
    const double pi = std::acos(-1.0);
    for (int i = 0; i < MaxVertices; ++i)
        s->Section.Vertices[static_cast<std::size_t>(i)] = {100 * std::cos(2 * pi * i / MaxVertices) + 100,
                                                            100 * std::sin(2 * pi * i / MaxVertices) + 100};
    s->LineCount = MaxLines;
    for (int k = 0; k < MaxLines; ++k) {
        BarLine& line = s->BarLines[static_cast<std::size_t>(k)];
        const double y = -85 + 170.0 * k / (MaxLines - 1);
        const double half = 0.95 * std::sqrt(90.0 * 90.0 - y * y);
        line.BarCount = MaxBarsPerLine;
        line.Diameter = 10;
        line.X1 = 100 - half;
        line.X2 = 100 + half;
        line.Y1 = line.Y2 = 100 + y;
    }
    s->CurvePointCount = MaxCurvePointCount;
    s->Nd = -20000;
    UpdateReinforcementRatio(*s);
    return s;
}

void Generate(benchmark::State& bench, std::unique_ptr<AnalysisState> s)
{
    NullSink sink;
    const MaterialSelection materials;
    long allocations = 0;
    for (auto _ : bench) {
        const long before = allocationCount.load();
        GenerateCurve(*s, materials, sink);
        allocations = allocationCount.load() - before;
        benchmark::DoNotOptimize(sink.points);
    }
    bench.counters["points"] = static_cast<double>(sink.points);
    bench.counters["allocations"] = static_cast<double>(allocations);
    if (allocations != 0)
        bench.SkipWithError("the generation allocated");
}

void BM_Column20x40(benchmark::State& bench)
{
    Generate(bench, Column20x40());
}
void BM_MaximumCase(benchmark::State& bench)
{
    Generate(bench, MaximumCase());
}

// The virtual machine's cores are shared: the least of the repetitions is the
// figure of the code, the others carry the neighbours' load.
double Least(const std::vector<double>& v)
{
    return *std::min_element(v.begin(), v.end());
}

BENCHMARK(BM_Column20x40)->Unit(benchmark::kMillisecond)->Repetitions(5)->ComputeStatistics("min", Least);
BENCHMARK(BM_MaximumCase)->Unit(benchmark::kMillisecond)->MinTime(2.0)->Repetitions(5)->ComputeStatistics("min", Least);

} // namespace
} // namespace flexara

BENCHMARK_MAIN();
