#include <sys/stat.h>

#include <limits>

#include "FileioTestSupport.h"
#include "fileio/Sa3Reader.h"
#include "fileio/SignalFileReader.h"
#include "fileio/WavReader.h"
#include "signal/SignalKind.h"

namespace {

// Answers every question with `answer` and counts them.
struct RateQuestion {
    std::optional<long double> answer;
    int asked = 0;
    AskSampleRate ask() { return [this] { return ++asked, answer; }; }
};

Bytes eegFile(int16_t rate, const std::vector<int16_t>& samples)
{
    Bytes bytes(256, 0xAB);  // the rest of the header is not interpreted
    bytes[202] = uint8_t(rate);
    bytes[203] = uint8_t(uint16_t(rate) >> 8);
    for (int16_t v : samples)
        append16(bytes, uint16_t(v));
    return bytes;
}

}  // namespace

using SignalFileReaderTest = FileioTest;

TEST_F(SignalFileReaderTest, VariantFollowsTheExactLastFourCharacters)
{
    // Legacy .bin words a=0, b=0, c=8000 and two samples: the same bytes read as raw give five samples.
    const Bytes bytes = {0, 0, 0, 0, 0x40, 0x1F, 0xFF, 0x7F, 0x00, 0x80};
    for (const char* name : {"a.bin", "a.BIN", "a.Bin", "a.sa3", "bin"}) {
        RateQuestion rate{22050.25L};
        const FileReadResult r = readSignalFile(write(name, bytes), rate.ask());
        ASSERT_TRUE(r.ok()) << name;
        const bool bin = std::string(name) == "a.bin" || std::string(name) == "a.BIN";
        EXPECT_EQ(r.signals[0]->count(), bin ? 2u : 5u) << name;
        EXPECT_EQ(r.signals[0]->sampleRate(), bin ? 8000 : 22050.25L) << name;
        EXPECT_EQ(rate.asked, bin ? 0 : 1) << name;
        EXPECT_EQ(r.signals[0]->kind(), SignalKind::FileSignal);
        EXPECT_EQ(r.signals[0]->samples()[bin ? 0 : 3], 32767.0f);
    }
    RateQuestion never{1000};
    for (const char* name : {"b.eeg", "b.EEG"}) {
        const FileReadResult r = readSignalFile(write(name, eegFile(250, {-3, 1200})), never.ask());
        ASSERT_TRUE(r.ok()) << name;
        EXPECT_EQ(r.signals[0]->sampleRate(), 250);
        EXPECT_EQ(std::vector<float>(r.signals[0]->samples(), r.signals[0]->samples() + r.signals[0]->count()),
                  (std::vector<float>{-3, 1200}));
    }
    EXPECT_EQ(never.asked, 0);
}

TEST_F(SignalFileReaderTest, EegFileWithoutUsableRateOrSamplesIsRefused)
{
    EXPECT_EQ(readEegFile(write("z.eeg", eegFile(0, {1}))).error, FileReadError::Invalid);
    EXPECT_EQ(readEegFile(write("n.eeg", eegFile(-5, {1}))).error, FileReadError::Invalid);
    EXPECT_EQ(readEegFile(write("h.eeg", eegFile(100, {}))).error, FileReadError::Invalid);
    EXPECT_EQ(readEegFile(write("s.eeg", Bytes(203, 1))).error, FileReadError::Invalid);
}

TEST_F(SignalFileReaderTest, RawRateIsAskedOnlyForAnOpenedFileWithSamples)
{
    RateQuestion cancel{std::nullopt};
    EXPECT_EQ(readRawFile(write("r.dat", {1, 0, 2, 0}), cancel.ask()).error, FileReadError::Cancelled);
    EXPECT_EQ(cancel.asked, 1);

    for (long double unusable : {0.0L, -8000.0L, std::numeric_limits<long double>::infinity(),
                                std::numeric_limits<long double>::quiet_NaN()}) {
        RateQuestion rate{unusable};
        EXPECT_EQ(readRawFile(file("r.dat"), rate.ask()).error, FileReadError::Invalid);
    }

    RateQuestion never{8000};
    EXPECT_EQ(readRawFile(write("one.dat", {7}), never.ask()).error, FileReadError::Invalid);
    EXPECT_EQ(readRawFile(file("missing.dat"), never.ask()).error, FileReadError::CannotOpen);
    EXPECT_EQ(readSa3File(file("missing.sa3"), never.ask()).error, FileReadError::CannotOpen);
    EXPECT_EQ(never.asked, 0);
}

TEST_F(SignalFileReaderTest, FoldersAndFifosAreNotOpened)
{
    ASSERT_EQ(mkfifo(file("pipe.wav").c_str(), 0600), 0);
    RateQuestion never{8000};
    for (const auto& path : {dir_, file("pipe.wav")}) {
        EXPECT_EQ(readWavFile(path).error, FileReadError::CannotOpen);
        EXPECT_EQ(readSignalFile(path, never.ask()).error, FileReadError::CannotOpen);
        EXPECT_EQ(readEegFile(path).error, FileReadError::CannotOpen);
        EXPECT_EQ(readSa3File(path, never.ask()).error, FileReadError::CannotOpen);
    }
    EXPECT_EQ(never.asked, 0);
}
