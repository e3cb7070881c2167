// Opening a 10-minute stereo MP3 through the converter program (decode, temporary WAV, WAV read into
// two windows) against `ffmpeg -i in.mp3 out.wav` alone, both run as processes in the same run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>

#include "BenchMinimum.h"
#include "tree/BatchUiServices.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace {

// Ten minutes of a tone on the left and pink noise on the right, encoded once per run.
class BenchMp3 {
public:
    BenchMp3()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "marlune-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        folder_ = pattern;
        const std::string command = "sox -n -D -r 44100 -c 2 -b 16 -t wav - synth 600 sine 440 pinknoise vol 0.5 | "
                                    "ffmpeg -nostdin -v quiet -y -i - -c:a libmp3lame -b:a 192k '" +
                                    mp3().string() + "'";
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("cannot make the MP3 file");
    }
    ~BenchMp3()
    {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    std::filesystem::path mp3() const { return folder_ / "ten-minutes.mp3"; }
    std::filesystem::path wav() const { return folder_ / "ffmpeg.wav"; }

private:
    std::filesystem::path folder_;
};

const BenchMp3& benchMp3()
{
    static const BenchMp3 file;
    return file;
}

void FfmpegToWav(benchmark::State& state)
{
    std::ostringstream messages;
    BatchUiServices ui(messages);
    const BenchMp3& file = benchMp3();
    for (auto _ : state)
        if (ui.runProcess("/usr/bin/ffmpeg", {"-nostdin", "-v", "quiet", "-y", "-i", file.mp3().string(),
                                              file.wav().string()}) != 0)
            state.SkipWithError("ffmpeg failed");
}

void ConvertAndOpen(benchmark::State& state)
{
    std::ostringstream messages;
    BatchUiServices ui(messages);
    marluneMDIClient client(ui, std::string(MARLUNE_BIN_DIR) + "/");
    const BenchMp3& file = benchMp3();
    for (auto _ : state) {
        const marluneMDIChild* window = client.openFiles({file.mp3().string()});
        if (!window || window->signal()->count() < 600u * 44100u)
            state.SkipWithError("the MP3 file did not open");
        client.closeAll();
    }
}

}  // namespace

BENCHMARK(FfmpegToWav)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2)->Apply(minimumOf5);
BENCHMARK(ConvertAndOpen)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2)->Apply(minimumOf5);
BENCHMARK_MAIN();
