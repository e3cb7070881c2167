#pragma once
// Rebuilds window trees from workspace and tool files.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "settings/TIniHelper.h"

class marluneChild;
class marluneMDIClient;

// Windows are made in passes over the roots until a pass makes no progress, so a window with several
// parents is made once, after all of them exist.
class WorkspaceLoader {
public:
    static constexpr const char* MissingFile = "File %s does not exists.";
    static constexpr const char* MessageCaption = "Information about this example";

    // `arguments` are the command-line items (the program first), which "#n" file names refer to.
    WorkspaceLoader(marluneMDIClient& client, const std::string& fileName, std::vector<std::string> arguments = {});

    // The whole workspace: its windows at their stored places, the active window, the example's message.
    void loadWorkspace();
    // A tool: its window and subtree under `target` (or without parent), where the frame puts new windows.
    // The refusal message when the tool's class does not take the target's kind.
    void applyTool(marluneChild* target);

    // Windows made, and the source files that could not be found, by their stored names.
    int windowsMade() const { return made_; }
    const std::vector<std::string>& missingFiles() const { return missing_; }

private:
    // Loads section `name` with its subtree under `parent`; the failures of this pass are counted.
    void loadSection(const std::string& name, marluneChild* parent);
    marluneChild* makeWindow(const std::string& name, marluneChild* parent);
    // The stored file name resolved as the arguments, the workspace's folder and the person say.
    std::optional<std::filesystem::path> locate(const std::string& stored);
    // The same, a file that is not there reported with MissingFile and listed among the missing ones.
    std::optional<std::filesystem::path> locateReported(const std::string& stored);
    void applyKeys(marluneChild& window, const std::string& name);
    void loadChannels(marluneChild& window, const std::string& name);
    // A section met while the window table is full.
    void refuseForFullTable(const std::string& name);
    void runPasses(const std::vector<std::string>& roots, marluneChild* parent);

    marluneMDIClient& client_;
    TIniHelper ini_;
    std::filesystem::path folder_;
    std::vector<std::string> arguments_;
    bool placeWindows_ = true;
    std::map<std::string, marluneChild*> loaded_;
    // Sections whose window could not be made although its parents existed: a later pass would only
    // ask for the same file again.
    std::set<std::string> refused_;
    // Sections whose children this pass has walked.
    std::set<std::string> walked_;
    uint64_t refusedAtStart_ = 0;
    bool toldFull_ = false;
    int failures_ = 0;
    int made_ = 0;
    std::vector<std::string> missing_;
};
