#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <map>

#include "ModalAnswers.h"
#include "QtTestApp.h"
#include "app/CommandActions.h"
#include "app/ControlBar.h"
#include "app/HelpWindow.h"
#include "app/MainFrame.h"
#include "app/MenuTree.h"
#include "app/PaneRegistry.h"
#include "app/SplashWindow.h"
#include "app/marluneAboutDlg.h"
#include "app/marluneApp.h"
#include "support/TempFolder.h"
#include "tree/CommandIds.h"
#include "tree/RecentFiles.h"
#include "tree/marluneChild.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "views/Palette.h"
#include "views/ui/TSigWindow.h"

namespace {
const std::string ExampleWav = std::string(MARLUNE_SOURCE_DIR) + "/resources/EXAMPLES/example.wav";

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override { qtApp(); }

    static std::string programFolder(const char* name)
    {
        const std::string folder = scratchFolder(name);
        std::filesystem::copy(std::string(MARLUNE_SOURCE_DIR) + "/resources/help", folder + "help");
        for (const std::string_view name : Palette::FileNames)
            std::filesystem::copy_file(std::string(MARLUNE_SOURCE_DIR) + "/resources/" + std::string(name),
                                       folder + std::string(name), std::filesystem::copy_options::overwrite_existing);
        return folder;
    }

    marluneApp app_{programFolder("frame")};
    MainFrame& frame_ = app_.frame();
    CommandRouter& router_ = app_.router();

    QList<QMdiSubWindow*> subWindows() const { return frame_.mdiArea()->subWindowList(); }

    QAction* menuAction(int id) const
    {
        for (QAction* action : frame_.menuBar()->findChildren<QAction*>())
            if (CommandActions::commandOf(action) == id && qobject_cast<QMenu*>(action->parent()))
                return action;
        return nullptr;
    }
};

// Compares a built menu with its table entries: labels, numbers, separators and submenus.
void expectMenu(const QMenu* menu, const std::vector<MenuItem>& items)
{
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), qsizetype(items.size())) << menu->title().toStdString();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QAction* action = actions[qsizetype(i)];
        EXPECT_EQ(action->isSeparator(), items[i].isSeparator());
        if (items[i].isSeparator())
            continue;
        EXPECT_EQ(action->text().toStdString(), items[i].label);
        if (items[i].isSubmenu())
            expectMenu(action->menu(), items[i].children);
        else
            EXPECT_EQ(action->data().toInt(), items[i].id);
    }
}
}  // namespace

TEST_F(FrameTest, IsTitledMarlune)
{
    EXPECT_EQ(frame_.windowTitle(), "Marlune");
}

TEST_F(FrameTest, MenuBarIsBuiltFromTheTable)
{
    const QList<QAction*> tops = frame_.menuBar()->actions();
    ASSERT_EQ(tops.size(), qsizetype(MenuTree::menus().size()));
    for (std::size_t m = 0; m < MenuTree::menus().size(); ++m) {
        EXPECT_EQ(tops[qsizetype(m)]->text().toStdString(), MenuTree::menus()[m].title);
        expectMenu(tops[qsizetype(m)]->menu(), MenuTree::menus()[m].items);
    }
}

TEST_F(FrameTest, ControlBarButtonsStandInOrderWithTheirGaps)
{
    // 24332, 24333; 27663, 30118, 24901, 11, 12560, 27338; 24322, 24323, 24324; 24329, 24330;
    // 101, 104, 24336; 102, 103; 6;; 2; 3;; 80, 81, 1005, 11128, 11129; 2001   (0: a gap)
    const std::vector<int> expected{24332, 24333, 0,     27663, 30118, 24901, 11,    12560, 27338, 0,
                                    24322, 24323, 24324, 0,     24329, 24330, 0,     101,   104,   24336,
                                    0,     102,   103,   0,     6,     0,     0,     2,     0,     3,
                                    0,     0,     80,    81,    1005,  11128, 11129, 0,     2001};
    std::vector<int> shown;
    for (const QAction* action : frame_.controlBar()->actions()) {
        const QWidget* widget = frame_.controlBar()->widgetForAction(const_cast<QAction*>(action));
        shown.push_back(widget && widget->objectName() == ControlBar::GapName ? 0 : action->data().toInt());
    }
    EXPECT_EQ(shown, expected);
    for (const QAction* action : frame_.controlBar()->commandActions()) {
        EXPECT_FALSE(action->icon().isNull()) << action->data().toInt();
        EXPECT_FALSE(action->toolTip().isEmpty()) << action->data().toInt();
    }
}

