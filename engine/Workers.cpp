#include "engine/Workers.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace flexara {

int WorkerThreads()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

bool RunOnWorkers(int count, int threads, const std::function<void(int worker, int index)>& task,
                  WorkProgress* progress)
{
    if (progress) {
        progress->done = 0;
        progress->total = count;
    }
    std::atomic<int> next{0};
    std::atomic<int> completed{0};
    std::atomic<bool> stopped{false};
    std::exception_ptr failure;
    std::mutex failureLock;
    auto work = [&](int worker) {
        try {
            for (;;) {
                if ((progress && progress->cancel) || stopped)
                    return;
                const int i = next.fetch_add(1);
                if (i >= count)
                    return;
                task(worker, i);
                ++completed;
                if (progress)
                    ++progress->done;
            }
        } catch (...) {
            // A failure the task did not keep as its result ends the sweep
            // and reaches the caller's thread.
            const std::lock_guard<std::mutex> lock(failureLock);
            if (!failure)
                failure = std::current_exception();
            stopped = true;
        }
    };
    const int workers = std::max(1, std::min(threads, count));
    std::vector<std::thread> pool;
    pool.reserve(static_cast<std::size_t>(workers - 1));
    for (int t = 1; t < workers; ++t)
        pool.emplace_back(work, t);
    work(0);
    for (std::thread& worker : pool)
        worker.join();
    if (failure)
        std::rethrow_exception(failure);
    return completed.load() == count;
}

} // namespace flexara
