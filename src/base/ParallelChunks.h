#pragma once
// Runs work on a range of items in chunks shared by several threads.
#include <cstdint>
#include <functional>

class ProgressReport;

// The items [0, total) go in chunks of `chunk` items to up to `threads` threads (the calling thread among
// them; fewer when there are fewer chunks). work(first, count, worker) handles one chunk; `worker` (0 …
// threads − 1) names the thread, 0 being the caller, so each can keep its own scratch. The caller reports
// to `progress` between its chunks; when that asks to stop, no new chunk starts. Returns whether every item
// was done; an exception of any work is rethrown after every thread has ended.
bool runInChunks(uint64_t total, uint64_t chunk, unsigned threads,
                 const std::function<void(uint64_t first, uint64_t count, unsigned worker)>& work,
                 ProgressReport* progress);
