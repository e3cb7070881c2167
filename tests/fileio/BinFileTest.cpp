#include <cmath>
#include <cstring>
#include <limits>

#include "FileioTestSupport.h"
#include "fileio/BinFile.h"
#include "fileio/Extended80.h"
#include "signal/SignalKind.h"

namespace {

// A float .bin file: the words 1, 1, ten bytes of extended rate, then the samples.
Bytes floatBin(const Bytes& rate, const std::vector<float>& samples)
{
    Bytes bytes;
    append16(bytes, 1);
    append16(bytes, 1);
    bytes.insert(bytes.end(), rate.begin(), rate.end());
    for (float v : samples) {
        uint32_t bits;
        std::memcpy(&bits, &v, 4);
        append32(bytes, bits);
    }
    return bytes;
}

}  // namespace

using BinFileTest = FileioTest;

TEST_F(BinFileTest, FloatVariantKeepsRateAndSamplesBitForBit)
{
    // 44100.5 = 0xAC448 × 2^-4: exponent 16383 + 15. 1 + 2^-60 sets significand bit 63 - 60 = 3,
    // which no double holds.
    const std::vector<std::pair<long double, Bytes>> rates = {
        {44100.5L, {0, 0, 0, 0, 0, 0x80, 0x44, 0xAC, 0x0E, 0x40}},
        {1 + 0x1p-60L, {0x08, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
    };
    const std::vector<float> samples = {-0.0f, 1.5f, std::numeric_limits<float>::denorm_min(),
                                        std::numeric_limits<float>::max(), -123456.789f};
    for (const auto& [rate, rateBytes] : rates) {
        Signal original(nullptr, SignalKind::Generated, samples.data(), uint32_t(samples.size()), rate);
        ASSERT_TRUE(writeBinFile(file("s.bin"), original));
        EXPECT_EQ(read(file("s.bin")), floatBin(rateBytes, samples));

        const FileReadResult back = readBinFile(file("s.bin"));
        ASSERT_TRUE(back.ok());
        const Signal& s = *back.signals[0];
        EXPECT_EQ(s.sampleRate(), rate);
        EXPECT_EQ(s.kind(), SignalKind::FileSignal);
        ASSERT_EQ(s.count(), samples.size());
        EXPECT_EQ(std::memcmp(s.samples(), samples.data(), samples.size() * 4), 0);
    }
}

TEST_F(BinFileTest, SavingAZoomedWindowWritesOnlyTheVisibleRange)
{
    std::vector<float> ramp(1000);
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = float(i);
    Signal original(nullptr, SignalKind::Generated, ramp.data(), 1000, 500, 3);
    ASSERT_TRUE(original.zoomIn(100, 199));
    ASSERT_TRUE(writeBinFile(file("part.bin"), original));
    EXPECT_EQ(std::filesystem::file_size(file("part.bin")), 14u + 100 * 4);

    const FileReadResult back = readBinFile(file("part.bin"));
    ASSERT_TRUE(back.ok());
    const Signal& s = *back.signals[0];
    ASSERT_EQ(s.count(), 100u);
    EXPECT_EQ(s.samples()[0], 100.0f);
    EXPECT_EQ(s.samples()[99], 199.0f);
    EXPECT_EQ(s.xOffset(), 0);
}

TEST_F(BinFileTest, LegacyVariantTakesItsRateFromThreeWords)
{
    struct Case { uint16_t a, b, c; long double rate; };
    const Case cases[] = {
        {0, 9, 44100, 1000},      // above 32000
        {0, 9, 8000, 8000},
        {1, 2, 100, 10000},       // 2000000 / 200
        {3, 0, 100, 1000},
        {7, 7, 7, 5830},          // 2000000 / 343, truncated
        {2000, 2000, 2000, 1000}, // quotient 0, below 1
        {2048, 2048, 2048, 1000}, // the 32-bit product wraps to 0
    };
    for (const Case& c : cases) {
        Bytes bytes;
        for (uint16_t w : {c.a, c.b, c.c, uint16_t(0x8000), uint16_t(0x7FFF), uint16_t(0xFFFF)})
            append16(bytes, w);
        bytes.push_back(0x55);  // an odd trailing byte holds no sample
        const FileReadResult r = readBinFile(write("old.bin", bytes));
        ASSERT_TRUE(r.ok());
        const Signal& s = *r.signals[0];
        EXPECT_EQ(s.sampleRate(), c.rate) << c.a << ' ' << c.b << ' ' << c.c;
        ASSERT_EQ(s.count(), 3u);
        EXPECT_EQ(s.samples()[0], -32768.0f);
        EXPECT_EQ(s.samples()[1], 32767.0f);
        EXPECT_EQ(s.samples()[2], -1.0f);
    }
}

TEST_F(BinFileTest, TruncatedFilesAndUnusableRatesAreRefused)
{
    const Bytes one = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
    const std::vector<Bytes> refused = {
        {},
        {0, 0, 0x44, 0xAC, 0},                                 // shorter than the legacy header
        {0, 0, 0x44, 0xAC, 0, 0, 0},                           // legacy header, no sample
        {1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF},         // float header cut short
        floatBin(one, {}),                                     // no sample
        floatBin({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}, {1}), // +infinity
        floatBin({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF}, {1}), // -infinity
        floatBin({0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F}, {1}), // NaN
        floatBin({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xBF}, {1}), // -1
        floatBin({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {1}),          // 0
        floatBin({0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F}, {1}), // unnormal: integer bit clear
    };
    for (std::size_t i = 0; i < refused.size(); ++i)
        EXPECT_EQ(readBinFile(write("bad.bin", refused[i])).error, FileReadError::Invalid) << i;
    // Finite in extended precision, but the spacing or the rate itself is not finite in double.
    for (const long double rate : {1e-4000L, 1e-4940L, 1e-320L, 1e4000L}) {
        const Extended80Bytes bytes = encodeExtended80(rate);
        EXPECT_EQ(readBinFile(write("bad.bin", floatBin(Bytes(bytes.begin(), bytes.end()), {1}))).error,
                  FileReadError::Invalid)
            << double(rate);
    }
    EXPECT_EQ(readBinFile(file("missing.bin")).error, FileReadError::CannotOpen);
    EXPECT_FALSE(writeBinFile(file("no/such/folder.bin"), Signal(nullptr, 6, std::vector<float>{1}.data(), 1, 1)));
}
