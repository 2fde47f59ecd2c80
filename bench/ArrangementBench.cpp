// Timing of the design of an arrangement: the 20 x 40 column with 100
// combinations of distinct Nd over its range of axial force, every
// arrangement the clear spacing allows with the 11 diameters of the list. At
// most 1 s on one thread (the thread's processor time: the neighbours on a
// shared machine stretch the wall time), two threads at least 1.8 times as
// fast on the least wall time of the runs, and the same options bit for bit.
#include "engine/design/Arrangement.h"
#include "tests/engine/TestCases.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>
#include <string>

namespace flexara {
namespace {

double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

bool SameOptions(const ArrangementDesign& a, const ArrangementDesign& b)
{
    if (a.options.size() != b.options.size() || a.chosen != b.chosen)
        return false;
    for (std::size_t i = 0; i < a.options.size(); ++i) {
        const ArrangementOption &p = a.options[i], &q = b.options[i];
        if (!(p.arrangement == q.arrangement) || p.governingRow != q.governingRow ||
            p.governingEta.has_value() != q.governingEta.has_value() ||
            (p.governingEta && std::memcmp(&*p.governingEta, &*q.governingEta, sizeof(double)) != 0))
            return false;
    }
    return true;
}

void BM_Column20x40Arrangement(benchmark::State& bench)
{
    auto s = testing::MakeColumn20x40();
    CombinationList rows;
    for (int i = 0; i < 100; ++i)
        rows.push_back(LoadCombination{"c", -1980.0 + 25.2 * i, 60.0 - i, 0.2 * i - 10.0});
    const bool bounds = bench.range(0) != 0;
    double one = 1e9, two = 1e9, oneCpu = 1e9;
    bool same = true;
    int options = 0, readings = 0, holding = 0;
    for (auto _ : bench) {
        ArrangementDesign designs[2];
        for (const int threads : {1, 2}) {
            const double cpuStart = CpuSeconds();
            const auto start = std::chrono::steady_clock::now();
            designs[threads - 1] = DesignArrangement(*s, MaterialSelection{}, rows, std::nullopt, Detailing{}, threads,
                                                     nullptr, CurveReading::AroundEachRay, bounds);
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (threads == 1) {
                one = std::min(one, seconds);
                oneCpu = std::min(oneCpu, CpuSeconds() - cpuStart);
            } else {
                two = std::min(two, seconds);
            }
        }
        same = same && SameOptions(designs[0], designs[1]) && designs[0].readings == designs[1].readings;
        options = static_cast<int>(designs[0].options.size());
        readings = designs[0].readings;
        holding = designs[0].holding;
    }
    bench.counters["arrangements"] = options;
    bench.counters["holding"] = holding;
    bench.counters["nd_read"] = readings;
    bench.counters["one_thread_ms"] = one * 1e3;
    bench.counters["one_thread_cpu_ms"] = oneCpu * 1e3;
    bench.counters["two_threads_ms"] = two * 1e3;
    bench.counters["speedup"] = one / two;
    static std::string message, error;
    message = "one thread " + std::to_string(one) + " s (" + std::to_string(oneCpu) +
              " s of its processor), two threads " + std::to_string(two) + " s; " + std::to_string(options) +
              " arrangements, " + std::to_string(holding) + " holding, " + std::to_string(readings) + " Nd read";
    if (!same)
        bench.SkipWithError("the arrangements differ on one and two threads");
    else if (bounds && oneCpu > 1.0) {
        error = "the design took more than 1 s on one thread: " + message;
        bench.SkipWithError(error.c_str());
    } else if (one / two < 1.8) {
        error = "two threads are not 1.8 times as fast as one: " + message;
        bench.SkipWithError(error.c_str());
    }
}

} // namespace

// With the bounds (the search as it runs) and without them (every Nd of
// every arrangement read), for the figures side by side.
BENCHMARK(BM_Column20x40Arrangement)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace flexara
