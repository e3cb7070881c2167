// Reading a stereo WAV of 16-bit, 24-bit and 32-bit float samples into one float array per channel: our
// reader against libsndfile's sf_readf_float followed by the deinterleaving that delivers the same arrays.
// Like with like: both sides write into blocks from Signal::allocateSamples (the same allocation and page
// size), read the file in chunks of the same number of frames, and run on a warm cache. Each reports the
// minimum of its repetitions, interleaved with the other's so that the machine's load falls on both.
//
// BM_OpenLongFile opens a two-hour 48 kHz stereo 16-bit file as the program does, beside BM_CatLongFile,
// the bytes of the same file read into a small buffer and thrown away (what `cat FILE > /dev/null` does),
// and BM_FillLongFileBlocks, the floor of any open into floats: the two channels' new blocks only
// filled with one byte, on as many threads as the reader uses, with nothing read.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "BenchMinimum.h"
#include "base/MachineMemory.h"
#include "base/ParallelChunks.h"
#include "fileio/ChunkedRead.h"
#include "fileio/WavReader.h"
#include "signal/Signal.h"

namespace {

constexpr int Rate = 48000;
constexpr int Channels = 2;
constexpr sf_count_t Frames = sf_count_t(60) * Rate;
constexpr sf_count_t LongFrames = sf_count_t(2 * 3600) * Rate;

// A minute of two tones in each coding and two hours of 16-bit, written once per run into a private
// temporary folder.
class BenchFiles {
public:
    BenchFiles()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "marlune-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        folder_ = pattern;
        for (const int coding : {SF_FORMAT_PCM_16, SF_FORMAT_PCM_24, SF_FORMAT_FLOAT})
            write(path(coding), coding, Frames);
    }
    ~BenchFiles() { std::filesystem::remove_all(folder_); }

    std::filesystem::path path(int coding) const { return folder_ / ("tones-" + std::to_string(coding) + ".wav"); }

    const std::filesystem::path& longFile()
    {
        if (longPath_.empty()) {
            longPath_ = folder_ / "two-hours.wav";
            write(longPath_, SF_FORMAT_PCM_16, LongFrames);
        }
        return longPath_;
    }

private:
    // Full-scale amplitudes 0.6 and 0.35: libsndfile scales them to each integer width.
    static void write(const std::filesystem::path& to, int coding, sf_count_t frames)
    {
        SF_INFO info{};
        info.samplerate = Rate;
        info.channels = Channels;
        info.format = SF_FORMAT_WAV | coding;
        SNDFILE* file = sf_open(to.c_str(), SFM_WRITE, &info);
        if (!file)
            throw std::runtime_error(sf_strerror(nullptr));
        constexpr sf_count_t Block = sf_count_t(1) << 16;
        std::vector<float> samples(std::size_t(Block) * Channels);
        for (sf_count_t first = 0; first < frames; first += Block) {
            const sf_count_t count = std::min(Block, frames - first);
            for (sf_count_t i = 0; i < count; ++i) {
                const double t = double(first + i) / Rate;
                samples[std::size_t(i) * 2] = float(0.6 * std::sin(2 * M_PI * 440 * t));
                samples[std::size_t(i) * 2 + 1] = float(0.35 * std::sin(2 * M_PI * 1250 * t));
            }
            sf_writef_float(file, samples.data(), count);
        }
        sf_close(file);
        // Written back before anything is timed: a reader racing the file's own writeback pays for it.
        const int fd = ::open(to.c_str(), O_RDONLY);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }

    std::filesystem::path folder_;
    std::filesystem::path longPath_;
};

BenchFiles& files()
{
    static BenchFiles instance;
    return instance;
}

// Reads the file once, so that every repetition finds it in the page cache.
void warm(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    std::vector<char> buffer(ReadChunkBytes);
    while (fd >= 0 && ::read(fd, buffer.data(), buffer.size()) > 0) {
    }
    if (fd >= 0)
        ::close(fd);
}

void marluneReadWav(benchmark::State& state, const std::filesystem::path& path, sf_count_t frames)
{
    warm(path);
    for (auto _ : state) {
        FileReadResult result = readWavFile(path);
        if (!result.ok() || result.signals.size() != Channels) {
            state.SkipWithError("read failed");
            break;
        }
        benchmark::DoNotOptimize(result.signals[1]->samples());
    }
    state.SetItemsProcessed(state.iterations() * frames * Channels);
}

