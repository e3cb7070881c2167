#include <limits>

#include "FileioTestSupport.h"
#include "fileio/WavWriter.h"
#include "signal/SignalKind.h"

namespace {

Bytes wavHeader(uint32_t rate, uint32_t samples)
{
    Bytes h;
    appendText(h, "RIFF"), append32(h, 2 * samples + 36), appendText(h, "WAVEfmt ");
    append32(h, 16), append16(h, 1), append16(h, 1), append32(h, rate), append32(h, 2 * rate);
    append16(h, 2), append16(h, 16), appendText(h, "data"), append32(h, 2 * samples);
    return h;
}

Bytes written(const std::vector<int16_t>& values, uint32_t rate)
{
    Bytes bytes = wavHeader(rate, uint32_t(values.size()));
    for (int16_t v : values)
        append16(bytes, uint16_t(v));
    return bytes;
}

}  // namespace

using WavWriterTest = FileioTest;

TEST_F(WavWriterTest, SamplesWithinTheRangeAreWrittenAsTheyAre)
{
    const std::vector<float> small = {-1, -0.9f, 0.5f, 1, 0.99f};
    Signal s(nullptr, SignalKind::Generated, small.data(), 5, 8000.75L);
    ASSERT_TRUE(writeWavFile(file("small.wav"), s));
    EXPECT_EQ(read(file("small.wav")), written({-1, 0, 0, 1, 0}, 8000));

    const std::vector<float> full = {-32768, -1.5f, 32767.9f};
    ASSERT_TRUE(writeWavFile(file("full.wav"), Signal(nullptr, SignalKind::Generated, full.data(), 3, 44100)));
    EXPECT_EQ(read(file("full.wav")), written({-32768, -1, 32767}, 44100));
}

TEST_F(WavWriterTest, LargeSignalsAreCentredAndScaledToTheFullRange)
{
    // Gain 32768 / 100000; the top value, +32768, does not fit and becomes 32767.
    const std::vector<float> wide = {-100000, 0, 100000, 50000, -25000};
    ASSERT_TRUE(writeWavFile(file("wide.wav"), Signal(nullptr, SignalKind::Generated, wide.data(), 5, 1000)));
    EXPECT_EQ(read(file("wide.wav")), written({-32768, 0, 32767, 16384, -8192}, 1000));

    // Centred on 100000 first.
    const std::vector<float> shifted = {0, 200000, 100000, 150000};
    ASSERT_TRUE(writeWavFile(file("shifted.wav"), Signal(nullptr, SignalKind::Generated, shifted.data(), 4, 1000)));
    EXPECT_EQ(read(file("shifted.wav")), written({-32768, 32767, 0, 16384}, 1000));

    ASSERT_TRUE(python(R"(
import wave
w = wave.open('shifted.wav')
assert (w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getnframes()) == (1, 2, 1000, 4)
)"));
}

// An offset signal narrow enough for 16 bits is centred rather than wrapped around.
TEST_F(WavWriterTest, AnOffsetSignalIsCentredNeverWrapped)
{
    const std::vector<float> offset = {0, 40000, 20000, 30000};
    ASSERT_TRUE(writeWavFile(file("offset.wav"), Signal(nullptr, SignalKind::Generated, offset.data(), 4, 1000)));
    EXPECT_EQ(read(file("offset.wav")), written({-20000, 20000, 0, 10000}, 1000));
    const std::vector<float> low = {-40000, -39000, -38000};
    ASSERT_TRUE(writeWavFile(file("low.wav"), Signal(nullptr, SignalKind::Generated, low.data(), 3, 1000)));
    EXPECT_EQ(read(file("low.wav")), written({-1000, 0, 1000}, 1000));
}

// A NaN anywhere, the first and the last sample included, is written as 0 and changes nothing else.
TEST_F(WavWriterTest, NaNSamplesAreZeroAndLeaveTheScalingAlone)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<std::vector<float>> cases = {
        {nan, 1, -1, 100},
        {1, -1, 100, nan},
        {1, nan, -1, 100},
    };
    const std::vector<std::vector<int16_t>> expected = {
        {0, 1, -1, 100},
        {1, -1, 100, 0},
        {1, 0, -1, 100},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        ASSERT_TRUE(writeWavFile(file("nan.wav"), Signal(nullptr, SignalKind::Generated, cases[i].data(), 4, 1000)));
        EXPECT_EQ(read(file("nan.wav")), written(expected[i], 1000)) << i;
    }
    const std::vector<float> wide = {nan, -100000, 100000, nan};
    ASSERT_TRUE(writeWavFile(file("widenan.wav"), Signal(nullptr, SignalKind::Generated, wide.data(), 4, 1000)));
    EXPECT_EQ(read(file("widenan.wav")), written({0, -32768, 32767, 0}, 1000));
    const std::vector<float> onlyNan = {nan, nan};
    ASSERT_TRUE(writeWavFile(file("onlynan.wav"), Signal(nullptr, SignalKind::Generated, onlyNan.data(), 2, 1000)));
    EXPECT_EQ(read(file("onlynan.wav")), written({0, 0}, 1000));
}

// Scaled or not, no written value is ever further than one step from where the rule puts it.
TEST_F(WavWriterTest, EveryValueLandsWithinSixteenBitsInOrder)
{
    for (const float top : {1.0f, 30000.0f, 40000.0f, 70000.0f, 1e9f}) {
        std::vector<float> ramp(1001);
        for (std::size_t i = 0; i < ramp.size(); ++i)
            ramp[i] = top * float(i) / 1000.0f;
        ASSERT_TRUE(writeWavFile(file("ramp.wav"), Signal(nullptr, SignalKind::Generated, ramp.data(), 1001, 1000)));
        const Bytes bytes = read(file("ramp.wav"));
        int previous = -32769;
        for (std::size_t i = 0; i < ramp.size(); ++i) {
            const int v = int16_t(uint16_t(bytes[44 + 2 * i] | bytes[45 + 2 * i] << 8));
            EXPECT_GE(v, previous) << "top " << top << " sample " << i << ": a wrap breaks the order";
            previous = v;
        }
    }
}

TEST_F(WavWriterTest, OnlyTheVisibleRangeIsWritten)
{
    std::vector<float> ramp(300);
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = float(i);
    Signal s(nullptr, SignalKind::Generated, ramp.data(), 300, 22050);
    ASSERT_TRUE(s.zoomIn(100, 199));
    ASSERT_TRUE(writeWavFile(file("part.wav"), s));
    const Bytes bytes = read(file("part.wav"));
    ASSERT_EQ(bytes.size(), 44u + 200);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 44), wavHeader(22050, 100));
    EXPECT_EQ(bytes[44], 100);
    EXPECT_EQ(bytes[44 + 2 * 99], 199);
    EXPECT_FALSE(writeWavFile(file("no/folder.wav"), s));
}
