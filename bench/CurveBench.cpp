// Timing of the interaction-curve generation: the 20 x 40 column at the default
// 100 steps, and the largest case the state holds (a 100-vertex outline, 100
// lines of 100 bars, 200 steps); the load combinations and the surface of
// the column, which sweep many generations. The "allocations" counter counts the heap
// allocations made during one generation; it must stay 0.
#include "engine/Combinations.h"
#include "engine/Curve.h"
#include "engine/DefaultCase.h"
#include "engine/Ratio.h"
#include "engine/Shapes.h"
#include "engine/Surface.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
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

// 100 load combinations of distinct Nd, spread over the column's whole range
// of axial force, checked on one thread: one generation each, at most 30 ms.
void BM_Column20x40Combinations(benchmark::State& bench)
{
    auto s = Column20x40();
    // N4 and N1 of the column: -1984.93 and 546.36 kN.
    CombinationList rows;
    for (int i = 0; i < 100; ++i)
        rows.push_back(LoadCombination{"c", -1980.0 + 25.2 * i, 60.0 - i, 0.2 * i - 10.0});
    double fastest = 1e9;
    long allocations = 0;
    int generations = 0;
    for (auto _ : bench) {
        const long before = allocationCount.load();
        const auto start = std::chrono::steady_clock::now();
        const CombinationCheck check = CheckCombinations(*s, MaterialSelection{}, rows, 1);
        fastest = std::min(fastest, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        allocations = allocationCount.load() - before;
        generations = check.generations;
        benchmark::DoNotOptimize(check.governing);
    }
    bench.counters["generations"] = generations;
    // The copies of the curves and the rows; nothing inside a generation.
    bench.counters["allocations_per_row"] = static_cast<double>(allocations) / 100.0;
    bench.counters["fastest_ms"] = fastest * 1e3;
    if (generations != 100)
        bench.SkipWithError("not one generation per distinct Nd");
    else if (allocations > 100 * 8 + 64)
        bench.SkipWithError("the check allocates inside its generations");
    else if (fastest > 0.030)
        bench.SkipWithError("100 combinations took more than 30 ms");
}

// The largest case with 16 distinct Nd, on one thread and on two: two must be
// at least 1.8 times as fast.
void BM_MaximumCaseCombinationsOnTwoThreads(benchmark::State& bench)
{
    auto s = MaximumCase();
    CombinationList rows;
    for (int i = 0; i < 16; ++i)
        rows.push_back(LoadCombination{"c", -40000.0 + 2000.0 * i, 500.0, 250.0});
    double one = 1e9, two = 1e9;
    for (auto _ : bench) {
        for (const int threads : {1, 2}) {
            const auto start = std::chrono::steady_clock::now();
            const CombinationCheck check = CheckCombinations(*s, MaterialSelection{}, rows, threads);
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            (threads == 1 ? one : two) = std::min(threads == 1 ? one : two, seconds);
            benchmark::DoNotOptimize(check.governing);
        }
    }
    bench.counters["one_thread_s"] = one;
    bench.counters["two_threads_s"] = two;
    bench.counters["speedup"] = one / two;
    if (one / two < 1.8)
        bench.SkipWithError("two threads are not 1.8 times as fast as one");
}

// The surface of the column: 41 levels on one thread, at most 50 ms; on two
// threads for the figure.
void BM_Column20x40Surface(benchmark::State& bench)
{
    auto s = Column20x40();
    double one = 1e9, two = 1e9;
    long allocations = 0;
    std::size_t levels = 0;
    for (auto _ : bench) {
        for (const int threads : {1, 2}) {
            const long before = allocationCount.load();
            const auto start = std::chrono::steady_clock::now();
            const Surface surface = GenerateSurface(*s, MaterialSelection{}, DefaultSurfaceLevels, threads);
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            (threads == 1 ? one : two) = std::min(threads == 1 ? one : two, seconds);
            if (threads == 1) {
                allocations = allocationCount.load() - before;
                levels = surface.levels.size();
            }
            benchmark::DoNotOptimize(surface.levels.data());
        }
    }
    bench.counters["levels"] = static_cast<double>(levels);
    bench.counters["one_thread_ms"] = one * 1e3;
    bench.counters["two_threads_ms"] = two * 1e3;
    // The copies of the curves and the rings; nothing inside a generation.
    bench.counters["allocations_per_level"] = static_cast<double>(allocations) / DefaultSurfaceLevels;
    if (levels != DefaultSurfaceLevels)
        bench.SkipWithError("not every level has its curve");
    else if (allocations > DefaultSurfaceLevels * 8 + 64)
        bench.SkipWithError("the surface allocates inside its generations");
    else if (one > 0.050)
        bench.SkipWithError("the surface of 41 levels took more than 50 ms");
}

BENCHMARK(BM_Column20x40)->Unit(benchmark::kMillisecond)->Repetitions(5)->ComputeStatistics("min", Least);
BENCHMARK(BM_MaximumCase)->Unit(benchmark::kMillisecond)->MinTime(2.0)->Repetitions(5)->ComputeStatistics("min", Least);
BENCHMARK(BM_Column20x40Combinations)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Column20x40Surface)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_MaximumCaseCombinationsOnTwoThreads)->Unit(benchmark::kSecond)->Iterations(3);

} // namespace
} // namespace flexara

BENCHMARK_MAIN();
