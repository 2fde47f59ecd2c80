// The worker pool: every task runs once whatever the number of threads, a
// cancelled sweep starts no new task, and a task's failure reaches the caller.
// The helpers are kept between sweeps: a sweep inside a task and sweeps from
// two threads at once still run every task, a failure leaves them fit for the
// next sweep, and each sweep's helpers compute in the caller's floating-point
// environment (its rounding, and no fault flag of an earlier sweep).
#include "engine/Workers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cfenv>
#include <chrono>
#include <cmath>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
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

TEST(Workers, SweepsInsideATaskAndFromTwoThreadsAtOnceRunEveryTask)
{
    // Each of 6 outer tasks sweeps 9 inner ones: the helpers are busy with
    // the outer sweep, so the inner ones run on threads of their own.
    std::vector<std::atomic<int>> inner(6 * 9);
    EXPECT_TRUE(RunOnWorkers(6, 2, [&](int, int i) {
        EXPECT_TRUE(RunOnWorkers(9, 2, [&](int, int k) { ++inner[static_cast<std::size_t>(9 * i + k)]; }));
    }));
    for (std::size_t i = 0; i < inner.size(); ++i)
        EXPECT_EQ(inner[i], 1) << i;

    // Two threads sweeping at once, 200 times each: one has the kept helpers,
    // the other starts its own; neither waits for the other's tasks.
    std::atomic<long> sum{0};
    auto sweeps = [&] {
        for (int n = 0; n < 200; ++n)
            RunOnWorkers(5, 2, [&](int, int i) { sum += i + 1; });
    };
    std::thread other(sweeps);
    sweeps();
    other.join();
    EXPECT_EQ(sum, 2 * 200 * 15);
}

TEST(Workers, ThousandsOfSweepsOfChangingWidthEachRunEveryTaskOnce)
{
    // Sweeps one after the other with 1 to 8 threads, as a check of 2 threads
    // follows one of 8: a helper that joined a sweep it was not counted in
    // would hang the caller or let it return before its tasks ran. A helper
    // that read the sweep's number and its width apart, without the lock,
    // did so about once in some thousands of sweeps: 30 000 hung every run.
    for (int n = 0; n < 30000; ++n) {
        const int threads = 1 + (n * 5) % 8;
        const int count = 1 + (n * 7) % 13;
        std::vector<int> runs(static_cast<std::size_t>(count), 0);
        ASSERT_TRUE(RunOnWorkers(count, threads, [&](int, int i) { ++runs[static_cast<std::size_t>(i)]; }));
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(runs[static_cast<std::size_t>(i)], 1) << "sweep " << n << ", task " << i;
    }
}

// Tasks long enough that the helper wakes and takes some of them.
void Briefly()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST(Workers, AfterAFailureTheNextSweepRunsOnEveryWorker)
{
    EXPECT_THROW(RunOnWorkers(40, 2,
                              [](int, int i) {
                                  Briefly();
                                  if (i == 7)
                                      throw std::runtime_error("task 7");
                              }),
                 std::runtime_error);
    std::vector<std::atomic<int>> runs(40);
    std::set<int> workers;
    std::mutex lock;
    EXPECT_TRUE(RunOnWorkers(40, 2, [&](int worker, int i) {
        Briefly();
        ++runs[static_cast<std::size_t>(i)];
        const std::lock_guard<std::mutex> hold(lock);
        workers.insert(worker);
    }));
    for (std::size_t i = 0; i < runs.size(); ++i)
        EXPECT_EQ(runs[i], 1) << i;
    EXPECT_EQ(workers, (std::set<int>{0, 1}));
}

TEST(Workers, HelpersComputeInTheCallersFloatingPointEnvironment)
{
    // A helper's division by zero in one sweep...
    std::atomic<int> divided{0};
    RunOnWorkers(8, 2, [&](int worker, int) {
        Briefly();
        if (worker == 1) {
            ++divided;
            volatile double zero = 0.0;
            volatile double infinite = 1.0 / zero;
            (void)infinite;
        }
    });
    // ...is not a fault of the next one, and the next computes 1/3 rounded
    // upward as the caller asked: 1/3 upward is the next double above 1/3
    // rounded to nearest.
    std::feclearexcept(FE_ALL_EXCEPT);
    const int rounding = std::fegetround();
    std::fesetround(FE_UPWARD);
    std::vector<double> thirds(16);
    std::vector<int> faults(16);
    ASSERT_GT(divided, 0);
    std::set<int> workers;
    std::mutex lock;
    RunOnWorkers(16, 2, [&](int worker, int i) {
        Briefly();
        {
            const std::lock_guard<std::mutex> hold(lock);
            workers.insert(worker);
        }
        volatile double three = 3.0;
        thirds[static_cast<std::size_t>(i)] = 1.0 / three;
        faults[static_cast<std::size_t>(i)] = std::fetestexcept(FE_DIVBYZERO);
    });
    std::fesetround(rounding);
    EXPECT_EQ(workers, (std::set<int>{0, 1}));
    const double nearest = 1.0 / 3.0;
    for (std::size_t i = 0; i < thirds.size(); ++i) {
        EXPECT_EQ(thirds[i], std::nextafter(nearest, 1.0)) << i;
        EXPECT_EQ(faults[i], 0) << i;
    }
}

} // namespace
} // namespace flexara
