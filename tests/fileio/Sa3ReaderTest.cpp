#include "FileioTestSupport.h"
#include "fileio/Sa3Reader.h"
#include "signal/SignalKind.h"

using Sa3ReaderTest = FileioTest;

TEST_F(Sa3ReaderTest, FourChannelsFromTheFirstFourWordsOfEachRecord)
{
    // 61 header words, 25 records of 7 words and 3 words of an unfinished record.
    ASSERT_TRUE(python(R"(
import numpy as np
rng = np.random.default_rng(7)
words = rng.integers(-32768, 32768, 61 + 25 * 7 + 3).astype('<i2')
words.tofile('log.sa3')
records = words[61:61 + 25 * 7].reshape(25, 7)[:, :4].astype(np.float32)
(records / np.float32([100, 100, 100, 10])).astype(np.float32).T.tofile('expected.f32')
)"));
    int asked = 0;
    const FileReadResult r = readSa3File(file("log.sa3"), [&] {
        ++asked;
        return std::optional<long double>(50);
    });
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(asked, 1);
    const std::vector<float> expected = readFloats(file("expected.f32"));
    ASSERT_EQ(r.signals.size(), 4u);
    for (std::size_t a = 0; a < 4; ++a) {
        const Signal& s = *r.signals[a];
        EXPECT_EQ(s.kind(), SignalKind::Sa3Channel);
        EXPECT_EQ(s.sampleRate(), 50);
        ASSERT_EQ(s.count(), 25u);
        for (std::size_t i = 0; i < 25; ++i)
            EXPECT_EQ(s.samples()[i], expected[a * 25 + i]) << a << ' ' << i;
    }
}

TEST_F(Sa3ReaderTest, LogWithoutAWholeRecordIsRefusedBeforeAsking)
{
    int asked = 0;
    const AskSampleRate ask = [&] {
        ++asked;
        return std::optional<long double>(50);
    };
    EXPECT_EQ(readSa3File(write("short.sa3", Bytes(2 * (61 + 6), 1)), ask).error, FileReadError::Invalid);
    EXPECT_EQ(readSa3File(write("header.sa3", Bytes(40, 1)), ask).error, FileReadError::Invalid);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(readSa3File(write("one.sa3", Bytes(2 * (61 + 7), 1)), [] { return std::optional<long double>(); }).error,
              FileReadError::Cancelled);
}
