#include "FileioTestSupport.h"
#include "fileio/AsciiExport.h"
#include "signal/SignalKind.h"

using AsciiExportTest = FileioTest;

TEST_F(AsciiExportTest, XGrowsByOneOverTheRateFromTheFirstVisibleX)
{
    const std::vector<float> three = {1, -2.5f, 3e-7f};
    ASSERT_TRUE(exportAscii(file("three.txt"), Signal(nullptr, SignalKind::Generated, three.data(), 3, 2)));
    const Bytes text = read(file("three.txt"));
    EXPECT_EQ(std::string(text.begin(), text.end()), "0\t1\n0.5\t-2.5\n1\t3e-07\n");

    std::vector<float> ramp(200, 4);
    Signal zoomed(nullptr, SignalKind::Generated, ramp.data(), 200, 1000, 2);
    ASSERT_TRUE(zoomed.zoomIn(100, 110));
    ASSERT_TRUE(exportAscii(file("zoomed.txt"), zoomed));
    const Bytes lines = read(file("zoomed.txt"));
    const std::string all(lines.begin(), lines.end());
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 11);
    EXPECT_TRUE(all.starts_with("2.1\t4\n2.101\t4\n"));
    EXPECT_TRUE(all.ends_with("\n2.11\t4\n"));
    EXPECT_FALSE(exportAscii(file("no/folder.txt"), zoomed));
}