TEST_F(FrameTest, ButtonTooltipsAreTheHints)
{
    std::map<int, QString> tips;
    for (const QAction* action : frame_.controlBar()->commandActions())
        tips[action->data().toInt()] = action->toolTip();
    EXPECT_EQ(tips[24329], "Zoom selected part");
    EXPECT_EQ(tips[24333], "Save signal");
    EXPECT_EQ(tips[101], "Spectrum of visible part of the signal");
    EXPECT_EQ(tips[2001], "Help table of contents");
}

TEST_F(FrameTest, WithoutWindowsEditCommandsAreDisabledAndOpenWorks)
{
    for (const int id : {24323, 24322, 24324, 24329, 24330, 24336, 24335, 8, 1, 24, 6, 24339})
        EXPECT_FALSE(router_.state(id).enabled) << id;
    // The control window (4) opens without any window too.
    for (const int id : {24332, 2001, 2002, 2009, 24310, 4})
        EXPECT_TRUE(router_.state(id).enabled) << id;

    frame_.refreshControlBar();
    std::map<int, bool> buttons;
    for (const QAction* action : frame_.controlBar()->commandActions())
        buttons[action->data().toInt()] = action->isEnabled();
    EXPECT_FALSE(buttons.at(24323));
    EXPECT_TRUE(buttons.at(24332));
    QMenu* edit = frame_.menuBar()->actions()[2]->menu();
    emit edit->aboutToShow();
    EXPECT_FALSE(menuAction(24323)->isEnabled());
    EXPECT_FALSE(router_.trigger(24323));
}

TEST_F(FrameTest, AcceleratorsAreKeysOfTheFrame)
{
    std::map<int, QKeySequence> keys;
    // Open has two keys: the menu's Alt+F and Ctrl+O.
    std::multimap<int, QKeySequence> all;
    for (const QAction* action : frame_.actions())
        if (!action->shortcut().isEmpty()) {
            keys[action->data().toInt()] = action->shortcut();
            all.emplace(action->data().toInt(), action->shortcut());
        }
    EXPECT_EQ(keys[24336], QKeySequence("Ctrl+2"));
    std::vector<QKeySequence> open;
    for (auto [key, end] = all.equal_range(24332); key != end; ++key)
        open.push_back(key->second);
    EXPECT_EQ(open, (std::vector<QKeySequence>{QKeySequence("Alt+F"), QKeySequence("Ctrl+O")}));
    EXPECT_EQ(keys[2], QKeySequence("Ctrl+Q"));
    EXPECT_EQ(keys[102], QKeySequence("Alt+L"));
    EXPECT_EQ(keys[24310], QKeySequence("Alt+F4"));
    EXPECT_EQ(keys[23581], QKeySequence("Alt+Up"));
    EXPECT_EQ(keys[24326], QKeySequence("Ctrl+Del"));
    EXPECT_EQ(keys[2001], QKeySequence("F1"));
    // F2, F3 and TAB belong to the 3D view.
    EXPECT_EQ(keys.count(80), 0u);
    EXPECT_EQ(keys.count(1005), 0u);
}

TEST_F(FrameTest, HighlightedItemShowsItsHintInsteadOfTheFields)
{
    frame_.show();
    QAction* zoom = menuAction(24336);
    ASSERT_NE(zoom, nullptr);
    // A menu sends the hint of its highlighted item to the menu bar that opened it.
    zoom->showStatusText(frame_.menuBar());
    EXPECT_EQ(frame_.statusBars().signalBar()->currentMessage(), "Zoom to power of 2");
    QStatusTipEvent none{QString()};
    QCoreApplication::sendEvent(&frame_, &none);
    EXPECT_EQ(frame_.statusBars().signalBar()->currentMessage(), "");
}

