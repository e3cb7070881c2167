#pragma once
// The custom tools: ".mwt" files saved from windows of the tree and applied to others.
#include <filesystem>
#include <string>
#include <vector>

class marluneMDIClient;

// A custom tool file of the tools folders, as the "&Use custom tool" submenus list it.
struct ToolInfo {
    static constexpr std::size_t MenuTextLength = 63;
    std::filesystem::path path;
    // The file's name without folder and extension, cut to 63 characters.
    std::string menuText;
};

// They are the files of the TOOLS folders (the user's and the shipped one).
class CustomTools {
public:
    static constexpr std::size_t MaxTools = 255;
    static constexpr const char* Filter = "Marlune tool(*.mwt)|*.mwt";
    static constexpr const char* Extension = "mwt";
    static constexpr const char* FolderName = "TOOLS";

    explicit CustomTools(marluneMDIClient& client);

    // Lists the tool files again, sorted by name so the menus do not follow the file system's order,
    // and tells the client's listeners.
    void rescan();
    const std::vector<ToolInfo>& tools() const { return tools_; }
    // The folder saved tools go to and the file dialogs start in: the program's, or the user's when the
    // program's cannot be written.
    std::filesystem::path folder() const;

    // "&Window only..." and "Window and its &subtree...": the active window into a chosen file.
    void saveActive(bool withSubtree);
    // "&From file...": a chosen tool applied to the active window.
    void applyFromFile();
    // The tool of file `path` applied to the active window of the tree, if there is one.
    void apply(const std::filesystem::path& path);

private:
    marluneMDIClient& client_;
    std::vector<ToolInfo> tools_;
};
