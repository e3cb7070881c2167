#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "settings/PrivateProfile.h"
#include "support/TempFolder.h"

namespace {
namespace fs = std::filesystem;

const fs::path BuildFolder = MARLUNE_BUILD_DIR;
const std::string DesktopId = "org.marlune.Marlune";

int run(const std::string& command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string quoted(const fs::path& path)
{
    return "'" + path.string() + "'";
}

// What a command prints on its standard output.
std::string output(const std::string& command)
{
    TempFolder folder;
    const fs::path file = folder.path / "out";
    run(command + " > " + quoted(file));
    return readBytes(file);
}

// Every file and folder under `root` with its size and modification time.
std::map<fs::path, std::pair<std::uintmax_t, fs::file_time_type>> listing(const fs::path& root)
{
    std::map<fs::path, std::pair<std::uintmax_t, fs::file_time_type>> entries;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
        entries[entry.path()] = {entry.is_regular_file() ? entry.file_size() : 0, entry.last_write_time()};
    return entries;
}

// The width and height a PNG file states in its header.
std::pair<unsigned, unsigned> pngSize(const fs::path& file)
{
    const std::string bytes = readBytes(file);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0)
        return {0, 0};
    const auto big = [&bytes](std::size_t at) {
        unsigned value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
        return value;
    };
    return {big(16), big(20)};
}

// The build installed once into a fresh prefix for all the tests here.
class InstallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        prefix_ = new TempFolder;
        installed_ = run(MARLUNE_CMAKE " --install " + quoted(BuildFolder) + " --prefix " + quoted(prefix_->path) +
                         " > /dev/null") == 0;
    }
    static void TearDownTestSuite()
    {
        delete prefix_;
        prefix_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(installed_) << "cmake --install failed"; }

    static fs::path prefix() { return prefix_->path; }
    static fs::path share() { return prefix_->path / "share"; }

    // The installed program started with a home of its own and no configuration folder named.
    static std::string program(const fs::path& home)
    {
        return "cd " + quoted(home) + " && env -u XDG_CONFIG_HOME -u DISPLAY -u WAYLAND_DISPLAY HOME=" + quoted(home) +
               " QT_QPA_PLATFORM=offscreen " + quoted(prefix() / "bin" / "marlune32");
    }

private:
    static inline TempFolder* prefix_ = nullptr;
    static inline bool installed_ = false;
};
}  // namespace

TEST_F(InstallTest, ProgramsAndEveryShippedFileLandInTheirPlaces)
{
    for (const char* name : {"marlune32", "Sonvert"})
        EXPECT_EQ(run("test -x " + quoted(prefix() / "bin" / name)), 0) << name;
    // The program folder's content, byte for byte.
    const fs::path resources = fs::path(MARLUNE_SOURCE_DIR) / "resources";
    std::size_t files = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(resources)) {
        if (!entry.is_regular_file())
            continue;
        ++files;
        const fs::path copy = share() / "marlune" / fs::relative(entry.path(), resources);
        EXPECT_EQ(readBytes(copy), readBytes(entry.path())) << copy;
    }
    EXPECT_GT(files, 10u);
    for (const char* name : {"defaults.ini", "tfftstat.rng", "gray.pal", "help/index.html", "calibration/default.cal",
                             "EXAMPLES/example.wav", "TOOLS/spectrum.mwt"})
        EXPECT_TRUE(fs::is_regular_file(share() / "marlune" / name)) << name;
}

TEST_F(InstallTest, IconsHaveTheSizesTheirFoldersName)
{
    const fs::path hicolor = share() / "icons" / "hicolor";
    EXPECT_TRUE(fs::is_regular_file(hicolor / "scalable" / "apps" / (DesktopId + ".svg")));
    for (unsigned size : {16u, 32u, 48u, 64u, 128u, 256u}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        EXPECT_EQ(pngSize(hicolor / folder / "apps" / (DesktopId + ".png")), std::make_pair(size, size)) << folder;
    }
}

TEST_F(InstallTest, DesktopEntryAndMetainfoPassTheirValidators)
{
    const fs::path desktop = share() / "applications" / (DesktopId + ".desktop");
    const fs::path metainfo = share() / "metainfo" / (DesktopId + ".metainfo.xml");
    EXPECT_EQ(run("desktop-file-validate " + quoted(desktop)), 0) << "needs desktop-file-utils";
    EXPECT_EQ(run("appstreamcli validate --no-net " + quoted(metainfo) + " > /dev/null"), 0) << "needs appstream";

    const PrivateProfile entry(desktop);
    EXPECT_EQ(entry.getString("Desktop Entry", "Exec", ""), "marlune32 %f");
    EXPECT_EQ(entry.getString("Desktop Entry", "Icon", ""), DesktopId);
    EXPECT_EQ(entry.getString("Desktop Entry", "MimeType", ""),
              "application/x-marlune-workspace;application/x-marlune-tool;");
}