TEST_F(FrameTest, EveryChannelOfAFileGetsASubwindow)
{
    frame_.show();
    app_.client().openFiles({ExampleWav});
    const auto windows = subWindows();
    ASSERT_EQ(windows.size(), 2);
    const auto children = app_.client().windows();
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(windows[0]->windowTitle().toStdString(), children[0]->caption());
    EXPECT_EQ(windows[1]->windowTitle().toStdString(), children[1]->caption());

    frame_.mdiArea()->setActiveSubWindow(windows[0]);
    EXPECT_EQ(app_.client().activeChild(), children[0]);
    EXPECT_TRUE(router_.state(24339).enabled);
    EXPECT_FALSE(frame_.statusBars().text(StatusField::SampleRate).isEmpty());

    // Closing by the title bar destroys the window in the core.
    windows[0]->close();
    settle();
    EXPECT_EQ(app_.client().windows().size(), 1u);
    EXPECT_EQ(subWindows().size(), 1);

    // Destroying it in the core removes the subwindow.
    app_.client().closeWindow(children[1]);
    settle();
    EXPECT_TRUE(subWindows().isEmpty());
    EXPECT_EQ(app_.client().activeChild(), nullptr);
}

TEST_F(FrameTest, CloseAllAndTileGoThroughTheRouter)
{
    frame_.show();
    frame_.resize(1000, 700);
    app_.client().openFiles({ExampleWav});
    ASSERT_TRUE(router_.trigger(24362));
    const auto windows = subWindows();
    ASSERT_EQ(windows.size(), 2);
    const int width = frame_.mdiArea()->viewport()->width();
    EXPECT_EQ(windows[0]->geometry().width(), width);
    EXPECT_EQ(windows[1]->geometry().width(), width);
    EXPECT_EQ(windows[0]->geometry().top(), 0);
    EXPECT_EQ(windows[1]->geometry().top(), windows[0]->geometry().height());

    const ModalAnswers no(QMessageBox::No);
    ASSERT_TRUE(router_.trigger(24365));
    settle();
    EXPECT_EQ(no.boxTexts.size(), 1);
    EXPECT_TRUE(app_.client().windows().empty());
    EXPECT_TRUE(subWindows().isEmpty());
    EXPECT_FALSE(router_.state(24365).enabled);
}

TEST_F(FrameTest, ExitClosesTheFrameAndItsWindows)
{
    frame_.show();
    app_.client().openFiles({ExampleWav});
    const ModalAnswers no(QMessageBox::No);
    ASSERT_TRUE(router_.trigger(24310));
    EXPECT_EQ(no.boxTexts.size(), 1);
    EXPECT_FALSE(frame_.isVisible());
    EXPECT_TRUE(app_.client().windows().empty());
}

TEST_F(FrameTest, HelpOpensTheTopicOfACommand)
{
    ASSERT_TRUE(app_.showHelp(24336));
    HelpWindow* help = app_.helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->browser()->source().fileName(), "edit.html");
    EXPECT_EQ(help->browser()->source().fragment(), "24336");

    ASSERT_TRUE(router_.trigger(2001));
    EXPECT_EQ(help->browser()->source().fileName(), "index.html");
    ASSERT_TRUE(router_.trigger(2002));
    EXPECT_EQ(help->browser()->source().fileName(), "helponhelp.html");
}

TEST_F(FrameTest, F1OnAHighlightedMenuItemAsksForItsTopic)
{
    int asked = 0;
    frame_.topicHelpRequested = [&asked](int id) { asked = id; };
    QAction* link = menuAction(102);
    auto* menu = qobject_cast<QMenu*>(link->parent());
    menu->setActiveAction(link);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &f1);
    EXPECT_EQ(asked, 102);
}

TEST_F(FrameTest, AboutBoxShowsNameVersionAndNotice)
{
    EXPECT_EQ(marluneAboutDlg::versionText(), QString("Marlune Version ") + MARLUNE_VERSION);
    marluneAboutDlg about;
    EXPECT_EQ(about.findChild<QLabel*>("version")->text(), marluneAboutDlg::versionText());
    EXPECT_EQ(about.findChild<QLabel*>("legalNotice")->text(), MARLUNE_LEGAL_NOTICE);
}

