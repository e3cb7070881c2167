#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

#include "support/TempFolder.h"

// The converter program of this build, and the tools that make its inputs and check its outputs.
namespace converter_test {

inline const std::filesystem::path Sonvert = std::filesystem::path(MARLUNE_BIN_DIR) / "Sonvert";

inline std::string quoted(const std::filesystem::path& path)
{
    return "'" + path.string() + "'";
}

// Runs a test tool through the shell; its own output is kept out of the test log.
inline void tool(const std::string& command)
{
    const std::string full = command + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(full.c_str()), 0) << command;
}

// A 16-bit source made by sox: `effects` after the output name, e.g. "synth 2 sine 440 sine 1000".
inline std::filesystem::path soxWav(const TempFolder& folder, const std::string& name, int rate, int channels,
                                    const std::string& effects)
{
    const auto path = folder.path / name;
    tool("sox -n -D -r " + std::to_string(rate) + " -c " + std::to_string(channels) + " -b 16 " + quoted(path) + " " +
         effects);
    return path;
}

// `ffmpeg -i source options target`.
inline std::filesystem::path ffmpeg(const std::filesystem::path& source, const std::string& options,
                                    const std::filesystem::path& target)
{
    tool("ffmpeg -nostdin -y -i " + quoted(source) + " " + options + " " + quoted(target));
    return target;
}

struct CommandRun {
    int exitCode = -1;
    std::string output;
};

// Runs a command through the shell and collects its standard output.
inline CommandRun runCommand(const std::string& command)
{
    CommandRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[256];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

inline CommandRun runSonvert(const std::filesystem::path& input, const std::filesystem::path& output)
{
    return runCommand(quoted(Sonvert) + " " + quoted(input) + " " + quoted(output));
}

// What a short numpy program (given `sys`, `np` and scipy's `wavfile`) writes to its standard output
// when run on `file`, its sys.argv[1].
inline std::string numpyOutput(const std::string& program, const std::filesystem::path& file)
{
    const CommandRun run = runCommand("/usr/bin/python3 -c 'import sys, numpy as np; from scipy.io import wavfile; " +
                                      program + "' " + quoted(file));
    EXPECT_EQ(run.exitCode, 0) << program;
    return run.output;
}

// The frequency of the highest peak of the spectrum, computed by numpy (Hanning window, real FFT).
inline double numpyPeakHz(const TempFolder& folder, const float* samples, uint32_t count, double rate)
{
    const auto raw = folder.path / "peak.f32";
    writeBytes(raw, std::string_view(reinterpret_cast<const char*>(samples), count * sizeof(float)));
    const std::string bin = numpyOutput("x=np.fromfile(sys.argv[1],dtype=np.float32); "
                                        "m=np.abs(np.fft.rfft(x*np.hanning(len(x)))); print(np.argmax(m[1:])+1)",
                                        raw);
    std::filesystem::remove(raw);
    return (bin.empty() ? -1.0 : std::stod(bin)) * rate / count;
}

}  // namespace converter_test
