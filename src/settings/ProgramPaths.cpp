#include "settings/ProgramPaths.h"

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

namespace {
std::filesystem::path under(const std::filesystem::path& folder, std::string_view sub)
{
    return sub.empty() ? folder : folder / sub;
}

bool isFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    return std::filesystem::is_directory(folder, error);
}

// Textual, so that a folder named with or without its trailing separator is the same folder.
std::filesystem::path plain(const std::filesystem::path& folder)
{
    const std::filesystem::path normal = folder.lexically_normal();
    return normal.has_filename() ? normal : normal.parent_path();
}
}  // namespace

ProgramPaths::ProgramPaths(std::filesystem::path programFolder)
    : ProgramPaths(programFolder, ::access(programFolder.c_str(), W_OK) == 0)
{
}

ProgramPaths::ProgramPaths(std::filesystem::path programFolder, bool programFolderWritable)
    : programFolder_(plain(programFolder)), executableFolder_(programFolder_), writable_(programFolderWritable)
{
}

ProgramPaths ProgramPaths::forExecutable(const std::filesystem::path& executableFolder)
{
    const std::filesystem::path own = plain(executableFolder);
    const std::filesystem::path installed = own.parent_path() / InstalledFolder;
    if (isFolder(own / "help") || !isFolder(installed))
        return ProgramPaths(own);
    ProgramPaths paths(installed, false);
    paths.executableFolder_ = own;
    return paths;
}

std::filesystem::path ProgramPaths::userFolder() const
{
    // A relative XDG_CONFIG_HOME is to be ignored, as the desktop's base-directory rules say.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && std::filesystem::path(xdg).is_absolute())
        return std::filesystem::path(xdg) / UserFolderName;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".config" / UserFolderName;
    return std::filesystem::temp_directory_path() / UserFolderName;
}

std::filesystem::path ProgramPaths::writableFolder(std::string_view sub) const
{
    return under(writable_ ? programFolder_ : userFolder(), sub);
}

std::vector<std::filesystem::path> ProgramPaths::readFolders(std::string_view sub) const
{
    std::vector<std::filesystem::path> folders;
    for (const std::filesystem::path& folder : {writableFolder(sub), under(programFolder_, sub)}) {
        if (isFolder(folder) && std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    }
    return folders;
}

std::filesystem::path ProgramPaths::readFile(std::string_view sub, std::string_view name) const
{
    const std::filesystem::path user = writableFolder(sub) / name;
    std::error_code error;
    return std::filesystem::exists(user, error) ? user : under(programFolder_, sub) / name;
}

std::filesystem::path ProgramPaths::writeTarget(std::string_view sub, const std::filesystem::path& file) const
{
    if (writable_ || plain(file.parent_path()) != under(programFolder_, sub))
        return file;
    return writableFolder(sub) / file.filename();
}