TEST_F(FrameTest, SplashSitsNearTheScreenCentre)
{
    auto* splash = new SplashWindow;
    splash->showCentred();
    const QSize screen = QGuiApplication::primaryScreen()->size();
    EXPECT_EQ(splash->pos(), QPoint(screen.width() / 2 - 115, screen.height() / 2 - 30));
    EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    splash->close();
}

TEST_F(FrameTest, CommandLineFilesOpenOnceAfterTheSplash)
{
    app_.start({ExampleWav});
    EXPECT_TRUE(app_.client().windows().empty());
    QEventLoop wait;
    QTimer::singleShot(1200, &wait, &QEventLoop::quit);
    wait.exec();
    EXPECT_EQ(app_.client().windows().size(), 2u);
    ASSERT_EQ(subWindows().size(), 3) << "the control window and one window per channel";
    EXPECT_EQ(subWindows()[0]->windowTitle(), "Control Window") << "opened first, before the command line";
    ASSERT_TRUE(router_.trigger(Cmd::ControlWindow));
    EXPECT_EQ(app_.client().windows().size(), 2u) << "the command line is handled once";
}

TEST_F(FrameTest, FftFromTheMenuMakesARedSpectrumThatFollowsTheZoom)
{
    frame_.show();
    app_.client().openFiles({ExampleWav});
    frame_.mdiArea()->setActiveSubWindow(subWindows()[0]);
    ASSERT_TRUE(router_.state(101).enabled);
    ASSERT_TRUE(router_.trigger(101));
    settle();
    const auto windows = app_.client().windows();
    ASSERT_EQ(windows.size(), 3u);
    auto* spectrum = static_cast<marluneMDIChild*>(windows[2]);
    EXPECT_EQ(spectrum->caption(), " 3#FFT( 1#example.wav-1)");
    ASSERT_EQ(subWindows().size(), 3);
    // The example's 66150 samples round up to 2^17 real points: 65536 bins up to 11025 Hz.
    EXPECT_EQ(spectrum->signal()->count(), 65536u);
    EXPECT_NEAR(double(spectrum->signal()->lastVisibleX()), 11025.0, 1e-6);

    auto* pane = subWindows()[2]->findChild<TSigWindow*>();
    ASSERT_NE(pane, nullptr);
    const QImage picture = pane->render(QSize(600, 300));
    int red = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            red += picture.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_GT(red, 100);

    // Zooming the file window to its first 1000 samples recomputes the spectrum of them.
    auto* file = static_cast<marluneMDIChild*>(windows[0]);
    ASSERT_TRUE(file->signal()->zoomIn(0, 999));
    file->updateAfterChange();
    EXPECT_EQ(spectrum->signal()->count(), 512u);
}

TEST_F(FrameTest, ASubmenuIsEnabledExactlyWhileOneOfItsItemsIs)
{
    // Each submenu of the bar against the router's states of its items, as the menu shows it.
    const auto checkSubmenus = [this] {
        for (QAction* top : frame_.menuBar()->actions()) {
            emit top->menu()->aboutToShow();
            for (const QAction* item : top->menu()->actions()) {
                const QMenu* submenu = item->menu();
                if (!submenu)
                    continue;
                bool anyEnabled = false;
                for (const QAction* inner : submenu->actions())
                    anyEnabled = anyEnabled || (!inner->isSeparator() &&
                                                router_.state(CommandActions::commandOf(inner)).enabled);
                EXPECT_EQ(item->isEnabled(), anyEnabled) << item->text().toStdString();
            }
        }
    };
    const auto submenuAction = [this](const QString& title) -> QAction* {
        for (QAction* top : frame_.menuBar()->actions())
            for (QAction* item : top->menu()->actions())
                if (item->menu() && item->text() == title)
                    return item;
        return nullptr;
    };
    checkSubmenus();
    // Without windows only the import of the ASCII files can be chosen.
    EXPECT_TRUE(submenuAction("ASCII files")->isEnabled());
    EXPECT_FALSE(submenuAction("Save window as custom tool")->isEnabled());
    EXPECT_FALSE(submenuAction("Palette")->isEnabled());

    frame_.show();
    app_.client().openFiles({ExampleWav});
    frame_.mdiArea()->setActiveSubWindow(subWindows()[0]);
    checkSubmenus();
    EXPECT_FALSE(submenuAction("Palette")->isEnabled());
}