void sndfileReadFloat(benchmark::State& state, int coding)
{
    const auto path = files().path(coding);
    warm(path);
    // The reference's chunk buffer is made once: only the channels' blocks are new in each read.
    std::vector<float> chunk(ReadChunkBytes / 2 * Channels);
    for (auto _ : state) {
        SF_INFO info{};
        SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
        if (!file) {
            state.SkipWithError("sf_open failed");
            break;
        }
        // Unscaled values, as our reader delivers them, in chunks of as many frames as ours reads.
        sf_command(file, SFC_SET_NORM_FLOAT, nullptr, SF_FALSE);
        const int bytes = (info.format & SF_FORMAT_SUBMASK) == SF_FORMAT_PCM_16 ? 2
                          : (info.format & SF_FORMAT_SUBMASK) == SF_FORMAT_PCM_24 ? 3
                                                                                 : 4;
        const auto chunkFrames = sf_count_t(readChunkFrames(std::size_t(bytes * Channels)));
        auto left = Signal::allocateSamples(std::size_t(info.frames));
        auto right = Signal::allocateSamples(std::size_t(info.frames));
        sf_count_t done = 0;
        while (done < info.frames) {
            const sf_count_t got = sf_readf_float(file, chunk.data(), chunkFrames);
            if (got <= 0)
                break;
            for (sf_count_t i = 0; i < got; ++i) {
                left[std::size_t(done + i)] = chunk[std::size_t(i) * 2];
                right[std::size_t(done + i)] = chunk[std::size_t(i) * 2 + 1];
            }
            done += got;
        }
        sf_close(file);
        benchmark::DoNotOptimize(left.get());
        benchmark::DoNotOptimize(right.get());
    }
    state.SetItemsProcessed(state.iterations() * Frames * Channels);
}

void BM_OpenLongFile(benchmark::State& state)
{
    marluneReadWav(state, files().longFile(), LongFrames);
}

void BM_CatLongFile(benchmark::State& state)
{
    const auto& path = files().longFile();
    warm(path);
    std::vector<char> buffer(std::size_t(1) << 17);
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        ssize_t got = 0;
        while ((got = ::read(fd, buffer.data(), buffer.size())) > 0)
            benchmark::DoNotOptimize(buffer.data());
        ::close(fd);
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(std::filesystem::file_size(path)));
}

void BM_FillLongFileBlocks(benchmark::State& state)
{
    const auto frames = std::size_t(LongFrames);
    const unsigned threads = std::max(std::thread::hardware_concurrency(), 1u);
    for (auto _ : state) {
        auto left = Signal::allocateSamples(frames);
        auto right = Signal::allocateSamples(frames);
        // memset writes with the widest stores the processor has, as the reader's conversion does.
        const auto fill = [&](uint64_t first, uint64_t count, unsigned) {
            std::memset(left.get() + first, 0x3f, count * sizeof(float));
            std::memset(right.get() + first, 0x3f, count * sizeof(float));
        };
        runInChunks(frames, HugePageBytes / sizeof(float), threads, fill, nullptr);
        benchmark::DoNotOptimize(left.get());
        benchmark::DoNotOptimize(right.get());
    }
    state.SetItemsProcessed(state.iterations() * LongFrames * Channels);
}

void minimumOf15(benchmark::internal::Benchmark* b) { withMinimum(b->Unit(benchmark::kMillisecond)->UseRealTime(), 15); }
// One pass over two hours is long enough to time alone.
void minimumOf5Single(benchmark::internal::Benchmark* b)
{
    withMinimum(b->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1), 5);
}

}  // namespace

BENCHMARK_CAPTURE(marluneReadWav, pcm16, files().path(SF_FORMAT_PCM_16), Frames)->Apply(minimumOf15);
BENCHMARK_CAPTURE(sndfileReadFloat, pcm16, SF_FORMAT_PCM_16)->Apply(minimumOf15);
BENCHMARK_CAPTURE(marluneReadWav, pcm24, files().path(SF_FORMAT_PCM_24), Frames)->Apply(minimumOf15);
BENCHMARK_CAPTURE(sndfileReadFloat, pcm24, SF_FORMAT_PCM_24)->Apply(minimumOf15);
BENCHMARK_CAPTURE(marluneReadWav, float32, files().path(SF_FORMAT_FLOAT), Frames)->Apply(minimumOf15);
BENCHMARK_CAPTURE(sndfileReadFloat, float32, SF_FORMAT_FLOAT)->Apply(minimumOf15);
BENCHMARK(BM_OpenLongFile)->Apply(minimumOf5Single);
BENCHMARK(BM_CatLongFile)->Apply(minimumOf5Single);
BENCHMARK(BM_FillLongFileBlocks)->Apply(minimumOf5Single);

BENCHMARK_MAIN();
