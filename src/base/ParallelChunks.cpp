#include "base/ParallelChunks.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "base/ProgressReport.h"

bool runInChunks(uint64_t total, uint64_t chunk, unsigned threads,
                 const std::function<void(uint64_t first, uint64_t count, unsigned worker)>& work,
                 ProgressReport* progress)
{
    chunk = std::max<uint64_t>(chunk, 1);
    const uint64_t chunks = (total + chunk - 1) / chunk;
    const auto helpers = unsigned(std::min<uint64_t>(std::max(threads, 1u), chunks)) - (chunks > 0 ? 1 : 0);
    std::atomic<uint64_t> next{0};
    std::atomic<uint64_t> done{0};
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::mutex failureLock;

    // Each thread takes the next chunk until none is left, a stop is asked for or some work failed.
    const auto take = [&](unsigned worker) {
        try {
            while (!stop.load(std::memory_order_relaxed)) {
                const uint64_t first = next.fetch_add(chunk);
                if (first >= total)
                    return;
                const uint64_t count = std::min(chunk, total - first);
                work(first, count, worker);
                done.fetch_add(count);
                if (worker == 0 && progress && !progress->advance(done.load(), total))
                    stop = true;
            }
        } catch (...) {
            const std::lock_guard lock(failureLock);
            if (!failure)
                failure = std::current_exception();
            stop = true;
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(helpers);
    for (unsigned w = 1; w <= helpers; ++w)
        pool.emplace_back(take, w);
    take(0);
    for (std::thread& t : pool)
        t.join();
    if (failure)
        std::rethrow_exception(failure);
    return done.load() == total;
}
