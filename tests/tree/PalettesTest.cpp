#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/HostileFiles.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "tree/marluneMDIClient.h"
#include "views/Palette.h"

TEST(Palette, AMissingFileIsReportedOnceAndTheOthersAreRead)
{
    TempFolder folder;
    const std::string resources = std::string(MARLUNE_SOURCE_DIR) + "/resources/";
    for (const std::string_view name : Palette::FileNames)
        if (name != "copper.pal")
            std::filesystem::copy_file(resources + std::string(name), folder.path / std::string(name));
    ScriptedUi ui;
    marluneMDIClient client(ui, folder.path.string() + "/");
    client.loadPalettes();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Error opening palette file.");
    EXPECT_EQ(ui.messages[0].caption, "Error");
    EXPECT_EQ(client.palette(0).colour(47), (Rgb{255, 255, 255}));
    EXPECT_EQ(client.palette(3).colour(47), (Rgb{0, 0, 0})) << "the missing copper palette stays black";
}

// Palettes that are links to /dev/zero, FIFOs, folders or far too large are reported as missing ones.
TEST(Palette, HostilePaletteFilesAreReportedAsMissing)
{
    TempFolder folder;
    const HangGuard guard;
    const std::string resources = std::string(MARLUNE_SOURCE_DIR) + "/resources/";
    for (const std::string_view name : Palette::FileNames)
        std::filesystem::copy_file(resources + std::string(name), folder.path / std::string(name));
    const auto hostile = hostileFiles(folder.path, "hostile", Palette::MaxFileBytes + 1);
    for (std::size_t i = 0; i < hostile.size(); ++i) {
        const auto name = folder.path / std::string(Palette::FileNames[i]);
        std::filesystem::remove(name);
        std::filesystem::rename(hostile[i], name);
    }
    ScriptedUi ui;
    marluneMDIClient client(ui, folder.path.string() + "/");
    client.loadPalettes();
    EXPECT_EQ(ui.messages.size(), hostile.size());
    EXPECT_EQ(client.palette(0).colour(47), (Rgb{0, 0, 0}));
    EXPECT_EQ(client.palette(5).colour(0), (Rgb{255, 255, 255})) << "white.pal is read";
}
