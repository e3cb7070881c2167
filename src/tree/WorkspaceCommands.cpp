#include "tree/WorkspaceCommands.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <new>

#include "base/NoMoreMemory.h"
#include "base/UiServices.h"
#include "tree/CommandIds.h"
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
    if (!names.empty())
        load(names.front());
}

bool WorkspaceCommands::hasActiveWindow() const
{
    const marluneChild* active = client_.activeChild();
    return active && client_.isRegistered(active);
}

std::optional<CommandState> WorkspaceCommands::commandState(int id) const
{
    switch (id) {
    case Cmd::SaveWorkspace:
    case Cmd::LoadWorkspace:
    case Cmd::Examples:
    case Cmd::UseToolFromFile:
        return CommandState{};
    case Cmd::SaveToolWindow:
    case Cmd::SaveToolSubtree:
        return CommandState{hasActiveWindow()};
    default:
        if (id >= Cmd::ToolBase && id < Cmd::ToolBase + int(tools_.tools().size()))
            return CommandState{};
        return std::nullopt;
    }
}

bool WorkspaceCommands::command(int id)
{
    switch (id) {
    case Cmd::SaveWorkspace:
        if (const auto name = client_.ui().saveFileDialog(Filter, Extension))
            WorkspaceWriter::saveWorkspace(client_, *name);
        return true;
    case Cmd::LoadWorkspace:
        loadChosen({});
        return true;
    case Cmd::Examples:
        loadChosen((std::filesystem::path(client_.programFolder()) / ExamplesFolder).string());
        return true;
    case Cmd::SaveToolWindow:
    case Cmd::SaveToolSubtree:
        tools_.saveActive(id == Cmd::SaveToolSubtree);
        return true;
    case Cmd::UseToolFromFile:
        tools_.applyFromFile();
        return true;
    default:
        if (id >= Cmd::ToolBase && id < Cmd::ToolBase + int(tools_.tools().size())) {
            tools_.apply(tools_.tools()[std::size_t(id - Cmd::ToolBase)].path);
            return true;
        }
        return false;
    }
}
