#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/AddressSpaceLimit.h"
#include "support/HostileFiles.h"
#include "support/TempFolder.h"
#include "views/Palette.h"

TEST(Palette, ReadsUpToFortyEightColoursAnyWhiteSpaceApart)
{
    TempFolder folder;
    std::string text = "1 2 3\n\t4   5\t6  \n";
    for (int i = 0; i < 60; ++i)
        text += "7 8 9\n";
    writeBytes(folder.path / "p.pal", text);
    const auto palette = Palette::read(folder.path / "p.pal");
    ASSERT_TRUE(palette);
    EXPECT_EQ(palette->colour(0), (Rgb{1, 2, 3}));
    EXPECT_EQ(palette->colour(1), (Rgb{4, 5, 6}));
    EXPECT_EQ(palette->colour(47), (Rgb{7, 8, 9}));
    EXPECT_EQ(palette->shown(0, true), (Rgb{254, 253, 252})) << "inverted colours are complemented";
}

// What the file does not give stays black; nothing past a broken line is read; no byte wraps around.
TEST(Palette, ShortBrokenOrOversizedFilesLeaveBlackAndNeverWrap)
{
    TempFolder folder;
    writeBytes(folder.path / "short.pal", "300 256 1000\n10 20\n30 40 50\n");
    const auto palette = Palette::read(folder.path / "short.pal");
    ASSERT_TRUE(palette);
    EXPECT_EQ(palette->colour(0), (Rgb{255, 255, 255}));
    EXPECT_EQ(palette->colour(1), (Rgb{0, 0, 0}));
    EXPECT_EQ(palette->colour(2), (Rgb{0, 0, 0}));
    EXPECT_EQ(palette->colour(200), (Rgb{0, 0, 0})) << "an index past the end reads the last entry";
    EXPECT_FALSE(Palette::read(folder.path / "missing.pal"));
}

// The shipped palettes are full ramps from their dark (or light) end to the other.
TEST(Palette, TheShippedPalettesAreFullRamps)
{
    const std::string resources = std::string(MARLUNE_SOURCE_DIR) + "/resources/";
    for (const std::string_view name : Palette::FileNames) {
        std::ifstream in(resources + std::string(name));
        int lines = 0;
        for (std::string line; std::getline(in, line);)
            ++lines;
        EXPECT_EQ(lines, 48) << name;
        ASSERT_TRUE(Palette::read(resources + std::string(name))) << name;
    }
    const auto gray = Palette::read(resources + "gray.pal");
    EXPECT_EQ(gray->colour(0), (Rgb{0, 0, 0}));
    EXPECT_EQ(gray->colour(47), (Rgb{255, 255, 255}));
    const auto hsv = Palette::read(resources + "hsv.pal");
    EXPECT_EQ(hsv->colour(0), (Rgb{0, 0, 255}));
    EXPECT_EQ(hsv->colour(47), (Rgb{255, 0, 0}));
}

// A palette linked to /dev/zero grew without end; a FIFO would wait for a writer.
TEST(Palette, OnlyARegularFileOfAPalettesSizeIsRead)
{
    TempFolder folder;
    const HangGuard guard;
    const AddressSpaceLimit limit(16u << 20);
    for (const auto& hostile : hostileFiles(folder.path, "palette", Palette::MaxFileBytes + 1))
        EXPECT_FALSE(Palette::read(hostile)) << hostile.filename();
    writeBytes(folder.path / "largest.pal", "1 2 3\n");
    std::filesystem::resize_file(folder.path / "largest.pal", Palette::MaxFileBytes);
    const auto largest = Palette::read(folder.path / "largest.pal");
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest->colour(0), (Rgb{1, 2, 3}));
}
