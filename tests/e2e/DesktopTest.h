#pragma once
// The whole program on a real X server (Xvfb, with a window manager when there is one), for keys typed by xdotool.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "app/MainFrame.h"
#include "app/marluneApp.h"
#include "support/TempFolder.h"

extern char** environ;

namespace desktop {
namespace fs = std::filesystem;

// Waits for a condition while the program runs its events, closed windows included; the X server
// answers within seconds, so a condition still false after ten is a fault.
inline bool waitFor(const std::function<bool()>& condition, int milliseconds = 10000)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

inline bool onPath(const std::string& program)
{
    return std::system(("command -v " + program + " > /dev/null").c_str()) == 0;
}

// A program started in the background; stopped and reaped with the object.
class Child {
public:
    explicit Child(std::vector<std::string> arguments)
    {
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        // The server's and window manager's chatter stays out of the test's output.
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Child()
    {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    bool started() const { return pid_ > 0; }

private:
    pid_t pid_ = -1;
};

// Xvfb on a display number it picks itself (it writes the number to a pipe when it is ready), with a
// window manager when one is installed.
class XServer {
public:
    XServer()
    {
        int ends[2];
        if (::pipe(ends) != 0)
            return;
        ::fcntl(ends[0], F_SETFD, FD_CLOEXEC);
        server_ = std::make_unique<Child>(std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(ends[1]),
                                                                   "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        ::close(ends[1]);
        // The number and its line break come in two writes; the server gives up if the pipe closes between.
        std::string number;
        pollfd ready{ends[0], POLLIN, 0};
        char next = 0;
        while (server_->started() && ::poll(&ready, 1, 20000) == 1 && ::read(ends[0], &next, 1) == 1 && next != '\n')
            number += next;
        ::close(ends[0]);
        if (next == '\n' && !number.empty())
            display_ = ":" + number;
        if (display_.empty())
            return;
        ::setenv("DISPLAY", display_.c_str(), 1);
        if (onPath("openbox")) {
            windowManager_ = std::make_unique<Child>(std::vector<std::string>{"openbox", "--sm-disable"});
            // It is ready once it names itself on the root window.
            const QDeadlineTimer deadline(20000);
            while (std::system("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'") != 0 &&
                   !deadline.hasExpired())
                ::usleep(100000);
        }
    }
    const std::string& display() const { return display_; }

private:
    std::unique_ptr<Child> server_;
    std::unique_ptr<Child> windowManager_;
    std::string display_;
};

// What a shell command prints, without the final line break.
inline std::string output(const std::string& command)
{
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        ::pclose(pipe);
    }
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

// Keys typed on a real X server by xdotool, where Qt's own subwindow keys exist as they do for a person
// (offscreen they differ). The whole program runs as marlune32 starts it, on the example signal.
class DesktopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!onPath("Xvfb"))
            return;
        for (const char* name : {"DISPLAY", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY"})
            if (const char* value = std::getenv(name))
                environment_.emplace_back(name, value);
        server_ = new XServer;
        if (server_->display().empty())
            return;
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        ::unsetenv("WAYLAND_DISPLAY");
        static int argc = 1;
        static char name[] = "test_e2e";
        static char* argv[] = {name, nullptr};
        application_ = new QApplication(argc, argv);
        previousHandler_ = qInstallMessageHandler(&DesktopTest::record);
    }
    static void TearDownTestSuite()
    {
        // The application lets go of the display before the server goes away.
        qInstallMessageHandler(previousHandler_);
        delete application_;
        application_ = nullptr;
        delete server_;
        server_ = nullptr;
        // Programs the later tests start must not look for the display that is gone.
        for (const char* name : {"DISPLAY", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY"})
            ::unsetenv(name);
        for (const auto& [name, value] : environment_)
            ::setenv(name.c_str(), value.c_str(), 1);
        environment_.clear();
    }

    void SetUp() override
    {
        if (!onPath("Xvfb"))
            GTEST_SKIP() << "needs Xvfb (package xvfb)";
        ASSERT_NE(application_, nullptr) << "Xvfb did not start";
        ASSERT_TRUE(onPath("xdotool")) << "needs xdotool";
        fs::copy(fs::path(MARLUNE_SOURCE_DIR) / "resources", folder_.path, fs::copy_options::recursive);
        app_ = std::make_unique<marluneApp>(folder_.path.string() + "/");
        messages().clear();
        app_->start({(folder_.path / "EXAMPLES" / "example.wav").string()});
        ASSERT_TRUE(waitFor([this] { return area()->subWindowList().size() == 3; }))
            << "the control window and both channels";
        // The splash window closes by itself; then the frame takes the keyboard.
        ASSERT_TRUE(waitFor([] {
            for (const QWidget* window : QApplication::topLevelWidgets())
                if (window->isVisible() && !qobject_cast<const MainFrame*>(window))
                    return false;
            return true;
        }));
        frame().activateWindow();
        const std::string frameId = std::to_string(frame().winId());
        ASSERT_TRUE(waitFor([&frameId] {
            return QApplication::activeWindow() && output("xdotool getwindowfocus 2>/dev/null") == frameId;
        })) << "the frame has the X input focus";
    }
    void TearDown() override
    {
        app_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    MainFrame& frame() const { return app_->frame(); }
    QMdiArea* area() const { return frame().mdiArea(); }
    QMdiSubWindow* firstChannel() const { return area()->subWindowList(QMdiArea::CreationOrder)[1]; }
    // A signal window of the frame becomes the one the keys go to.
    void activate(QMdiSubWindow* subWindow)
    {
        area()->setActiveSubWindow(subWindow);
        ASSERT_TRUE(waitFor([this, subWindow] {
            return area()->activeSubWindow() == subWindow && subWindow->isAncestorOf(QApplication::focusWidget());
        }));
    }
    // Keys in xdotool's spelling ("ctrl+w"), typed into whatever window has the X input focus.
    static void press(const std::string& keys)
    {
        ASSERT_EQ(std::system(("timeout 20 xdotool key --clearmodifiers " + keys).c_str()), 0);
    }
    void expectNoShortcutClash() const
    {
        for (const std::string& message : messages())
            EXPECT_EQ(message.find("Ambiguous shortcut"), std::string::npos) << message;
    }

    TempFolder folder_;
    std::unique_ptr<marluneApp> app_;

private:
    static std::vector<std::string>& messages()
    {
        static std::vector<std::string> list;
        return list;
    }
    static void record(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        messages().push_back(message.toStdString());
        if (previousHandler_)
            previousHandler_(type, context, message);
    }

    static inline XServer* server_ = nullptr;
    static inline std::vector<std::pair<std::string, std::string>> environment_;
    static inline QApplication* application_ = nullptr;
    static inline QtMessageHandler previousHandler_ = nullptr;
};
}  // namespace desktop
