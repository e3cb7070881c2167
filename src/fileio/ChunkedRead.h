#pragma once
// Reads frames of a file through one bounded buffer, chunk by chunk.
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/MachineMemory.h"
#include "base/ParallelChunks.h"
#include "fileio/InputFile.h"

// The one read buffer of a reader; its size bounds the memory a read needs beyond the samples. Large
// enough that the calls to read cost little beside the copying, small enough to stay in the second-level
// cache with the samples made from it.
inline constexpr std::size_t ReadChunkBytes = std::size_t(1) << 18;

// Frames of `frameBytes` per chunk: as many as fill the buffer, at least one.
inline std::size_t readChunkFrames(std::size_t frameBytes) { return std::max<std::size_t>(1, ReadChunkBytes / frameBytes); }

// Reads `frames` frames of `wordsPerFrame` Words from `offset` chunk by chunk, calling
// consume(words, frameCount, firstFrame) for every chunk of whole frames (chunk i starts at frame
// i · readChunkFrames). False when the file ends early. One zero Word follows each chunk, so that a sample
// may be loaded with a word wider than itself. With several threads, each has its own buffer and takes the
// next chunks when done with its own, so consume must handle different chunks at once.
template <typename Word, typename Consume>
bool readInChunks(const InputFile& file, uint64_t offset, uint64_t frames, std::size_t wordsPerFrame,
                  Consume&& consume, unsigned threads = 1)
{
    const std::size_t frameBytes = wordsPerFrame * sizeof(Word);
    const std::size_t chunkFrames = readChunkFrames(frameBytes);
    const std::size_t chunkWords = std::size_t(std::min<uint64_t>(frames, chunkFrames)) * wordsPerFrame;
    const uint64_t chunks = (frames + chunkFrames - 1) / chunkFrames;
    // A thread takes as many chunks at once as make a huge page of each channel's floats: the page it
    // faults in, and so zeroes, is still in the cache when it fills it, instead of another thread's.
    const uint64_t chunksAtOnce = std::max<std::size_t>(1, HugePageBytes / (chunkFrames * sizeof(float)));
    std::vector<std::unique_ptr<Word[]>> buffers(std::max(threads, 1u));
    std::atomic<bool> failed{false};
    const auto readChunks = [&](uint64_t firstChunk, uint64_t count, unsigned worker) {
        std::unique_ptr<Word[]>& buffer = buffers[worker];
        if (!buffer) {
            buffer = std::make_unique_for_overwrite<Word[]>(chunkWords + 1);
            readyForFilling(buffer.get(), (chunkWords + 1) * sizeof(Word));
        }
        for (uint64_t chunk = firstChunk; chunk < firstChunk + count; ++chunk) {
            const uint64_t first = chunk * chunkFrames;
            const auto frameCount = std::size_t(std::min<uint64_t>(chunkFrames, frames - first));
            if (failed.load(std::memory_order_relaxed)
                || !file.readAt(offset + first * frameBytes, buffer.get(), frameCount * frameBytes)) {
                failed = true;
                return;
            }
            buffer[frameCount * wordsPerFrame] = Word{};
            consume(static_cast<const Word*>(buffer.get()), frameCount, first);
        }
    };
    return runInChunks(chunks, chunksAtOnce, threads, readChunks, nullptr) && !failed;
}
