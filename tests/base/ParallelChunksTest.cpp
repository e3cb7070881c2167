#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <stdexcept>
#include <vector>

#include "base/ParallelChunks.h"
#include "base/ProgressReport.h"

namespace {
class StopAfter : public ProgressReport {
public:
    explicit StopAfter(int reports) : left_(reports) {}
    bool advance(uint64_t done, uint64_t total) override
    {
        EXPECT_LE(done, total);
        ++calls;
        return --left_ > 0;
    }
    int calls = 0;

private:
    int left_;
};
}  // namespace

// Every item exactly once, whatever the number of threads and however the chunks fall at the end.
TEST(ParallelChunks, EveryItemOnceOnAnyNumberOfThreads)
{
    for (unsigned threads : {1u, 2u, 3u, 8u})
        for (uint64_t total : {0u, 1u, 7u, 1000u})
            for (uint64_t chunk : {0u, 1u, 3u, 64u}) {
                std::vector<std::atomic<int>> seen(total);
                std::mutex lock;
                std::set<unsigned> workers;
                const bool complete = runInChunks(
                    total, chunk, threads,
                    [&](uint64_t first, uint64_t count, unsigned worker) {
                        for (uint64_t i = first; i < first + count; ++i)
                            ++seen[i];
                        const std::lock_guard guard(lock);
                        workers.insert(worker);
                    },
                    nullptr);
                EXPECT_TRUE(complete);
                for (uint64_t i = 0; i < total; ++i)
                    ASSERT_EQ(seen[i].load(), 1) << threads << " threads, item " << i << " of " << total;
                for (unsigned w : workers)
                    EXPECT_LT(w, threads);
            }
}

// A stop asked for by the report ends the work early, and the result says so.
TEST(ParallelChunks, ReportStopsTheWork)
{
    // On the calling thread alone the stop is exact: two chunks, then nothing.
    StopAfter report(2);
    std::atomic<uint64_t> items{0};
    const bool complete = runInChunks(
        100000, 10, 1, [&](uint64_t, uint64_t count, unsigned) { items += count; }, &report);
    EXPECT_FALSE(complete);
    EXPECT_EQ(report.calls, 2);
    EXPECT_EQ(items.load(), 20u);
}

// An exception on a helper thread reaches the caller after every thread has ended.
TEST(ParallelChunks, WorkFailureIsRethrown)
{
    EXPECT_THROW(runInChunks(
                     1000, 1, 3,
                     [](uint64_t first, uint64_t, unsigned) {
                         if (first == 500)
                             throw std::runtime_error("bad item");
                     },
                     nullptr),
                 std::runtime_error);
}
