#include "tree/RecentFiles.h"

#include <algorithm>

#include "base/FormatText.h"
#include "base/UiServices.h"
#include "fileio/InputFile.h"
#include "settings/TIniHelper.h"
#include "tree/CommandIds.h"
#include "tree/WorkspaceCommands.h"
#include "tree/WorkspaceLoader.h"
#include "tree/marluneMDIClient.h"

namespace {
std::string keyOf(std::size_t entry)
{
    return "File_" + std::to_string(entry + 1);
}
}  // namespace

void RecentFiles::keepIn(const std::filesystem::path& readFrom, const std::filesystem::path& writeTo)
{
    const TIniHelper ini(readFrom.string());
    entries_.clear();
    for (std::size_t i = 0; i < MaxEntries; ++i) {
        // Paths are read whole: a cut one would name another file.
        const std::string name = ini.readWholeText(Section, keyOf(i));
        if (!name.empty() && std::find(entries_.begin(), entries_.end(), name) == entries_.end())
            entries_.push_back(name);
    }
    writeTo_ = writeTo;
}

void RecentFiles::add(const std::string& fileName)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(fileName, error);
    const std::string name = error ? fileName : absolute.lexically_normal().string();
    std::erase(entries_, name);
    entries_.insert(entries_.begin(), name);
    if (entries_.size() > MaxEntries)
        entries_.resize(MaxEntries);
    write();
}

void RecentFiles::write() const
{
    if (!writeTo_)
        return;
    std::error_code error;
    std::filesystem::create_directories(writeTo_->parent_path(), error);
    TIniHelper ini;
    ini.create(writeTo_->string(), true);
    ini.clearSection(Section);
    for (std::size_t i = 0; i < entries_.size(); ++i)
        ini.writeText(Section, keyOf(i), entries_[i]);
    // A list that cannot be kept costs only the next run's list; the old file stays whole.
    static_cast<void>(ini.flush());
}

void RecentFiles::open(std::size_t entry)
{
    const std::string name = entries_[entry];
    if (!InputFile::open(name)) {
        client_.ui().messageBox(formatText(WorkspaceLoader::MissingFile, name.c_str()));
        std::erase(entries_, name);
        write();
        return;
    }
    add(name);
    if (WorkspaceCommands::extensionOf(name) == ".mws")
        client_.workspaces().load(name);
    else
        client_.openFiles({name});
}

const CommandRow<RecentFiles> RecentFiles::Rows[] = {
    {Cmd::ClearRecent, [](const RecentFiles& r) { return std::optional(CommandState{!r.entries_.empty()}); },
     [](RecentFiles& r) {
         r.entries_.clear();
         r.write();
     }},
};

const CommandTable<RecentFiles> RecentFiles::Table{"recent files", Rows};

std::optional<CommandState> RecentFiles::commandState(int id) const
{
    if (id >= Cmd::RecentBase && id < Cmd::RecentBase + int(entries_.size()))
        return CommandState{};
    return Table.state(*this, id);
}

bool RecentFiles::command(int id)
{
    if (id >= Cmd::RecentBase && id < Cmd::RecentBase + int(entries_.size())) {
        open(std::size_t(id - Cmd::RecentBase));
        return true;
    }
    return Table.run(*this, id);
}
