#include "tree/WorkspaceCommands.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <new>

#include "base/NoMoreMemory.h"
#include "base/UiServices.h"
#include "tree/CommandIds.h"
#include "tree/RecentFiles.h"
#include "tree/WorkspaceLoader.h"
#include "tree/WorkspaceWriter.h"
#include "tree/marluneMDIClient.h"

WorkspaceCommands::WorkspaceCommands(marluneMDIClient& client) : client_(client), tools_(client) {}

std::string WorkspaceCommands::extensionOf(const std::string& fileName)
{
    std::string extension = std::filesystem::path(fileName).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
    return extension;
}

std::vector<std::string> WorkspaceCommands::load(const std::string& fileName)
{
    WaitCursor wait(client_.ui());
    WorkspaceLoader loader(client_, fileName, arguments_);
    // The windows made so far stay; the rest of the workspace is not loaded.
    try {
        loader.loadWorkspace();
    } catch (const std::bad_alloc&) {
        showNoMoreMemory(client_.ui());
    }
    return loader.missingFiles();
}

void WorkspaceCommands::loadChosen(const std::string& folder)
{
    const auto names = client_.ui().openFileDialog(Filter, false, folder);
    if (names.empty())
        return;
    client_.recentFiles().add(names.front());
    load(names.front());
}

bool WorkspaceCommands::saveChosen()
{
    const auto name = client_.ui().saveFileDialog(Filter, Extension);
    if (!name || !WorkspaceWriter::saveWorkspace(client_, *name))
        return false;
    client_.recentFiles().add(*name);
    return true;
}

bool WorkspaceCommands::agreeToClose()
{
    if (client_.windows().empty())
        return true;
    switch (client_.ui().messageBox(SaveBeforeClosingQuestion, "Marlune", MessageButtons::YesNoCancel,
                                    MessageIcon::Question)) {
    case MessageResult::Yes:
        return saveChosen();
    case MessageResult::No:
        return true;
    default:
        return false;
    }
}

bool WorkspaceCommands::hasActiveWindow() const
{
    const marluneChild* active = client_.activeChild();
    return active && client_.isRegistered(active);
}

const CommandRow<WorkspaceCommands> WorkspaceCommands::Rows[] = {
    {Cmd::SaveWorkspace, nullptr, [](WorkspaceCommands& w) { w.saveChosen(); }},
    {Cmd::LoadWorkspace, nullptr, [](WorkspaceCommands& w) { w.loadChosen({}); }},
    {Cmd::Examples, nullptr,
     [](WorkspaceCommands& w) { w.loadChosen((std::filesystem::path(w.client_.programFolder()) / ExamplesFolder).string()); }},
    {Cmd::SaveToolWindow, [](const WorkspaceCommands& w) { return std::optional(CommandState{w.hasActiveWindow()}); },
     [](WorkspaceCommands& w) { w.tools_.saveActive(false); }},
    {Cmd::SaveToolSubtree, [](const WorkspaceCommands& w) { return std::optional(CommandState{w.hasActiveWindow()}); },
     [](WorkspaceCommands& w) { w.tools_.saveActive(true); }},
    {Cmd::UseToolFromFile, nullptr, [](WorkspaceCommands& w) { w.tools_.applyFromFile(); }},
};

const CommandTable<WorkspaceCommands> WorkspaceCommands::Table{"workspaces and tools", Rows};

std::optional<CommandState> WorkspaceCommands::commandState(int id) const
{
    // The tools found in the program folder are numbered from ToolBase on.
    if (id >= Cmd::ToolBase && id < Cmd::ToolBase + int(tools_.tools().size()))
        return CommandState{};
    return Table.state(*this, id);
}

bool WorkspaceCommands::command(int id)
{
    if (id >= Cmd::ToolBase && id < Cmd::ToolBase + int(tools_.tools().size())) {
        tools_.apply(tools_.tools()[std::size_t(id - Cmd::ToolBase)].path);
        return true;
    }
    return Table.run(*this, id);
}