// The control bar follows what the windows announce; nothing polls it.
TEST_F(FrameTest, ControlBarStatesFollowTheActiveWindowsAnnouncements)
{
    frame_.show();
    app_.client().openFiles({ExampleWav});
    settle();
    auto* window = signalWindowOf(app_.client().activeChild());
    ASSERT_NE(window, nullptr);
    const auto copyButton = [this] {
        for (QAction* action : frame_.controlBar()->commandActions())
            if (CommandActions::commandOf(action) == Cmd::Copy)
                return action;
        return static_cast<QAction*>(nullptr);
    }();
    ASSERT_NE(copyButton, nullptr);
    EXPECT_FALSE(copyButton->isEnabled());
    window->setSelection(SampleSelection{{10, 500}, {10, 500}});
    EXPECT_TRUE(copyButton->isEnabled());
    ASSERT_TRUE(router_.trigger(Cmd::ZoomIn));
    EXPECT_FALSE(copyButton->isEnabled()) << "the zoom took the band away";
    EXPECT_TRUE(frame_.findChildren<QTimer*>().isEmpty());
}

namespace {
// A window of a kind for which no pane exists yet (an overlay).
class BareOverlay : public marluneChild {
public:
    explicit BareOverlay(marluneMDIClient& client) : marluneChild(client, SignalKind::Overlay) {}

protected:
    bool recomputeFromParents() override { return true; }
};
}  // namespace

// Each kind of window gets the pane its kind asks for; a kind without one gets no subwindow.
TEST_F(FrameTest, PanesComeFromTheRegistryByKind)
{
    const PaneRegistry panes;
    marluneMDIClient& client = app_.client();
    auto* signal = signalWindowOf(client.openFiles({ExampleWav}));
    ASSERT_NE(signal, nullptr);
    const std::unique_ptr<QWidget> pane(panes.make(*signal));
    ASSERT_NE(qobject_cast<TSigWindow*>(pane.get()), nullptr);
    EXPECT_EQ(static_cast<TSigWindow*>(pane.get())->child(), signal);

    const qsizetype before = subWindows().size();
    marluneChild* bare = client.addWindow(std::make_unique<BareOverlay>(client));
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(panes.make(*bare), nullptr);
    EXPECT_EQ(subWindows().size(), before);
    EXPECT_EQ(signalWindowOf(bare), nullptr) << "an overlay is never taken for a signal window";
}

TEST_F(FrameTest, TheRecentFilesMenuListsWhatWasOpenedAndOpensItAgain)
{
    QMenu* recent = nullptr;
    for (QMenu* menu : frame_.menuBar()->findChildren<QMenu*>())
        if (menu->title() == MenuTree::RecentMenuLabel)
            recent = menu;
    ASSERT_NE(recent, nullptr);
    const std::string oddName = app_.client().programFolder() + "R&B.wav";
    std::filesystem::copy_file(ExampleWav, oddName);
    app_.client().recentFiles().add(ExampleWav);
    app_.client().recentFiles().add(oddName);
    // The list is the user's setting, kept beside the defaults the program writes.
    EXPECT_NE(readBytes(app_.client().paths().writableFolder("") / RecentFiles::FileName).find("R&B.wav"), std::string::npos);

    emit recent->aboutToShow();
    QList<QAction*> items = recent->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->text(), QString::fromStdString("&1 " + app_.client().programFolder() + "R&&B.wav"));
    EXPECT_EQ(items[1]->text(), QString::fromStdString("&2 " + ExampleWav));
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[3]->text(), "&Clear the list");
    EXPECT_TRUE(items[1]->isEnabled());

    items[1]->trigger();
    EXPECT_EQ(app_.client().windows().size(), 2u) << "both channels of the example";
    // Showing the menu again lists each file once, the one just opened first.
    emit recent->aboutToShow();
    settle();
    items = recent->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->text(), QString::fromStdString("&1 " + ExampleWav));

    items[3]->trigger();
    emit recent->aboutToShow();
    EXPECT_EQ(recent->actions().size(), 1);
    EXPECT_FALSE(router_.state(Cmd::ClearRecent).enabled);
}
