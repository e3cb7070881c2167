#pragma once
// The main window "Marlune": MDI area, menus, accelerators, control bar and status bars.
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <vector>

#include "app/CommandActions.h"
#include "app/PaneRegistry.h"
#include "app/StatusBars.h"
#include "base/CommandTable.h"
#include "tree/ChildSubscription.h"
#include "tree/ClientListener.h"
#include "tree/ClientSubscription.h"

class CommandRouter;
class ControlBar;
class QMdiArea;
class QMdiSubWindow;
class marluneControlWindow;
class QMenu;
class marluneMDIClient;
struct MenuItem;

// It hosts the tree windows the client creates and carries out the window-arranging commands. The
// control bar's states follow what the client and the active window announce.
class MainFrame : public QMainWindow, public ClientListener, public ChildListener, public CommandTarget {
    Q_OBJECT
public:
    MainFrame(marluneMDIClient& client, CommandRouter& router);
    ~MainFrame() override;

    QMdiArea* mdiArea() const { return mdi_; }
    StatusBars& statusBars() { return statusBars_; }
    ControlBar* controlBar() const { return controlBar_; }
    // Asks the router for the states of the control bar's buttons.
    void refreshControlBar();

    // F1 while a menu item is highlighted: the help topic of its command number.
    std::function<void(int)> topicHelpRequested;

    // ClientListener
    void childCreated(marluneChild& child) override;
    void treeChanged() override;
    void activeChanged() override;
    // Both "&Use custom tool" submenus list the client's tools after their first two entries.
    void toolsChanged() override;
    void controlWindowRequested(const WindowPlacement& placement) override;
    // ChildListener, for the active window
    void childChanged(marluneChild& child, const ChildEvent& event) override;

    // CommandTarget: the MDI arrangement commands and Exit.
    std::optional<CommandState> commandState(int id) const override;
    bool command(int id) override;
    static const CommandTable<MainFrame> Table;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    static const CommandRow<MainFrame> Rows[];
    // Command 4: the control window, made or brought to the top; there is only ever one.
    void openControlWindow();
    // Adds a subwindow to the MDI area; the frame's accelerators win over the subwindow's own keys.
    void host(QMdiSubWindow* subWindow);
    void buildMenus();
    void fillMenu(QMenu* menu, const std::vector<MenuItem>& items);
    // The submenus found by their label, as tools are listed in every menu that has one.
    std::vector<QMenu*> toolMenus_;
    QPointer<marluneControlWindow> controlWindow_;
    void buildAccelerators();
    // Fills the recent-files submenu anew from the client's list as it opens.
    void listRecentFiles(QMenu* menu);
    void followActiveSubWindow();
    void tileHorizontally();
    void arrangeIcons();

    marluneMDIClient& client_;
    PaneRegistry panes_;
    // The active window, whose changes can change the control bar's states.
    ChildSubscription followed_{*this};
    ClientSubscription subscription_{client_, *this};
    CommandRouter& router_;
    CommandActions actions_;
    QMdiArea* mdi_;
    StatusBars statusBars_;
    ControlBar* controlBar_;
};
