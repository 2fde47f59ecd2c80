// The worker pool of everything that sweeps many curve generations (load
// combinations, the design search, the N–M diagrams and the surface): tasks
// numbered 0..count-1, each worker taking the next task not yet taken. Every
// task writes only its own result slot and works on its worker's own copy of
// the state, so the results are the same, bit for bit, on any number of
// threads. It knows nothing of sections: every room of the engine reaches it.
#pragma once

#include <atomic>
#include <functional>

namespace flexara {

// Progress of a sweep running on other threads: the window reads it, and may
// ask the sweep to stop (tasks not yet started are then not run).
struct WorkProgress {
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    std::atomic<bool> cancel{false};
};

// The workers to use: one per core.
int WorkerThreads();

// Runs task(worker, index) for every index in 0..count-1 on min(threads,
// count) workers (at least one: the calling thread works too). worker is
// 0..workers-1, for per-worker scratch. Returns false when the sweep was
// cancelled before every task ran. An exception a task lets out ends the sweep
// and is thrown again on the calling thread.
bool RunOnWorkers(int count, int threads, const std::function<void(int worker, int index)>& task,
                  WorkProgress* progress = nullptr);

} // namespace flexara
