#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "FFTTestSupport.h"
#include "support/CommaLocale.h"
#include "support/TempFolder.h"
#include "views/Export3D.h"
#include "views/FFTSignal.h"

namespace {
// A log of 3 rows of 4 values at 2 Hz from X 10 (Y 10, 10.5, 11, 11.5), fed twice: its rows start 0, 1.5, 2.5.
FFTSignal smallLog()
{
    FFTSignal data;
    auto parentWith = [](float base) {
        auto parent = parentOf({base, base + 0.25f, base + 0.5f, base + 1e6f}, 2);
        parent->setXOffset(10);
        return parent;
    };
    EXPECT_EQ(data.createLog(*parentWith(0), 3), FFTSignal::Result::Done);
    EXPECT_TRUE(data.appendLog(*parentWith(1.5f)));
    EXPECT_TRUE(data.appendLog(*parentWith(2.5f)));
    return data;
}
}  // namespace

TEST(Export3D, TriplesOfTheCurrentLevel)
{
    TempFolder folder;
    FFTSignal data = smallLog();
    ASSERT_TRUE(Export3D::writeTriples(data, folder.path / "t.txt"));
    const std::string text = readBytes(folder.path / "t.txt");
    EXPECT_EQ(text.substr(0, 62), "0\t10\t0\n0\t10.5\t0.25\n0\t11\t0.5\n0\t11.5\t1e+06\n1\t10\t1.5\n1\t10.5\t1.75\n");
    EXPECT_NE(text.find("2\t11.5\t1e+06\n"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 12);

    // A zoomed level exports only its rectangle.
    data.level() = ViewLevel::spanning(1, 2, 2, 3);
    ASSERT_TRUE(Export3D::writeTriples(data, folder.path / "z.txt"));
    EXPECT_EQ(readBytes(folder.path / "z.txt"), "1\t11\t2\n1\t11.5\t1e+06\n2\t11\t3\n2\t11.5\t1e+06\n");
}

TEST(Export3D, MatrixWithLabelsAndDecimalPoints)
{
    const CommaLocale comma;
    TempFolder folder;
    const FFTSignal data = smallLog();
    ASSERT_TRUE(Export3D::writeMatrix(data, folder.path / "m.txt", "sample", "s"));
    EXPECT_EQ(readBytes(folder.path / "m.txt"), "sample/s\t10\t10.5\t11\t11.5\n"
                                                "0\t0\t0.25\t0.5\t1e+06\n"
                                                "1\t1.5\t1.75\t2\t1e+06\n"
                                                "2\t2.5\t2.75\t3\t1e+06\n");
}

// A Time FFT exports row r at its origin + (r + 1) steps and bin j at j × w.
TEST(Export3D, TimeFFTRowsOneStepLaterAndBinsFromZero)
{
    TempFolder folder;
    TapWindow tap;
    FFTSignal data;
    TimeFFTParameters p{64, 4, 15, 3, 125, 4000};
    ASSERT_EQ(data.createTimeFFT(*parentOf(noise(512, 3)), p, hanningMagnitude(), tap), FFTSignal::Result::Done);
    ASSERT_TRUE(Export3D::writeMatrix(data, folder.path / "m.txt", "sec", "Hz"));
    const std::string text = readBytes(folder.path / "m.txt");
    // w = 125 Hz; the level starts at bin ceil((125 - 125) / 125) = 0.
    EXPECT_EQ(text.substr(0, 20), "sec/Hz\t0\t125\t250\t375");
    // hop = (512 - 64) div 3 = 149 samples; the first row at 149 / 8000 s.
    const std::size_t second = text.find('\n') + 1;
    EXPECT_EQ(text.substr(second, 9), "0.018625\t");
}

TEST(Export3D, UnwritableFileIsRefused)
{
    TempFolder folder;
    const FFTSignal data = smallLog();
    EXPECT_FALSE(Export3D::writeTriples(data, folder.path / "missing" / "t.txt"));
    EXPECT_FALSE(Export3D::writeMatrix(data, folder.path / "missing" / "m.txt", "x", "y"));
    EXPECT_FALSE(std::filesystem::exists(folder.path / "missing"));
}
