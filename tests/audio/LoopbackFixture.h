#pragma once
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "soundcard/SoundBuffer.h"
#include "soundcard/ui/QtSoundDevices.h"
#include "ui/QtTestApp.h"

// The loopback's sources: the remapped one, which Qt lists, and the sink's own monitor, which it does not.
constexpr const char* LoopbackSource = "loopin";
constexpr const char* MonitorSource = "loop.monitor";
constexpr int Rate = 44100;
constexpr int BufferFrames = Rate / 10;
// No step of a test may hold the suite longer than this, whatever the sound server does.
constexpr qint64 DeadlineMs = 15000;

// What a command prints, or nothing when it failed or took longer than its timeout.
inline std::optional<std::string> commandOutput(const std::string& command)
{
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return std::nullopt;
    std::string output;
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe))
        output += chunk;
    if (::pclose(pipe) != 0)
        return std::nullopt;
    return output;
}

// The default input of the reachable sound server, or nothing when no server answers.
inline std::optional<std::string> defaultSource()
{
    std::optional<std::string> output = commandOutput("timeout 5 pactl get-default-source 2>/dev/null");
    while (output && !output->empty() && (output->back() == '\n' || output->back() == '\r'))
        output->pop_back();
    return output;
}

// Why the loopback cannot be used, or nothing when it can.
inline std::optional<std::string> loopbackMissing()
{
    const std::optional<std::string> source = defaultSource();
    if (!source)
        return "no sound server is reachable";
    if (*source != LoopbackSource && *source != MonitorSource)
        return "the default input is \"" + *source + "\", not the loopback";
    return std::nullopt;
}

inline std::unique_ptr<SoundBuffer> toneBuffer(std::size_t first, long tag)
{
    auto buffer = std::make_unique<SoundBuffer>(BufferFrames, tag);
    for (std::size_t i = 0; i < buffer->samples.size(); ++i)
        buffer->samples[i] = int16_t(std::lround(16000 * std::sin(2 * std::numbers::pi * 1000 * double(first + i) / Rate)));
    return buffer;
}

// Runs the event loop until `done` holds or the deadline passed.
template <class Done>
bool runUntil(const QElapsedTimer& clock, Done done)
{
    while (!done()) {
        if (clock.elapsed() > DeadlineMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

struct Block {
    double rms = 0;
    double frequency = 0;
};

// The block of `length` samples from `start`, with its frequency from the zero crossings.
template <class Sample>
Block blockAt(const std::vector<Sample>& samples, std::size_t start, std::size_t length)
{
    double energy = 0;
    int crossings = 0;
    for (std::size_t i = start; i < start + length; ++i) {
        energy += double(samples[i]) * samples[i];
        if (i > start && (samples[i - 1] < 0) != (samples[i] < 0))
            ++crossings;
    }
    return {std::sqrt(energy / double(length)), crossings / 2.0 / (double(length) / Rate)};
}

// The loudest block of `length` samples.
template <class Sample>
Block loudestBlock(const std::vector<Sample>& samples, std::size_t length)
{
    Block loudest;
    for (std::size_t start = 0; start + length <= samples.size(); start += length / 2) {
        const Block block = blockAt(samples, start, length);
        if (block.rms > loudest.rms)
            loudest = block;
    }
    return loudest;
}

// Tests beside the private loopback of tools/with-audio-loopback.sh, in either of its modes.
class AudioLoopback : public ::testing::Test {
protected:
    void SetUp() override
    {
        qtApp();
        if (const std::optional<std::string> missing = loopbackMissing()) {
            // Where the environment promises the loopback (CI), its absence is a failure.
            if (std::getenv("MARLUNE_REQUIRE_AUDIO"))
                FAIL() << *missing;
            GTEST_SKIP() << *missing << ": run the audio tests under tools/with-audio-loopback.sh";
        }
    }

    QtSoundDevices devices;
};
