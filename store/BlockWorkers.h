#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace Orvane {

// Threads that share out the items of a batch: run(count, work) calls
// work(i) once for each i below count, on the calling thread and on the
// workers at once, and returns when every call has returned. A search
// spends its time decompressing and scanning blocks, each on its own, so
// every core takes a share.
class BlockWorkers
{
public:
    // helpers: threads besides the caller's (none: run() works alone).
    explicit BlockWorkers(int helpers);
    ~BlockWorkers();
    BlockWorkers(const BlockWorkers &) = delete;
    BlockWorkers &operator=(const BlockWorkers &) = delete;

    // One helper fewer than the machine has cores.
    static int helpersForThisMachine();

    void run(int count, const std::function<void(int)> &work);
    // The caller's thread and the helpers.
    int threads() const { return int(m_threads.size()) + 1; }
    // run() in two halves, so that the caller can do other work (read the
    // next batch) while the helpers start: begin() returns at once; finish()
    // takes the items left on the calling thread and waits for the rest.
    // work must live until finish() returns.
    void begin(int count, const std::function<void(int)> &work);
    void finish();

private:
    void serve();
    // Takes items until none is left.
    void takeItems();

    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    const std::function<void(int)> *m_work = nullptr;
    int m_count = 0;
    int m_next = 0;
    int m_finished = 0;
    // Counts batches, so that a helper takes part in each batch once.
    unsigned m_batch = 0;
    int m_busyHelpers = 0;
    bool m_quit = false;
};

} // namespace Orvane
