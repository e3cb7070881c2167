#pragma once
// The application: the program folder, the desktop services, the client and the main frame.
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandRouter.h"
#include "app/HelpWindow.h"
#include "app/QtUiServices.h"
#include "base/CommandTable.h"
#include "settings/ProgramPaths.h"
#include "soundcard/AcquisitionCommands.h"
#include "soundcard/AcquisitionDefaults.h"
#include "soundcard/Playback.h"
#include "soundcard/ui/QtSoundDevices.h"
#include "tree/marluneMDIClient.h"

class MainFrame;

// It holds the command chain and carries out the help and about commands itself.
class marluneApp : public CommandTarget {
public:
    // Each needs a QApplication. The program of the running executable: a build's own folder or an
    // installation's share/marlune.
    marluneApp();
    explicit marluneApp(const ProgramPaths& paths);
    // A program folder decided by whether it can be written; `programFolder` ends with a path separator.
    explicit marluneApp(const std::string& programFolder);
    ~marluneApp();
    marluneApp(const marluneApp&) = delete;
    marluneApp& operator=(const marluneApp&) = delete;

    // The folder of the running executable with a trailing '/'.
    static std::string executableFolder();

    QtUiServices& ui() { return ui_; }
    marluneMDIClient& client() { return client_; }
    // The application-wide acquisition settings, kept in the defaults file with the client's settings.
    AcquisitionSettings& acquisitionSettings() { return acquisitionDefaults_->settings; }
    CommandRouter& router() { return router_; }
    MainFrame& frame() { return *frame_; }

    // Shows the frame maximized and the splash window; a second later the command line
    // (signal files) is handled once.
    void start(const std::vector<std::string>& arguments);

    // The help topic of a command number, or the contents for 0; false when the page is missing.
    bool showHelp(int id);
    HelpWindow* helpWindow() const { return help_; }

    std::optional<CommandState> commandState(int id) const override;
    bool command(int id) override;
    static const CommandTable<marluneApp> Table;

private:
    static const CommandRow<marluneApp> Rows[];
    bool showHelpPage(const std::string& page, const std::string& anchor);
    void handleCommandLine();

    QtUiServices ui_;
    std::shared_ptr<AcquisitionDefaults> acquisitionDefaults_;
    marluneMDIClient client_;
    QtSoundDevices soundDevices_;
    AcquisitionCommands acquisitionCommands_;
    Playback playback_;
    CommandRouter router_;
    std::unique_ptr<MainFrame> frame_;
    QPointer<HelpWindow> help_;
    std::vector<std::string> arguments_;
    bool firstStart_ = true;
};
