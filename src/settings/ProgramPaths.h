#pragma once
// Where the program's files live.
#include <filesystem>
#include <string_view>
#include <vector>

// The program folder holds what ships with the program (help pages, palettes, examples, tools, calibration
// files, the shipped "defaults.ini"); what the person changes is written back there only while that folder
// can be written (a program folder of its own, as a build is), and otherwise to the user's folder, which is
// then read before the shipped one.
class ProgramPaths {
public:
    static constexpr const char* UserFolderName = "marlune";
    // Under an installation prefix the executables are in bin/ and the program folder is share/marlune.
    static constexpr const char* InstalledFolder = "share/marlune";

    // Decides once whether the program folder can be written.
    explicit ProgramPaths(std::filesystem::path programFolder);
    ProgramPaths(std::filesystem::path programFolder, bool programFolderWritable);

    // The paths of a program started from `executableFolder`: the folder itself when it holds the
    // program's files (a build), else the installed share/marlune beside bin/, which is never written.
    static ProgramPaths forExecutable(const std::filesystem::path& executableFolder);

    // Shipped, read-only files.
    const std::filesystem::path& programFolder() const { return programFolder_; }
    // The folder of the executables (the converter lives there); the program folder unless told apart.
    const std::filesystem::path& executableFolder() const { return executableFolder_; }
    bool programFolderWritable() const { return writable_; }
    // $XDG_CONFIG_HOME/marlune, else ~/.config/marlune, as the environment says when asked.
    std::filesystem::path userFolder() const;

    // Where a changed file of subfolder `sub` ("" for the folder itself, "TOOLS", "calibration") is written.
    std::filesystem::path writableFolder(std::string_view sub) const;
    // Where files of `sub` are read from: the user's folder first (only while the program folder cannot
    // be written), then the shipped one; only existing folders, no duplicates.
    std::vector<std::filesystem::path> readFolders(std::string_view sub) const;
    // A named file of `sub`: the user's copy when it exists, else the shipped one.
    std::filesystem::path readFile(std::string_view sub, std::string_view name) const;
    // Where a changed `file` is written: a file of the shipped `sub` folder that cannot be written becomes
    // the user's copy of the same name; any other file stays where it is.
    std::filesystem::path writeTarget(std::string_view sub, const std::filesystem::path& file) const;

private:
    std::filesystem::path programFolder_;
    std::filesystem::path executableFolder_;
    bool writable_;
};
