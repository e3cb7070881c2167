#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "settings/PrivateProfile.h"
#include "support/TempFolder.h"

namespace {
int run(const std::string& command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
const std::string Program = std::string(MARLUNE_BIN_DIR) + "/marlune32";
}  // namespace

TEST(ExportCommand, WritesEveryWindowWithoutADisplay)
{
    TempFolder folder;
    const auto wav = folder.path / "tone.wav";
    ASSERT_EQ(run("sox -n -D -r 8000 -c 2 -b 16 '" + wav.string() + "' synth 0.5 sine 300 sine 700"), 0);
    const auto out = folder.path / "out";
    EXPECT_EQ(run("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + Program + "' --export '" + out.string() +
                  "' '" + wav.string() + "'"),
              0);
    PrivateProfile manifest(out / "manifest.ini");
    EXPECT_EQ(manifest.sectionNames().size(), 2u);
    EXPECT_EQ(manifest.getString("Window_1", "Title", ""), "1#tone.wav-1");
    EXPECT_EQ(manifest.getString("Window_1", "Count", ""), "4000");
    EXPECT_EQ(std::filesystem::file_size(out / "window-2.bin"), 14u + 4u * 4000u);
    const QImage picture(QString::fromStdString((out / "window-1.png").string()));
    ASSERT_EQ(picture.size(), QSize(800, 400));
    // The blue curve of a file window is drawn somewhere in the picture.
    bool blue = false;
    for (int y = 0; y < picture.height() && !blue; ++y)
        for (int x = 0; x < picture.width() && !blue; ++x)
            blue = picture.pixel(x, y) == qRgb(0, 0, 255);
    EXPECT_TRUE(blue);
}

TEST(ExportCommand, AnEmptyDisplayMeansNoDisplay)
{
    TempFolder folder;
    const auto wav = folder.path / "tone.wav";
    ASSERT_EQ(run("sox -n -D -r 8000 -c 1 -b 16 '" + wav.string() + "' synth 0.1 sine 300"), 0);
    const auto out = folder.path / "out";
    EXPECT_EQ(run("env -u QT_QPA_PLATFORM DISPLAY= WAYLAND_DISPLAY= '" + Program + "' --export '" + out.string() +
                  "' '" + wav.string() + "' 2>/dev/null"),
              0);
    EXPECT_TRUE(std::filesystem::exists(out / "window-1.png"));
}

TEST(ExportCommand, FailsWhenAFileCannotBeOpened)
{
    TempFolder folder;
    EXPECT_EQ(run("'" + Program + "' --export '" + (folder.path / "out").string() + "' '" +
                  (folder.path / "missing.wav").string() + "' 2>/dev/null"),
              1);
}
