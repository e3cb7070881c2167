#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

TEST(ExportCommand, NumbersKeepTheirPointUnderACommaLocale)
{
    // A German desktop; Debian installs no German locale by default, so one is built where none is.
    TempFolder folder;
    const auto locales = folder.path / "locales";
    std::filesystem::create_directories(locales);
    const bool built = run("localedef -i de_DE -f UTF-8 '" + (locales / "de_DE.UTF-8").string() + "' 2>/dev/null") == 0;
    const std::string environment = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LC_ALL=de_DE.UTF-8 " +
                                    (built ? "LOCPATH='" + locales.string() + "' " : "");
    if (run(environment + "/usr/bin/printf '%.1f' 0.5 2>/dev/null | grep -q ,") != 0)
        GTEST_SKIP() << "no locale with a decimal comma could be made";

    const auto wav = folder.path / "tone.wav";
    ASSERT_EQ(run("sox -n -D -r 8000 -c 1 -b 16 '" + wav.string() + "' synth 0.01 sine 300"), 0);
    const auto out = folder.path / "out";
    ASSERT_EQ(run(environment + "'" + Program + "' --export '" + out.string() + "' '" + wav.string() + "'"), 0);
    // The ASCII export: X and Y of every sample, the second at 1 / 8000 s.
    std::ifstream table(out / "window-1.txt");
    std::string first;
    std::string second;
    ASSERT_TRUE(std::getline(table, first));
    ASSERT_TRUE(std::getline(table, second));
    EXPECT_EQ(second.substr(0, second.find('\t')), "0.000125");
    EXPECT_EQ(second.find(','), std::string::npos) << second;
}

TEST(ExportCommand, FailsWhenAFileCannotBeOpened)
{
    TempFolder folder;
    EXPECT_EQ(run("'" + Program + "' --export '" + (folder.path / "out").string() + "' '" +
                  (folder.path / "missing.wav").string() + "' 2>/dev/null"),
              1);
}

TEST(ExportCommand, ADisplayThatIsGoneDoesNotStopTheRun)
{
    TempFolder folder;
    EXPECT_EQ(run("DISPLAY=:4077 QT_QPA_PLATFORM=xcb '" + Program + "' --export '" + (folder.path / "out").string() +
                  "' '" + MARLUNE_BIN_DIR + "/EXAMPLES/example.wav' 2>/dev/null"),
              0);
    EXPECT_TRUE(std::filesystem::exists(folder.path / "out" / "window-1.png"));
}
