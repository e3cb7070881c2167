#include <cmath>
#include <functional>
#include <string>

#include "FileioTestSupport.h"
#include "fileio/AsciiExport.h"
#include "fileio/BinFile.h"
#include "fileio/SignalFileWriter.h"
#include "fileio/WavReader.h"
#include "signal/SignalKind.h"
#include "support/CommaLocale.h"
#include "support/FileSizeLimit.h"

using SavingTest = FileioTest;

// Every writer: a save that cannot complete (here a disk that fills up) reports it and keeps the old file.
TEST_F(SavingTest, AFailedSaveKeepsTheOldFileForEveryWriter)
{
    std::vector<float> samples(100000);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(std::sin(0.01 * double(i)));
    const Signal signal(nullptr, SignalKind::Generated, samples.data(), uint32_t(samples.size()), 8000);
    const std::vector<std::pair<std::string, std::function<bool(const std::filesystem::path&)>>> writers = {
        {"s.wav", [&](const auto& path) { return writeSignalFile(path, signal); }},
        {"s.bin", [&](const auto& path) { return writeSignalFile(path, signal); }},
        {"s.txt", [&](const auto& path) { return exportAscii(path, signal); }},
    };
    for (const auto& [name, write] : writers) {
        const Bytes old = {'o', 'l', 'd'};
        std::ofstream(file(name), std::ios::binary).write("old", 3);
        {
            const FileSizeLimit fullDisk(65536);
            EXPECT_FALSE(write(file(name))) << name;
        }
        EXPECT_EQ(read(file(name)), old) << name;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file("").parent_path()), {}), 1) << name << ": no temporary left";
        ASSERT_TRUE(write(file(name))) << name;
        EXPECT_GT(read(file(name)).size(), 200000u) << name;
        std::filesystem::remove(file(name));
    }
}

TEST_F(SavingTest, TheAsciiExportWritesAPointUnderACommaLocale)
{
    const CommaLocale german;
    REQUIRE_COMMA_LOCALE(german);
    const std::vector<float> values = {0.25f, -1.5f};
    ASSERT_TRUE(exportAscii(file("de.txt"), Signal(nullptr, SignalKind::Generated, values.data(), 2, 2, 0.5L)));
    const Bytes text = read(file("de.txt"));
    EXPECT_EQ(std::string(text.begin(), text.end()), "0.5\t0.25\n1\t-1.5\n");
}

// 24-bit samples need more than 16 bits: saved as float .bin they come back as they were read, while
// the 16-bit WAV writer has to scale them.
TEST_F(SavingTest, TwentyFourBitSamplesSurviveAFloatBinFile)
{
    ASSERT_TRUE(run("sox -D -n -r 48000 -c 2 -b 24 deep.wav synth 0.5 whitenoise sine 300 2>/dev/null"));
    const FileReadResult wav = readWavFile(file("deep.wav"));
    ASSERT_TRUE(wav.ok());
    for (const auto& channel : wav.signals) {
        ASSERT_GT(channel->yMax() - channel->yMin(), 65536.0f);
        ASSERT_TRUE(writeSignalFile(file("deep.bin"), *channel));
        const FileReadResult bin = readBinFile(file("deep.bin"));
        ASSERT_TRUE(bin.ok());
        const Signal& back = *bin.signals[0];
        EXPECT_EQ(back.sampleRate(), 48000.0L);
        ASSERT_EQ(back.count(), channel->count());
        EXPECT_EQ(std::memcmp(back.samples(), channel->samples(), channel->count() * sizeof(float)), 0);

        ASSERT_TRUE(writeSignalFile(file("deep.wav"), *channel));
        const FileReadResult narrowed = readWavFile(file("deep.wav"));
        ASSERT_TRUE(narrowed.ok());
        EXPECT_LE(narrowed.signals[0]->yMax(), 32767.0f);
    }
}
