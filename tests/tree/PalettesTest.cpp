#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
