#include "tree/CustomTools.h"

#include <algorithm>
#include <set>

#include "base/UiServices.h"
#include "tree/WorkspaceLoader.h"
#include "tree/WorkspaceWriter.h"
#include "tree/marluneMDIClient.h"

CustomTools::CustomTools(marluneMDIClient& client) : client_(client) {}

std::filesystem::path CustomTools::folder() const
{
    return client_.paths().writableFolder(FolderName);
}

void CustomTools::rescan()
{
    tools_.clear();
    // The user's tools first: one of the same name stands for the shipped one.
    std::set<std::filesystem::path> names;
    for (const std::filesystem::path& toolFolder : client_.paths().readFolders(FolderName)) {
        std::error_code error;
        for (std::filesystem::directory_iterator it(toolFolder, error), end; !error && it != end; it.increment(error)) {
            const std::filesystem::path& path = it->path();
            if (path.extension() == ".mwt" && it->is_regular_file(error) && names.insert(path.filename()).second)
                tools_.push_back({path, path.stem().string().substr(0, ToolInfo::MenuTextLength)});
        }
    }
    std::sort(tools_.begin(), tools_.end(),
              [](const ToolInfo& a, const ToolInfo& b) { return a.path.filename() < b.path.filename(); });
    if (tools_.size() > MaxTools)
        tools_.resize(MaxTools);
    client_.toolsChanged();
}

void CustomTools::saveActive(bool withSubtree)
{
    const marluneChild* window = client_.activeChild();
    if (!window || !client_.isRegistered(window))
        return;
    std::error_code error;
    std::filesystem::create_directories(folder(), error);
    const auto name = client_.ui().saveFileDialog(Filter, Extension, folder().string());
    if (!name)
        return;
    WorkspaceWriter::saveTool(*window, withSubtree, *name);
    rescan();
}

void CustomTools::applyFromFile()
{
    const auto names = client_.ui().openFileDialog(Filter, false, folder().string());
    if (!names.empty())
        apply(names.front());
}

void CustomTools::apply(const std::filesystem::path& path)
{
    marluneChild* target = client_.activeChild();
    WorkspaceLoader(client_, path.string()).applyTool(client_.isRegistered(target) ? target : nullptr);
}
