#include "engine/Workers.h"

#include <algorithm>
#include <cfenv>
#include <chrono>
#include <condition_variable>
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

namespace {

// The helpers of the sweeps, started once and kept waiting between sweeps:
// a sweep of a case of 50 combinations lasts a millisecond or two, and a
// thread started for each would cost a tenth of it. A helper that has just
// finished, and the caller waiting for its helpers, look again for a short
// while before they sleep: waking a sleeping processor costs as much again.
// Each sweep's helpers start with the floating-point environment of the
// thread that asked, as threads started for it would. A sweep asked for
// while another runs (from another thread, or from inside a task) has
// threads started for it alone.
class Helpers {
public:
    ~Helpers()
    {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            stopping = true;
        }
        wake.notify_all();
        for (std::thread& t : threads)
            t.join();
    }

    // Runs work(1..helpers) on kept threads while the caller runs work(0);
    // false when the helpers are busy with another sweep.
    bool Run(int helpers, const std::function<void(int)>& work)
    {
        std::unique_lock<std::mutex> lock(mutex);
        if (busy || insideHelper)
            return false;
        busy = true;
        while (static_cast<int>(threads.size()) < helpers) {
            const int index = static_cast<int>(threads.size());
            threads.emplace_back([this, index] { Serve(index); });
        }
        job = &work;
        wanted = helpers;
        running = helpers;
        std::fegetenv(&environment);
        ++sweep;
        lock.unlock();
        wake.notify_all();
        work(0);
        LookAWhile([this] { return running.load() == 0; });
        lock.lock();
        finished.wait(lock, [this] { return running.load() == 0; });
        job = nullptr;
        busy = false;
        return true;
    }

private:
    // Looks for the condition for up to 200 µs; true when it came.
    template <class Condition> static bool LookAWhile(const Condition& came)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(200);
        for (int k = 0;; ++k) {
            if (came())
                return true;
            if (k % 64 == 63 && std::chrono::steady_clock::now() > until)
                return false;
        }
    }

    bool Called(int index, long long seen) const { return sweep.load() != seen && index < wanted.load(); }

    // A helper joins a sweep only as it reads the sweep under the lock: the
    // caller sets the job, the helpers wanted, their count and the
    // environment together, and a helper that read some of them before the
    // others would run a sweep it is not counted in. Looking without the
    // lock only tells it when to take the lock.
    void Serve(int index)
    {
        insideHelper = true;
        long long seen = 0;
        for (;;) {
            LookAWhile([&] { return stopping.load() || Called(index, seen); });
            std::unique_lock<std::mutex> lock(mutex);
            wake.wait(lock, [&] { return stopping.load() || Called(index, seen); });
            if (stopping)
                return;
            seen = sweep.load();
            const std::function<void(int)>* work = job.load();
            const fenv_t start = environment;
            lock.unlock();
            std::fesetenv(&start);
            (*work)(index + 1);
            if (running.fetch_sub(1) == 1) {
                const std::lock_guard<std::mutex> hold(mutex);
                finished.notify_all();
            }
        }
    }

    std::mutex mutex;
    std::condition_variable wake, finished;
    std::vector<std::thread> threads;
    std::atomic<const std::function<void(int)>*> job{nullptr};
    fenv_t environment{};
    std::atomic<long long> sweep{0};
    std::atomic<int> wanted{0};
    std::atomic<int> running{0};
    bool busy = false;
    std::atomic<bool> stopping{false};
    static thread_local bool insideHelper;
};

thread_local bool Helpers::insideHelper = false;

Helpers& KeptHelpers()
{
    static Helpers helpers;
    return helpers;
}

} // namespace

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
    const std::function<void(int)> work = [&](int worker) {
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
    if (workers == 1) {
        work(0);
    } else if (!KeptHelpers().Run(workers - 1, work)) {
        std::vector<std::thread> started;
        started.reserve(static_cast<std::size_t>(workers - 1));
        for (int t = 1; t < workers; ++t)
            started.emplace_back(work, t);
        work(0);
        for (std::thread& worker : started)
            worker.join();
    }
    if (failure)
        std::rethrow_exception(failure);
    return completed.load() == count;
}

} // namespace flexara
