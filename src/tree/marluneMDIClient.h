#pragma once
// The centre of the window tree.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "base/CommandTable.h"
#include "dsp/GeneratorParameters.h"
#include "dsp/SpectralSettings.h"
#include "settings/DefaultsFile.h"
#include "settings/ProgramPaths.h"
#include "tree/WindowKindTable.h"
#include "tree/WindowPlacement.h"
#include "views/Palette.h"

class ClientListener;
class RecentFiles;
class WorkspaceCommands;
class SignalWindowCommands;
class marluneChild;
class marluneMDIChild;
class UiServices;

// The 512-slot registry, the creation counter, the application-wide settings and the commands that need no
// window. It owns every tree window.
class marluneMDIClient : public CommandTarget {
public:
    static constexpr int MaxWindows = 512;
    static constexpr const char* TooManyWindows = "Too many windows are open. Close some windows and try again.";

    // With a defaults file, the application-wide settings are read from it now and written back when
    // the client is destroyed (saveDefaults).
    marluneMDIClient(UiServices& ui, ProgramPaths paths, std::optional<DefaultsFile> defaultsFile = std::nullopt);
    // A program folder decided by whether it can be written; `programFolder` ends with a path separator.
    marluneMDIClient(UiServices& ui, const std::string& programFolder,
                     std::optional<DefaultsFile> defaultsFile = std::nullopt);
    ~marluneMDIClient();

    UiServices& ui() const { return ui_; }
    // Writes the application-wide settings to the defaults file; a failure is reported and leaves the
    // file as it was.
    bool saveDefaults() const;
    // The shipped files, with a trailing separator.
    const std::string& programFolder() const { return programFolder_; }
    // Where shipped files are read and changed ones written (saved tools go to writableFolder("TOOLS"),
    // the tool menus list readFolders("TOOLS")).
    const ProgramPaths& paths() const { return paths_; }
    // The window kinds this client makes and loads: the tree's own from the start, the families above
    // the tree added by the program's one registration.
    const WindowKindTable& kinds() const { return kinds_; }
    WindowKindTable& kinds() { return kinds_; }
    // Listeners of the registry; a listener unsubscribes before it is destroyed.
    void subscribe(ClientListener& listener);
    void unsubscribe(ClientListener& listener);

    // Registry. Loops over the table run from 0 to highestIndex() inclusive.
    marluneChild* window(int index) const;
    int highestIndex() const { return highestIndex_; }
    bool isRegistered(const marluneChild* window) const;
    std::vector<marluneChild*> windows() const;
    uint32_t creationCounter() const { return creationCounter_; }
    // The counter grows before every window is created, even one that is discarded later.
    uint32_t nextCreationNumber() { return ++creationCounter_; }
    // Takes the lowest free slot and ownership; null (with a message) when all 512 are taken.
    marluneChild* addWindow(std::unique_ptr<marluneChild> window);
    // The same, handing back the window as the class it was made as.
    template <class Window>
    Window* addWindow(std::unique_ptr<Window> window)
    {
        return static_cast<Window*>(addWindow(std::unique_ptr<marluneChild>(std::move(window))));
    }
    // Whether every slot is taken, and how many windows addWindow has refused for that so far.
    bool isFull() const;
    uint64_t refusedWindows() const { return refusedWindows_; }
    // Destroys a window: frees its slot, detaches it from parents and children.
    void closeWindow(marluneChild* window);
    void closeAll();

    marluneChild* activeChild() const;
    void setActiveChild(marluneChild* child);

    // The open routine: one window per channel of each file; the first window of the last file opened.
    marluneMDIChild* openFiles(const std::vector<std::string>& names, const std::string& displayName = {});

    // Command handlers of folders above the tree: client commands (asked after the client's own) and
    // commands of every signal window. Each removes itself before it is destroyed.
    void addCommands(CommandTarget& target);
    void removeCommands(CommandTarget& target);
    void addSignalWindowCommands(SignalWindowCommands& commands);
    void removeSignalWindowCommands(SignalWindowCommands& commands);
    const std::vector<SignalWindowCommands*>& signalWindowCommands() const { return signalWindowCommands_; }

    // Routes a command as the menus do: the active window first, then the client.
    bool dispatch(int id);
    std::optional<CommandState> dispatchState(int id) const;

    std::optional<CommandState> commandState(int id) const override;
    bool command(int id) override;
    static const CommandTable<marluneMDIClient> Table;

    // Tree links or titles changed.
    void treeChanged() const;
    void activeChanged() const;
    void toolsChanged() const;

    // The control window, as the frame reports it: where it stands while it is open, none while closed.
    const std::optional<WindowPlacement>& controlWindow() const { return controlWindow_; }
    void noteControlWindow(const std::optional<WindowPlacement>& placement) { controlWindow_ = placement; }
    void openControlWindow(const WindowPlacement& placement) const;

    // Workspaces and custom tools.
    WorkspaceCommands& workspaces() { return *workspaces_; }
    // The signal files and workspaces the person opened or saved last.
    RecentFiles& recentFiles() { return *recent_; }

    SpectralSettings spectralSettings{};
    // The signal generator's current settings: the dialog opens on them, workspaces store them.
    GeneratorParameters generatorSettings = GeneratorParameters::initial();

    // The six palettes of the 3D views from the program folder, read once at start-up; each file that
    // cannot be opened is reported with "Error opening palette file." and its palette stays black.
    void loadPalettes();
    const Palette& palette(std::size_t index) const { return palettes_[index < palettes_.size() ? index : 0]; }

private:
    static const CommandRow<marluneMDIClient> Rows[];

    bool hasSignalWindow() const;
    void openSignalCommand();
    void spectralDefaultsCommand();
    void openPictureCommand();

    UiServices& ui_;
    ProgramPaths paths_;
    std::string programFolder_;
    std::optional<DefaultsFile> defaultsFile_;
    std::array<Palette, Palette::FileNames.size()> palettes_{};
    WindowKindTable kinds_;
    std::vector<ClientListener*> listeners_;
    std::vector<CommandTarget*> commands_;
    std::vector<SignalWindowCommands*> signalWindowCommands_;
    std::unique_ptr<WorkspaceCommands> workspaces_;
    std::unique_ptr<RecentFiles> recent_;
    std::optional<WindowPlacement> controlWindow_;
    std::array<std::unique_ptr<marluneChild>, MaxWindows> table_;
    int highestIndex_ = -1;
    uint64_t refusedWindows_ = 0;
    uint32_t creationCounter_ = 0;
    marluneChild* active_ = nullptr;
};
