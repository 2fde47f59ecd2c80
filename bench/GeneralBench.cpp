// Timing of the general method: 100 combinations of distinct Nd on the
// 20 x 40 column, both bendings solved on 40 stations, against the coupled
// method on the same rows (at most 10 times its time, and at most 0,5 s on
// one thread), and the same results, bit for bit, on one and two threads.
// Judged on the least processor time of the calling thread over a few runs.
#include "engine/column/Combinations.h"
#include "engine/column/Slenderness.h"
#include "tests/engine/TestCases.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <string>

namespace flexara {
namespace {

double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

template <class Work> double LeastThreadCpu(int runs, const Work& work)
{
    double least = 1e9;
    for (int i = 0; i < runs; ++i) {
        const double start = ThreadSeconds();
        work();
        least = std::min(least, ThreadSeconds() - start);
    }
    return least;
}

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Every number of two checks' rows the general method gives, bit for bit.
bool SameChecks(const CombinationCheck& a, const CombinationCheck& b)
{
    if (a.rows.size() != b.rows.size() || a.governing != b.governing)
        return false;
    for (std::size_t r = 0; r < a.rows.size(); ++r) {
        const CombinationResult& x = a.rows[r];
        const CombinationResult& y = b.rows[r];
        if (x.status != y.status || x.utilisation.has_value() != y.utilisation.has_value() ||
            (x.utilisation && !SameBits(*x.utilisation, *y.utilisation)) || !x.column || !y.column ||
            x.column->status != y.column->status)
            return false;
        for (std::size_t k = 0; k < BendingCount; ++k) {
            const std::optional<GeneralBending>& gx = x.column->bending[k].general;
            const std::optional<GeneralBending>& gy = y.column->bending[k].general;
            if (gx.has_value() != gy.has_value())
                return false;
            if (!gx)
                continue;
            for (std::size_t s = 0; s < 2; ++s) {
                for (const auto* pair : {&gx->bar, &gx->minimum}) {
                    const auto& other = pair == &gx->bar ? gy->bar : gy->minimum;
                    const std::optional<GeneralSolution>& p = (*pair)[s];
                    const std::optional<GeneralSolution>& q = other[s];
                    if (p.has_value() != q.has_value())
                        return false;
                    if (!p)
                        continue;
                    if (p->iterations != q->iterations || p->stations.size() != q->stations.size())
                        return false;
                    for (std::size_t i = 0; i < p->stations.size(); ++i) {
                        const GeneralStation& u = p->stations[i];
                        const GeneralStation& v = q->stations[i];
                        if (!SameBits(u.m, v.m) || !SameBits(u.u, v.u) || !SameBits(u.curvature, v.curvature))
                            return false;
                    }
                }
            }
        }
    }
    return true;
}

// The rows of the coupled method's benchmark: le = 600 cm about x and 300 cm
// about y (λ = 52 both ways), Nd from −1500 to −312 kN.
CombinationList Rows()
{
    CombinationList rows;
    for (int i = 0; i < 100; ++i) {
        LoadCombination row{"c", -1500.0 + 12.0 * i, 30.0 - 0.5 * i, 0.2 * i - 8.0};
        if (i % 2 == 1) {
            row.MxdBase = -0.5 * row.Mxd;
            row.MydBase = 0.4 * row.Myd;
        }
        rows.push_back(row);
    }
    return rows;
}

void BM_GeneralAgainstCoupled(benchmark::State& bench)
{
    auto s = testing::MakeColumn20x40();
    const CombinationList rows = Rows();
    Column column;
    column.bending[0] = ColumnBending{600.0, SupportCondition::PinnedWithoutTransverseLoads};
    column.bending[1] = ColumnBending{300.0, SupportCondition::PinnedWithoutTransverseLoads};
    double coupled = 0.0, general = 0.0;
    int bars = 0, unstable = 0, refused = 0;
    bool same = true;
    for (auto _ : bench) {
        column.method = SecondOrderMethod::Coupled;
        coupled =
            LeastThreadCpu(3, [&] { benchmark::DoNotOptimize(CheckCombinations(*s, MaterialSelection{}, rows, column, 1)); });
        column.method = SecondOrderMethod::General;
        CombinationCheck one;
        general = LeastThreadCpu(3, [&] { one = CheckCombinations(*s, MaterialSelection{}, rows, column, 1); });
        bars = unstable = refused = 0;
        for (const CombinationResult& row : one.rows) {
            for (const BendingCheck& b : row.column->bending)
                bars += b.general ? 1 : 0;
            unstable += row.column->status == ColumnCheckStatus::Unstable ? 1 : 0;
            refused += row.status == CombinationStatus::Refused ? 1 : 0;
        }
        same = SameChecks(one, CheckCombinations(*s, MaterialSelection{}, rows, column, 2));
    }
    bench.counters["coupled_ms"] = coupled * 1e3;
    bench.counters["general_ms"] = general * 1e3;
    bench.counters["ratio"] = general / coupled;
    bench.counters["general_bendings"] = bars;
    bench.counters["unstable_rows"] = unstable;
    static std::string message;
    message = "the general method took " + std::to_string(general / coupled) + " times the coupled method, " +
              std::to_string(general) + " s";
    if (bars + 2 * unstable < 150 || refused > 0)
        bench.SkipWithError("too few bars solved, or rows refused");
    else if (!same)
        bench.SkipWithError("one and two threads differ");
    else if (general > 10.0 * coupled || general > 0.5)
        bench.SkipWithError(message.c_str());
}

BENCHMARK(BM_GeneralAgainstCoupled)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace flexara
