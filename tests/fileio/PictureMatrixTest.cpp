#include "FileioTestSupport.h"
#include "fileio/PictureMatrix.h"

namespace {
// A bitmap of `width` x `height` with the pixel at (x, y) coloured (x, y, 10) (red, green, blue),
// 24 or 32 bits, stored bottom-up or (topDown) top-down, with the rows padded to 4 bytes.
Bytes bitmap(int width, int height, int bits, bool topDown)
{
    const int stride = (width * bits + 31) / 32 * 4;
    Bytes pixels;
    for (int line = 0; line < height; ++line) {
        const int y = topDown ? line : height - 1 - line;
        const std::size_t start = pixels.size();
        for (int x = 0; x < width; ++x) {
            for (const uint8_t v : {uint8_t(10), uint8_t(y), uint8_t(x)})  // blue, green, red
                pixels.push_back(v);
            if (bits == 32)
                pixels.push_back(0);
        }
        pixels.resize(start + std::size_t(stride), 0);
    }
    Bytes file{'B', 'M'};
    append32(file, uint32_t(54 + pixels.size())), append32(file, 0), append32(file, 54);
    append32(file, 40), append32(file, uint32_t(width)), append32(file, uint32_t(topDown ? -height : height));
    append16(file, 1), append16(file, uint16_t(bits)), append32(file, 0), append32(file, uint32_t(pixels.size()));
    append32(file, 2835), append32(file, 2835), append32(file, 0), append32(file, 0);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

Bytes matrix(uint32_t bins, uint32_t rows, const std::vector<uint32_t>& values)
{
    Bytes file;
    append32(file, bins), append32(file, rows), append32(file, 7), append32(file, 9);
    for (uint32_t v : values)
        append32(file, v);
    return file;
}
}  // namespace

using PictureMatrixTest = FileioTest;

// Rows are the picture's columns, bins its lines from the top; a value is red + green + blue.
TEST_F(PictureMatrixTest, BitmapsOfEveryLayoutGiveTheSameMatrix)
{
    for (const int bits : {24, 32})
        for (const bool topDown : {false, true}) {
            const auto picture = PictureMatrix::read(write("p.BMP", bitmap(5, 3, bits, topDown)));
            ASSERT_TRUE(picture) << bits << topDown;
            EXPECT_EQ(picture->rows, 5u);
            EXPECT_EQ(picture->bins, 3u);
            for (uint32_t x = 0; x < 5; ++x)
                for (uint32_t y = 0; y < 3; ++y)
                    EXPECT_EQ(picture->values[x * 3 + y], float(x + y + 10)) << bits << topDown << x << y;
        }
    // The same picture made by an independent writer.
    ASSERT_TRUE(python(R"(
import struct
w, h = 3, 2
rows = b''.join(bytes([0, 0, 255, 0, 255, 0, 255, 0, 0]) + b'\0\0\0' for _ in range(h))
head = b'BM' + struct.pack('<IHHI', 54 + len(rows), 0, 0, 54)
info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(rows), 0, 0, 0, 0)
open('py.bmp', 'wb').write(head + info + rows)
)"));
    const auto fromPython = PictureMatrix::readBmp(file("py.bmp"));
    ASSERT_TRUE(fromPython);
    EXPECT_EQ(fromPython->values, std::vector<float>(6, 255.0f));
}

TEST_F(PictureMatrixTest, DamagedBitmapsAreRefused)
{
    const Bytes good = bitmap(4, 4, 24, false);
    Bytes truncated(good.begin(), good.end() - 10);
    Bytes rle = good;
    rle[30] = 1;
    Bytes wide = good;
    wide[18] = 0xFF, wide[19] = 0xFF, wide[20] = 0xFF, wide[21] = 0x7F;
    Bytes sixteenBits = good;
    sixteenBits[28] = 16;
    for (const Bytes& bad : {truncated, rle, wide, sixteenBits, Bytes{'B', 'M', 0}})
        EXPECT_FALSE(PictureMatrix::readBmp(write("bad.bmp", bad)));
    EXPECT_FALSE(PictureMatrix::readBmp(file("missing.bmp")));
}

TEST_F(PictureMatrixTest, MatrixFilesHoldWhatTheirHeaderSays)
{
    const auto read = PictureMatrix::read(write("m.dat", matrix(3, 2, {1, 2, 3, 4, 5, 4000000000u})));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->rows, 2u);
    EXPECT_EQ(read->bins, 3u);
    EXPECT_EQ(read->values, (std::vector<float>{1, 2, 3, 4, 5, 4e9f}));
    EXPECT_FALSE(PictureMatrix::read(write("short.dat", matrix(3, 2, {1, 2, 3, 4, 5})))) << "one value missing";
    EXPECT_FALSE(PictureMatrix::read(write("huge.dat", matrix(0xFFFFFFFFu, 0xFFFFFFFFu, {1}))))
        << "a product past 32 bits is not allocated";
    EXPECT_FALSE(PictureMatrix::read(write("empty.dat", matrix(0, 5, {}))));
    EXPECT_FALSE(PictureMatrix::read(write("head.dat", Bytes{1, 0, 0, 0})));
}
