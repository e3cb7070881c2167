#pragma once
// The File menu's list of the signal files and workspaces opened or saved last, kept between runs.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/CommandTable.h"

class marluneMDIClient;

// Newest first, each path once. Without a file (keepIn never called) the list lives only as long as the
// program; with one, every change is written there at once, through a temporary that replaces it.
class RecentFiles : public CommandTarget {
public:
    static constexpr std::size_t MaxEntries = 8;
    static constexpr const char* FileName = "recent.ini";
    static constexpr const char* Section = "Recent files";

    explicit RecentFiles(marluneMDIClient& client) : client_(client) {}

    // Reads the list from `readFrom` and writes every change to `writeTo`.
    void keepIn(const std::filesystem::path& readFrom, const std::filesystem::path& writeTo);
    // The file moves to the top, by its absolute path.
    void add(const std::string& fileName);
    const std::vector<std::string>& entries() const { return entries_; }

    // Entry n is command Cmd::RecentBase + n: a workspace (".mws") is loaded, any other file opened; a file
    // that is gone is reported and leaves the list.
    std::optional<CommandState> commandState(int id) const override;
    bool command(int id) override;
    static const CommandTable<RecentFiles> Table;

private:
    static const CommandRow<RecentFiles> Rows[];
    void open(std::size_t entry);
    void write() const;

    marluneMDIClient& client_;
    std::vector<std::string> entries_;
    std::optional<std::filesystem::path> writeTo_;
};