TEST_F(InstallTest, WorkspacesAndToolsGetTheirMimeTypes)
{
    // The desktop's own tool builds the database from the installed package file, as a package install does.
    TempFolder copy;
    fs::copy(share() / "mime", copy.path / "mime", fs::copy_options::recursive);
    ASSERT_EQ(run("update-mime-database " + quoted(copy.path / "mime")), 0) << "needs shared-mime-info";
    const std::string globs = readBytes(copy.path / "mime" / "globs2");
    EXPECT_NE(globs.find("application/x-marlune-workspace:*.mws"), std::string::npos) << globs;
    EXPECT_NE(globs.find("application/x-marlune-tool:*.mwt"), std::string::npos) << globs;
    const std::string workspace = readBytes(copy.path / "mime" / "application" / "x-marlune-workspace.xml");
    EXPECT_NE(workspace.find("<comment>Marlune workspace</comment>"), std::string::npos) << workspace;
    const std::string tool = readBytes(copy.path / "mime" / "application" / "x-marlune-tool.xml");
    EXPECT_NE(tool.find("<comment>Marlune tool</comment>"), std::string::npos) << tool;
}

TEST_F(InstallTest, TheInstalledProgramRunsFromThePrefixAndWritesOnlyToTheUser)
{
    TempFolder home;
    const auto before = listing(prefix());
    const fs::path out = home.path / "out";
    const fs::path examples = share() / "marlune" / "EXAMPLES";
    const fs::path example = examples / "example.wav";
    ASSERT_EQ(run(program(home.path) + " --export " + quoted(out) + " " + quoted(examples / "spectral-analysis.mws")), 0);
    const PrivateProfile manifest(out / "manifest.ini");
    EXPECT_EQ(manifest.sectionNames().size(), 7u) << "the whole tree of the example";
    EXPECT_EQ(manifest.getString("Window_1", "FileName", ""), example.string()) << "found beside the workspace";

    // A whole session ends by keeping its settings: in the user's folder, since the prefix is not the
    // program's to change, even for root.
    ASSERT_EQ(run(program(home.path) + " --screenshot " + quoted(home.path / "frame.png") + " " + quoted(example)), 0);
    EXPECT_GT(pngSize(home.path / "frame.png").first, 0u) << "the session ran";
    const PrivateProfile settings(home.path / ".config" / "marlune" / "defaults.ini");
    EXPECT_EQ(settings.getString("Spectral analysis defaults", "FFT_TestPeaksLevel", ""), "5");
    EXPECT_EQ(listing(prefix()), before) << "nothing under the prefix was written";
}

// The batch line of the README, as it stands there, on the installed program and its shipped tools;
// only the package's prefix (/usr) is this installation's.
TEST_F(InstallTest, TheReadmesBatchLineGrowsTheShippedSpectrumUnderEveryRecording)
{
    const std::string readme = readBytes(fs::path(MARLUNE_SOURCE_DIR) / "README.md");
    const std::size_t at = readme.find("\n    parallel marlune32 ");
    ASSERT_NE(at, std::string::npos) << "the README's example";
    std::string line = readme.substr(at + 5, readme.find('\n', at + 1) - at - 5);
    const std::string packaged = "/usr/share/marlune/";
    const std::size_t tools = line.find(packaged);
    ASSERT_NE(tools, std::string::npos) << line;
    line.replace(tools, packaged.size(), (share() / "marlune").string() + "/");

    TempFolder work;
    fs::create_directory(work.path / "recordings");
    const std::map<std::string, double> tones{{"low", 440}, {"high", 1250}};
    for (const auto& [name, frequency] : tones)
        ASSERT_EQ(run("sox -n -D -r 8000 -c 1 -b 16 " + quoted(work.path / "recordings" / (name + ".wav")) +
                      " synth 0.5 sine " + std::to_string(frequency)),
                  0);
    ASSERT_EQ(run("cd " + quoted(work.path) + " && env -u DISPLAY -u WAYLAND_DISPLAY HOME=" + quoted(work.path) +
                  " PATH=" + quoted(prefix() / "bin") + ":\"$PATH\" " + line + " 2> /dev/null"),
              0)
        << line;
    for (const auto& [name, frequency] : tones) {
        const fs::path out = work.path / "out" / name;
        const PrivateProfile manifest(out / "manifest.ini");
        ASSERT_EQ(manifest.sectionNames().size(), 2u) << name;
        EXPECT_EQ(manifest.getString("Window_1", "Type", ""), "22") << name;
        EXPECT_EQ(manifest.getString("Window_2", "Type", ""), "2") << name;
        EXPECT_EQ(manifest.getString("Window_2", "Title", ""), "2#FFT( 1#" + name + ".wav-1)");
        // The spectrum's highest value stands at the tone: X = XOffset + index / SampleRate.
        const std::string bin = readBytes(out / "window-2.bin");
        const std::size_t count = std::stoul(manifest.getString("Window_2", "Count", "0"));
        ASSERT_EQ(bin.size(), 14 + 4 * count) << name;
        ASSERT_GT(count, 1000u) << name;
        std::vector<float> values(count);
        std::memcpy(values.data(), bin.data() + 14, 4 * count);
        const auto peak = std::max_element(values.begin(), values.end()) - values.begin();
        const double x = std::stod(manifest.getString("Window_2", "XOffset", "")) +
                         double(peak) / std::stod(manifest.getString("Window_2", "SampleRate", ""));
        EXPECT_NEAR(x, frequency, 2.0) << name;
    }
}

