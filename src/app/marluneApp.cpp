#include "app/marluneApp.h"

#include <QApplication>
#include <QDesktopServices>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include "app/ControlBarIcons.h"
#include "app/HelpWindow.h"
#include "app/MainFrame.h"
#include "app/MenuTree.h"
#include "app/SplashWindow.h"
#include "app/marluneAboutDlg.h"
#include "fileio/InputFile.h"
#include "kinds/WindowKindRegistration.h"
#include "settings/DefaultsFile.h"
#include "tree/CommandIds.h"
#include "tree/RecentFiles.h"
#include "tree/WorkspaceCommands.h"

namespace {
// The splash window shows this long before the command line is handled.
constexpr int StartDelayMs = 1000;
}  // namespace

marluneApp::marluneApp() : marluneApp(ProgramPaths::forExecutable(executableFolder()))
{
}

marluneApp::marluneApp(const std::string& programFolder) : marluneApp(ProgramPaths(programFolder))
{
}

marluneApp::marluneApp(const ProgramPaths& paths)
    : acquisitionDefaults_(std::make_shared<AcquisitionDefaults>()),
      client_(ui_, paths, DefaultsFile::locate(paths).withSection(acquisitionDefaults_)),
      acquisitionCommands_(client_, soundDevices_, acquisitionDefaults_->settings),
      playback_(client_, soundDevices_),
      router_(client_),
      frame_(std::make_unique<MainFrame>(client_, router_))
{
    registerWindowKinds(client_, &soundDevices_);
    client_.recentFiles().keepIn(paths.readFile("", RecentFiles::FileName), paths.writableFolder("") / RecentFiles::FileName);
    QApplication::setWindowIcon(controlBarIcon(Cmd::FFT));
    ui_.attach(frame_.get(), &frame_->statusBars());
    router_.append(*this);
    frame_->topicHelpRequested = [this](int id) { showHelp(id); };
}

marluneApp::~marluneApp()
{
    // Windows go while the frame still hosts them; then nothing may reach the frame any more.
    client_.closeAll();
    router_.remove(*this);
    ui_.detach();
    frame_.reset();
}

std::string marluneApp::executableFolder()
{
    return QCoreApplication::applicationDirPath().toStdString() + '/';
}

void marluneApp::start(const std::vector<std::string>& arguments)
{
    arguments_ = arguments;
    client_.loadPalettes();
    client_.workspaces().tools().rescan();
    // Without a window manager "maximized" means nothing, so the frame also takes the screen's size.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frame_->resize(screen->availableGeometry().size());
    frame_->showMaximized();
    (new SplashWindow)->showCentred();
    // After the splash: the control window first, then the command line's windows above it.
    QTimer::singleShot(StartDelayMs, frame_.get(), [this] {
        router_.trigger(Cmd::ControlWindow);
        handleCommandLine();
    });
}

void marluneApp::handleCommandLine()
{
    if (!firstStart_)
        return;
    firstStart_ = false;
    if (arguments_.empty())
        return;
    const std::string extension = WorkspaceCommands::extensionOf(arguments_.front());
    // A tool opened from the desktop grows under nothing: it makes what needs no parent.
    if (extension == ".mwt") {
        client_.workspaces().tools().apply(arguments_.front());
        return;
    }
    if (extension != ".mws") {
        client_.openFiles(arguments_);
        for (const std::string& name : arguments_)
            if (InputFile::open(name))
                client_.recentFiles().add(name);
        return;
    }
    // "#n" in the workspace names the n-th item of the command line, the workspace itself being the first.
    std::vector<std::string> items{QCoreApplication::applicationFilePath().toStdString()};
    items.insert(items.end(), arguments_.begin(), arguments_.end());
    WorkspaceCommands& workspaces = client_.workspaces();
    workspaces.setArguments(items);
    if (InputFile::open(arguments_.front())) {
        client_.recentFiles().add(arguments_.front());
        workspaces.load(arguments_.front());
    }
}

bool marluneApp::showHelp(int id)
{
    if (id == 0)
        return showHelpPage(HelpWindow::ContentsPage, {});
    const std::string page = MenuTree::helpPageOf(id);
    return page.empty() ? showHelpPage(HelpWindow::ContentsPage, {}) : showHelpPage(page, std::to_string(id));
}

bool marluneApp::showHelpPage(const std::string& page, const std::string& anchor)
{
    if (!help_) {
        help_ = new HelpWindow(QString::fromStdString(client_.programFolder() + "help/"), frame_.get());
        help_->helpOnHelpRequested = [this] { router_.trigger(Cmd::HelpOnHelp); };
    }
    if (help_->showTopic(QString::fromStdString(page), QString::fromStdString(anchor)))
        return true;
    UiServices& ui = ui_;
    ui.messageBox("Cannot open the help page " + client_.programFolder() + "help/" + page + ".");
    return false;
}

const CommandRow<marluneApp> marluneApp::Rows[] = {
    {Cmd::HelpContents, nullptr, [](marluneApp& app) { app.showHelp(0); }},
    {Cmd::HelpOnHelp, nullptr, [](marluneApp& app) { app.showHelpPage(HelpWindow::HelpOnHelpPage, {}); }},
    // The product's web address is given when the program is built.
    {Cmd::Online, [](const marluneApp&) { return std::optional(CommandState{*MARLUNE_HOMEPAGE != '\0'}); },
     [](marluneApp&) { QDesktopServices::openUrl(QUrl(QString::fromUtf8(MARLUNE_HOMEPAGE))); }},
    {Cmd::About, nullptr, [](marluneApp& app) { marluneAboutDlg(app.frame_.get()).exec(); }},
};

const CommandTable<marluneApp> marluneApp::Table{"application", Rows};

std::optional<CommandState> marluneApp::commandState(int id) const
{
    return Table.state(*this, id);
}

bool marluneApp::command(int id)
{
    return Table.run(*this, id);
}
