// Reading a stereo WAV of 16-bit, 24-bit and 32-bit float samples into one float array per channel: our
// reader against libsndfile's sf_readf_float followed by the deinterleaving that delivers the same arrays.
#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "fileio/WavReader.h"

namespace {

constexpr int Rate = 48000;
constexpr int Channels = 2;
constexpr sf_count_t Frames = sf_count_t(60) * Rate;
constexpr sf_count_t SndfileChunkFrames = 4096;

// A minute of two tones in each coding, written once per run into a private temporary folder.
class BenchFiles {
public:
    BenchFiles()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "marlune-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        folder_ = pattern;
        // Full-scale amplitudes 0.6 and 0.35: libsndfile scales them to each integer width.
        std::vector<float> frames(std::size_t(Frames) * Channels);
        for (sf_count_t i = 0; i < Frames; ++i) {
            const double t = double(i) / Rate;
            frames[std::size_t(i) * 2] = float(0.6 * std::sin(2 * M_PI * 440 * t));
            frames[std::size_t(i) * 2 + 1] = float(0.35 * std::sin(2 * M_PI * 1250 * t));
        }
        for (const int coding : {SF_FORMAT_PCM_16, SF_FORMAT_PCM_24, SF_FORMAT_FLOAT}) {
            SF_INFO info{};
            info.samplerate = Rate;
            info.channels = Channels;
            info.format = SF_FORMAT_WAV | coding;
            SNDFILE* file = sf_open(path(coding).c_str(), SFM_WRITE, &info);
            if (!file)
                throw std::runtime_error(sf_strerror(nullptr));
            sf_writef_float(file, frames.data(), Frames);
            sf_close(file);
        }
    }
    ~BenchFiles() { std::filesystem::remove_all(folder_); }

    std::filesystem::path path(int coding) const { return folder_ / ("tones-" + std::to_string(coding) + ".wav"); }

private:
    std::filesystem::path folder_;
};

std::filesystem::path benchFile(int coding)
{
    static const BenchFiles files;
    return files.path(coding);
}

void marluneReadWav(benchmark::State& state, int coding)
{
    const auto path = benchFile(coding);
    for (auto _ : state) {
        FileReadResult result = readWavFile(path);
        if (!result.ok() || result.signals.size() != Channels) {
            state.SkipWithError("read failed");
            break;
        }
        benchmark::DoNotOptimize(result.signals[1]->samples());
    }
    state.SetItemsProcessed(state.iterations() * Frames * Channels);
}

void sndfileReadFloat(benchmark::State& state, int coding)
{
    const auto path = benchFile(coding);
    for (auto _ : state) {
        SF_INFO info{};
        SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
        if (!file) {
            state.SkipWithError("sf_open failed");
            break;
        }
        // Unscaled values, as our reader delivers them.
        sf_command(file, SFC_SET_NORM_FLOAT, nullptr, SF_FALSE);
        auto left = std::make_unique_for_overwrite<float[]>(std::size_t(info.frames));
        auto right = std::make_unique_for_overwrite<float[]>(std::size_t(info.frames));
        std::vector<float> chunk(std::size_t(SndfileChunkFrames) * Channels);
        sf_count_t done = 0;
        while (done < info.frames) {
            const sf_count_t got = sf_readf_float(file, chunk.data(), SndfileChunkFrames);
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

}  // namespace

BENCHMARK_CAPTURE(marluneReadWav, pcm16, SF_FORMAT_PCM_16)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sndfileReadFloat, pcm16, SF_FORMAT_PCM_16)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(marluneReadWav, pcm24, SF_FORMAT_PCM_24)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sndfileReadFloat, pcm24, SF_FORMAT_PCM_24)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(marluneReadWav, float32, SF_FORMAT_FLOAT)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sndfileReadFloat, float32, SF_FORMAT_FLOAT)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