// The package cpack makes of this build, once for the tests here.
class DebianPackageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        packages_ = new TempFolder;
        if (run("cd " + quoted(BuildFolder) + " && cpack -G DEB -B " + quoted(packages_->path) + " > /dev/null") != 0)
            return;
        for (const fs::directory_entry& entry : fs::directory_iterator(packages_->path))
            if (entry.path().extension() == ".deb")
                deb_ = entry.path();
    }
    static void TearDownTestSuite()
    {
        delete packages_;
        packages_ = nullptr;
    }
    void SetUp() override { ASSERT_FALSE(deb_.empty()) << "cpack -G DEB made no package"; }

    static inline TempFolder* packages_ = nullptr;
    static inline fs::path deb_;
};

TEST_F(DebianPackageTest, DependsOnWhatTheProgramsLinkAndHoldsItsDocuments)
{
    EXPECT_EQ(deb_.filename().string().rfind("marlune_", 0), 0u) << deb_;
    const std::string depends = output("dpkg-deb -f " + quoted(deb_) + " Depends");
    for (const char* library : {"libqt6widgets6", "libqt6multimedia6", "libavformat", "libswresample", "libc6"})
        EXPECT_NE(depends.find(library), std::string::npos) << library << " in " << depends;
    EXPECT_EQ(output("dpkg-deb -f " + quoted(deb_) + " Maintainer"), "Marlune developers <developers@marlune.invalid>\n");
    const std::string contents = output("dpkg-deb -c " + quoted(deb_));
    for (const std::string& file : std::vector<std::string>{
             "./usr/bin/marlune32", "./usr/bin/Sonvert", "./usr/share/marlune/defaults.ini",
             "./usr/share/marlune/TOOLS/spectrum.mwt", "./usr/share/applications/" + DesktopId + ".desktop",
             "./usr/share/mime/packages/" + DesktopId + ".xml", "./usr/share/doc/marlune/copyright",
             "./usr/share/doc/marlune/changelog.Debian.gz", "./usr/share/man/man1/marlune32.1.gz",
             "./usr/share/man/man1/Sonvert.1.gz"})
        EXPECT_NE(contents.find(file + "\n"), std::string::npos) << file;

    TempFolder unpacked;
    ASSERT_EQ(run("dpkg-deb -x " + quoted(deb_) + " " + quoted(unpacked.path)), 0);
    const fs::path doc = unpacked.path / "usr" / "share" / "doc" / "marlune";
    const std::string copyright = readBytes(doc / "copyright");
    EXPECT_EQ(copyright.rfind("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n", 0), 0u);
    EXPECT_NE(copyright.find("License: GPL-3+\n"), std::string::npos);
    // The changelog's top entry is the package's version.
    const std::string version = output("dpkg-deb -f " + quoted(deb_) + " Version");
    EXPECT_EQ(output("zcat " + quoted(doc / "changelog.Debian.gz") + " | head -1"),
              "marlune (" + version.substr(0, version.size() - 1) + ") unstable; urgency=medium\n");
    // The manual pages read as manual pages.
    for (const char* page : {"marlune32", "Sonvert"}) {
        const fs::path file = unpacked.path / "usr" / "share" / "man" / "man1" / (std::string(page) + ".1.gz");
        const std::string text = output("man -l " + quoted(file) + " 2>&1");
        EXPECT_NE(text.find("NAME"), std::string::npos) << page << ": " << text;
        EXPECT_EQ(output("{ man --warnings -E UTF-8 -l -Tutf8 -Z " + quoted(file) + " > /dev/null; } 2>&1"), "") << page;
    }
}

// Debian's package checker finds nothing to complain about: no error and no warning.
TEST_F(DebianPackageTest, LintianFindsNoErrorNorWarning)
{
    if (run("command -v lintian > /dev/null") != 0)
        GTEST_SKIP() << "needs lintian";
    const std::string report = output("lintian --tag-display-limit 0 --display-info " + quoted(deb_) + " 2>&1");
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_NE(line.rfind("E: ", 0), 0u) << line;
        EXPECT_NE(line.rfind("W: ", 0), 0u) << line;
        // The hardening flags reached the programs and they were stripped as Debian strips them: not
        // even a note says otherwise.
        EXPECT_EQ(line.find("hardening-no-"), std::string::npos) << line;
        EXPECT_EQ(line.find("binary-has-unneeded-section"), std::string::npos) << line;
    }
}
