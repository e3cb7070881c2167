#pragma once
// The File menu's workspace and custom-tool commands.
#include <string>
#include <vector>

#include "base/CommandTable.h"
#include "tree/CustomTools.h"

class marluneMDIClient;

// Save and load the tree, the examples, and custom tools saved from the active window or applied to it.
class WorkspaceCommands : public CommandTarget {
public:
    static constexpr const char* Filter = "Marlune Workspace(*.mws)|*.mws";
    static constexpr const char* Extension = "mws";
    static constexpr const char* ExamplesFolder = "EXAMPLES";
    static constexpr const char* SaveBeforeClosingQuestion = "Save the workspace before its windows close?";

    explicit WorkspaceCommands(marluneMDIClient& client);

    // The file's extension in lower case (".mws", ".mwt" ...), as the command line compares it.
    static std::string extensionOf(const std::string& fileName);

    // The command-line items the program was started with (the program first); "#n" file names of
    // workspaces and tools refer to them.
    void setArguments(std::vector<std::string> arguments) { arguments_ = std::move(arguments); }
    // Loads a workspace; the source files that could not be found, by their stored names.
    std::vector<std::string> load(const std::string& fileName);
    // Asked once before Exit or Close All closes the windows the person made: Yes saves them as a
    // workspace first. False when the windows must stay: Cancel, or a save that did not happen.
    bool agreeToClose();
    CustomTools& tools() { return tools_; }
    const CustomTools& tools() const { return tools_; }

    std::optional<CommandState> commandState(int id) const override;
    bool command(int id) override;
    static const CommandTable<WorkspaceCommands> Table;

private:
    static const CommandRow<WorkspaceCommands> Rows[];

    void loadChosen(const std::string& folder);
    // The save dialog, then the save; false when cancelled or not written.
    bool saveChosen();
    // The active window of the tree; tools are saved from it.
    bool hasActiveWindow() const;

    marluneMDIClient& client_;
    CustomTools tools_;
    std::vector<std::string> arguments_;
};
