#include <gtest/gtest.h>

#include <cstring>

#include "views/ClipboardBlock.h"

TEST(ClipboardBlock, CountThenSamplesInFourNPlusFiveBytes)
{
    const float samples[] = {1.5f, -2.0f, 0.25f};
    const auto block = ClipboardBlock::encode(samples, 3);
    // 3.0f is 0x40400000, 1.5f 0x3FC00000, -2.0f 0xC0000000, 0.25f 0x3E800000, little-endian.
    const std::vector<uint8_t> expected{0x00, 0x00, 0x40, 0x40, 0x00, 0x00, 0xC0, 0x3F, 0x00, 0x00, 0x00, 0xC0,
                                        0x00, 0x00, 0x80, 0x3E, 0x00};
    EXPECT_EQ(block, expected);
}

TEST(ClipboardBlock, DecodeReadsTheCountAsAWholeNumber)
{
    std::vector<uint8_t> block(4 + 8, 0);
    const float count = 2.7f;
    const float values[] = {7.0f, 8.0f};
    std::memcpy(block.data(), &count, 4);
    std::memcpy(block.data() + 4, values, 8);
    const auto decoded = ClipboardBlock::decode(block);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, (std::vector<float>{7.0f, 8.0f}));
}

TEST(ClipboardBlock, ShortBlockIsRefused)
{
    std::vector<uint8_t> block(4 + 4, 0);
    const float count = 2;
    std::memcpy(block.data(), &count, 4);
    EXPECT_FALSE(ClipboardBlock::decode(block));
    EXPECT_FALSE(ClipboardBlock::decode({1, 2}));
}
