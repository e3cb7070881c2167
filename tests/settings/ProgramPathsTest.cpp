#include <gtest/gtest.h>

#include <unistd.h>

#include "settings/ProgramPaths.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

namespace {
namespace fs = std::filesystem;

// A shipped program folder, made by the tests, and a user configuration folder, with XDG_CONFIG_HOME
// naming the latter.
class ProgramPathsTest : public ::testing::Test {
protected:
    fs::path shipped(std::string_view sub) const
    {
        return sub.empty() ? program.path / "marlune" : program.path / "marlune" / sub;
    }
    fs::path user(std::string_view sub) const
    {
        return sub.empty() ? config.path / "marlune" : config.path / "marlune" / sub;
    }

    TempFolder program;
    TempFolder config;
    ScopedEnvironment xdg{"XDG_CONFIG_HOME", config.path.string()};
};

const std::vector<std::string_view> Subfolders{"", "TOOLS", "calibration"};
}  // namespace

TEST_F(ProgramPathsTest, AWritableProgramFolderKeepsEverythingAndNeverLooksAtTheUser)
{
    const ProgramPaths paths(shipped(""), true);
    for (std::string_view sub : Subfolders) {
        fs::create_directories(shipped(sub));
        fs::create_directories(user(sub));
        writeBytes(user(sub) / "a.cal", "user");
        EXPECT_EQ(paths.writableFolder(sub), shipped(sub)) << sub;
        EXPECT_EQ(paths.readFolders(sub), std::vector<fs::path>{shipped(sub)}) << sub;
        EXPECT_EQ(paths.readFile(sub, "a.cal"), shipped(sub) / "a.cal") << "a stray user copy is not read: " << sub;
        EXPECT_EQ(paths.writeTarget(sub, shipped(sub) / "a.cal"), shipped(sub) / "a.cal") << sub;
    }
}

TEST_F(ProgramPathsTest, AReadOnlyProgramFolderWritesToTheUserAndReadsTheUsersCopyFirst)
{
    const ProgramPaths paths(shipped(""), false);
    EXPECT_EQ(paths.userFolder(), config.path / "marlune");
    for (std::string_view sub : Subfolders) {
        EXPECT_EQ(paths.writableFolder(sub), user(sub)) << sub;
        EXPECT_TRUE(paths.readFolders(sub).empty()) << "only folders that exist: " << sub;

        fs::create_directories(shipped(sub));
        writeBytes(shipped(sub) / "a.cal", "shipped");
        EXPECT_EQ(paths.readFolders(sub), std::vector<fs::path>{shipped(sub)}) << sub;
        EXPECT_EQ(paths.readFile(sub, "a.cal"), shipped(sub) / "a.cal") << sub;
        EXPECT_EQ(paths.readFile(sub, "b.cal"), shipped(sub) / "b.cal") << "a missing file names the shipped place";

        fs::create_directories(user(sub));
        writeBytes(user(sub) / "a.cal", "user");
        EXPECT_EQ(paths.readFolders(sub), (std::vector<fs::path>{user(sub), shipped(sub)})) << sub;
        EXPECT_EQ(readBytes(paths.readFile(sub, "a.cal")), "user") << sub;
    }
}

TEST_F(ProgramPathsTest, ChangedShippedFilesBecomeUserCopiesOthersStayWhereTheyAre)
{
    const ProgramPaths paths(program.path.string() + "/", false);
    EXPECT_EQ(paths.programFolder(), program.path) << "the trailing separator names the same folder";
    EXPECT_EQ(paths.writeTarget("calibration", program.path / "calibration" / "mic.cal"),
              user("calibration") / "mic.cal");
    EXPECT_EQ(paths.writeTarget("calibration", program.path / "calibration/./mic.cal"),
              user("calibration") / "mic.cal");
    EXPECT_EQ(paths.writeTarget("", program.path / "defaults.ini"), user("") / "defaults.ini");
    EXPECT_EQ(paths.writeTarget("TOOLS", program.path / "calibration" / "mic.cal"),
              program.path / "calibration" / "mic.cal")
        << "a file of another subfolder";
    EXPECT_EQ(paths.writeTarget("calibration", "/elsewhere/mic.cal"), fs::path("/elsewhere/mic.cal"));
    EXPECT_EQ(paths.writeTarget("calibration", user("calibration") / "mic.cal"), user("calibration") / "mic.cal");
}

TEST_F(ProgramPathsTest, TheUserFolderFollowsTheEnvironment)
{
    TempFolder home;
    const ProgramPaths paths(program.path, false);
    const ScopedEnvironment homeVariable("HOME", home.path.string());
    EXPECT_EQ(paths.userFolder(), config.path / "marlune");
    for (const std::optional<std::string>& ignored : {std::optional<std::string>(), std::optional<std::string>(""),
                                                      std::optional<std::string>("relative/config")}) {
        const ScopedEnvironment unset("XDG_CONFIG_HOME", ignored);
        EXPECT_EQ(paths.userFolder(), home.path / ".config" / "marlune") << ignored.value_or("(unset)");
        EXPECT_EQ(paths.writableFolder("TOOLS"), home.path / ".config" / "marlune" / "TOOLS");
    }
}

TEST_F(ProgramPathsTest, OneArgumentDecidesByWhetherTheFolderCanBeWritten)
{
    EXPECT_TRUE(ProgramPaths(program.path).programFolderWritable());
    EXPECT_FALSE(ProgramPaths("/nonexistent/program").programFolderWritable());
    EXPECT_EQ(ProgramPaths("/nonexistent/program").writableFolder(""), user(""));
    // Permissions bind everyone but root.
    fs::permissions(program.path, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(ProgramPaths(program.path).programFolderWritable(), ::geteuid() == 0);
}

TEST_F(ProgramPathsTest, AnExecutableFindsABuildFolderOrTheInstalledShareFolder)
{
    // A build: the executable's folder holds the program's files and is the program folder.
    fs::create_directories(program.path / "bin" / "help");
    const ProgramPaths build = ProgramPaths::forExecutable(program.path / "bin/");
    EXPECT_EQ(build.programFolder(), program.path / "bin");
    EXPECT_EQ(build.executableFolder(), program.path / "bin");
    EXPECT_TRUE(build.programFolderWritable());

    // An installation: bin/ holds only the executables, the files are in share/marlune, never written.
    const fs::path prefix = program.path / "usr";
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share" / "marlune" / "help");
    const ProgramPaths installed = ProgramPaths::forExecutable(prefix / "bin/");
    EXPECT_EQ(installed.programFolder(), prefix / "share" / "marlune");
    EXPECT_EQ(installed.executableFolder(), prefix / "bin");
    EXPECT_FALSE(installed.programFolderWritable()) << "even for root, who could write it";
    EXPECT_EQ(installed.writableFolder("calibration"), user("calibration"));

    // Neither: the executable's folder, as before.
    EXPECT_EQ(ProgramPaths::forExecutable(program.path / "lonely").programFolder(), program.path / "lonely");
}
