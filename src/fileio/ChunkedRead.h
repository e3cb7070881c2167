#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fileio/InputFile.h"

// The one read buffer of a reader; its size bounds the memory a read needs beyond the samples. Large
// enough that the calls to read cost little beside the copying, small enough to stay in the second-level
// cache with the samples made from it.
inline constexpr std::size_t ReadChunkBytes = std::size_t(1) << 18;

// Reads `frames` frames of `wordsPerFrame` Words from `offset` through that buffer, calling
// consume(words, frameCount, firstFrame) for every chunk of whole frames. False when the file ends early.
// One zero Word follows each chunk, so that a sample may be loaded with a word wider than itself.
template <typename Word, typename Consume>
bool readInChunks(const InputFile& file, uint64_t offset, uint64_t frames, std::size_t wordsPerFrame,
                  Consume&& consume)
{
    const std::size_t frameBytes = wordsPerFrame * sizeof(Word);
    const std::size_t chunkFrames = std::max<std::size_t>(1, ReadChunkBytes / frameBytes);
    const std::size_t chunkWords = std::size_t(std::min<uint64_t>(frames, chunkFrames)) * wordsPerFrame;
    const auto buffer = std::make_unique_for_overwrite<Word[]>(chunkWords + 1);
    for (uint64_t first = 0; first < frames; first += chunkFrames) {
        const auto count = std::size_t(std::min<uint64_t>(chunkFrames, frames - first));
        if (!file.readAt(offset + first * frameBytes, buffer.get(), count * frameBytes))
            return false;
        buffer[count * wordsPerFrame] = Word{};
        consume(static_cast<const Word*>(buffer.get()), count, first);
    }
    return true;
}
