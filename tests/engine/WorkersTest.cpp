// The worker pool: every task runs once whatever the number of threads, a
// cancelled sweep starts no new task, and a task's failure reaches the caller.
#include "engine/Workers.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace flexara {
namespace {

TEST(Workers, EveryTaskRunsOnceOnAnyNumberOfThreads)
{
    for (const int threads : {1, 2, 7}) {
        SCOPED_TRACE(threads);
        std::vector<std::atomic<int>> runs(53);
        std::vector<std::atomic<int>> workerOf(53);
        WorkProgress progress;
        EXPECT_TRUE(RunOnWorkers(
            53, threads,
            [&](int worker, int i) {
                ++runs[static_cast<std::size_t>(i)];
                workerOf[static_cast<std::size_t>(i)] = worker;
            },
            &progress));
        for (std::size_t i = 0; i < runs.size(); ++i) {
            EXPECT_EQ(runs[i], 1) << i;
            EXPECT_LT(workerOf[i], threads);
        }
        EXPECT_EQ(progress.done, 53);
        EXPECT_EQ(progress.total, 53);
    }
}

TEST(Workers, ACancelledSweepStartsNoTaskAndSaysSo)
{
    WorkProgress progress;
    int ran = 0;
    EXPECT_FALSE(RunOnWorkers(
        10, 1,
        [&](int, int) {
            ++ran;
            progress.cancel = true; // "Cancelar" pressed while the first task runs
        },
        &progress));
    EXPECT_EQ(ran, 1);
}

TEST(Workers, AFailureOfATaskReachesTheCaller)
{
    EXPECT_THROW(RunOnWorkers(20, 2,
                              [](int, int i) {
                                  if (i == 11)
                                      throw std::runtime_error("task 11");
                              }),
                 std::runtime_error);
}

} // namespace
} // namespace flexara
