#include "app/MainFrame.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QVBoxLayout>

#include "app/CommandRouter.h"
#include "app/ControlBar.h"
#include "app/MenuTree.h"
#include "tree/CommandIds.h"
#include "tree/RecentFiles.h"
#include "tree/WorkspaceCommands.h"
#include "tree/marluneChild.h"
#include "tree/marluneMDIClient.h"
#include "tree/ui/ChildSubWindow.h"
#include "tree/ui/CtrlPaintWindow.h"
#include "tree/ui/marluneControlWindow.h"

namespace {
constexpr int CascadeOffset = 26;
constexpr int CascadeSteps = 8;
}  // namespace

MainFrame::MainFrame(marluneMDIClient& client, CommandRouter& router)
    : client_(client), router_(router), actions_(router), mdi_(new QMdiArea), statusBars_(this),
      controlBar_(new ControlBar(actions_, this))
{
    setWindowTitle("Marlune");
    setObjectName("MainFrame");

    // The 3D status bar sits below the MDI area, where the signal bar shows while it is hidden.
    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mdi_);
    layout->addWidget(statusBars_.bar3D());
    setCentralWidget(centre);
    setStatusBar(statusBars_.signalBar());

    addToolBar(Qt::TopToolBarArea, controlBar_);
    buildMenus();
    buildAccelerators();

    connect(mdi_, &QMdiArea::subWindowActivated, this, &MainFrame::followActiveSubWindow);
    // Paste depends on what the clipboard holds, whoever put it there.
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &MainFrame::refreshControlBar);

    router_.append(*this);
    router_.afterCommand = [this] { refreshControlBar(); };
    refreshControlBar();
}

MainFrame::~MainFrame()
{
    // The MDI area reports activation changes while it is torn down; nobody listens any more.
    disconnect(mdi_, nullptr, this, nullptr);
    // The subwindows and their panes go while the frame is whole: the control window announces its
    // closing to this frame from its destructor, which the frame's own teardown would run too late.
    delete mdi_;
    mdi_ = nullptr;
    router_.afterCommand = nullptr;
    router_.setFocusTarget(nullptr);
    router_.remove(*this);
}

void MainFrame::buildMenus()
{
    for (const TopMenu& top : MenuTree::menus()) {
        QMenu* menu = menuBar()->addMenu(QString::fromStdString(top.title));
        fillMenu(menu, top.items);
    }
}

void MainFrame::fillMenu(QMenu* menu, const std::vector<MenuItem>& items)
{
    // States are asked for when the menu opens, as the old menus did.
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { actions_.refresh(menu->actions()); });
    menu->installEventFilter(this);
    for (const MenuItem& item : items) {
        if (item.isSeparator()) {
            menu->addSeparator();
        } else if (item.isSubmenu()) {
            QMenu* submenu = menu->addMenu(QString::fromStdString(item.label));
            if (item.label == MenuTree::ToolMenuLabel)
                toolMenus_.push_back(submenu);
            // Listed before the states are asked for, which fillMenu connects next.
            if (item.label == MenuTree::RecentMenuLabel)
                connect(submenu, &QMenu::aboutToShow, this, [this, submenu] { listRecentFiles(submenu); });
            fillMenu(submenu, item.children);
        } else {
            QAction* action = actions_.create(item.id, QString::fromStdString(item.label), menu);
            action->setStatusTip(QString::fromStdString(item.hint));
            menu->addAction(action);
        }
    }
}

void MainFrame::openControlWindow()
{
    if (!controlWindow_) {
        controlWindow_ = new marluneControlWindow(client_);
        connect(controlWindow_, &marluneControlWindow::closing, this, [this] { router_.setFocusTarget(nullptr); });
        host(controlWindow_);
        // The upper right third of the area, beside the windows that cascade from the top-left corner.
        const QSize area = mdi_->viewport()->size();
        const QSize size(std::max(area.width() / 3, 320), std::max(area.height() / 2, 240));
        controlWindow_->setGeometry(std::max(area.width() - size.width(), 0), 0, size.width(), size.height());
    }
    controlWindow_->show();
    mdi_->setActiveSubWindow(controlWindow_);
}

void MainFrame::host(QMdiSubWindow* subWindow)
{
    mdi_->addSubWindow(subWindow);
    // Qt's system menu of a subwindow takes the platform's close keys (Ctrl+W under X11, Ctrl+F4 too
    // elsewhere); a key that is one of the frame's accelerators stays the frame's, or neither would act.
    QList<QKeySequence> taken;
    for (const QAction* accelerator : actions())
        taken << accelerator->shortcuts();
    for (QAction* action : subWindow->actions()) {
        QList<QKeySequence> keys = action->shortcuts();
        keys.removeIf([&taken](const QKeySequence& key) { return taken.contains(key); });
        action->setShortcuts(keys);
    }
}

void MainFrame::controlWindowRequested(const WindowPlacement& placement)
{
    openControlWindow();
    controlWindow_->place(placement);
}

void MainFrame::toolsChanged()
{
    const std::vector<ToolInfo>& tools = client_.workspaces().tools().tools();
    for (QMenu* menu : toolMenus_) {
        const QList<QAction*> entries = menu->actions();
        for (qsizetype i = 2; i < entries.size(); ++i) {
            menu->removeAction(entries[i]);
            entries[i]->deleteLater();
        }
        for (std::size_t n = 0; n < tools.size(); ++n)
            menu->addAction(actions_.create(Cmd::ToolBase + int(n), QString::fromStdString(tools[n].menuText), menu));
    }
}

void MainFrame::listRecentFiles(QMenu* menu)
{
    // The entries and their separator stand above the menu's own last item, "&Clear the list".
    const QList<QAction*> items = menu->actions();
    QAction* clear = items.back();
    for (QAction* item : items) {
        if (item == clear)
            continue;
        menu->removeAction(item);
        item->deleteLater();
    }
    const std::vector<std::string>& files = client_.recentFiles().entries();
    for (std::size_t n = 0; n < files.size(); ++n) {
        // A '&' of a file name is shown, not taken for a mnemonic.
        const QString name = QFile::decodeName(files[n].c_str()).replace('&', "&&");
        menu->insertAction(clear, actions_.create(Cmd::RecentBase + int(n), QString("&%1 %2").arg(n + 1).arg(name), menu));
    }
    if (!files.empty())
        menu->insertSeparator(clear);
}

void MainFrame::buildAccelerators()
{
    for (const MenuItem* item : MenuTree::commandItems())
        if (!item->shortcut.empty())
            actions_.createAccelerator(item->id, QKeySequence(QString::fromStdString(item->shortcut)), this);
    for (const Accelerator& key : MenuTree::extraAccelerators())
        actions_.createAccelerator(key.id, QKeySequence(QString::fromStdString(key.shortcut)), this);
    actions_.createAccelerator(Cmd::HelpContents, QKeySequence(Qt::Key_F1), this);
}

void MainFrame::refreshControlBar()
{
    actions_.refresh(controlBar_->commandActions());
}

void MainFrame::childCreated(marluneChild& child)
{
    QWidget* pane = panes_.makeFramed(child);
    if (!pane)
        return;
    auto* subWindow = new ChildSubWindow(child, pane);
    // New windows cascade from the top-left corner, a title bar's height apart.
    const qsizetype cascaded = mdi_->subWindowList().size();
    host(subWindow);
    const QSize area = mdi_->viewport()->size();
    const int offset = int(cascaded % CascadeSteps) * CascadeOffset;
    // A window placed by the core (a workspace, a window that belongs below another) keeps its place.
    const std::optional<WindowPlacement> placed = child.placement();
    subWindow->setGeometry(offset, offset, std::max(area.width() * 3 / 5, 320), std::max(area.height() * 2 / 5, 200));
    subWindow->setVisible(child.visible());
    if (placed) {
        child.place(*placed);
    } else if (const auto size = panes_.initialSize(child)) {
        // Kinds with a size of their own (instruments) get exactly that pane, whatever the frame takes.
        subWindow->resize(subWindow->size() - pane->size() + *size);
    }
    if (child.visible())
        mdi_->setActiveSubWindow(subWindow);
}

void MainFrame::treeChanged()
{
    refreshControlBar();
}

void MainFrame::activeChanged()
{
    marluneChild* active = client_.activeChild();
    if (active == followed_.window())
        return;
    followed_.follow(active);
    refreshControlBar();
}

void MainFrame::childChanged(marluneChild&, const ChildEvent& event)
{
    // A change of the samples is always followed by a repaint; one refresh serves both.
    if (event.change == ChildChange::Repaint || event.change == ChildChange::Marks)
        refreshControlBar();
}

void MainFrame::followActiveSubWindow()
{
    // An inactive frame reports no active subwindow; the current one is still the one commands go to.
    auto* subWindow = qobject_cast<ChildSubWindow*>(mdi_->currentSubWindow());
    marluneChild* child = subWindow ? subWindow->child() : nullptr;
    // While the control window is active, commands go to its selection first.
    auto* control = qobject_cast<marluneControlWindow*>(mdi_->currentSubWindow());
    router_.setFocusTarget(control ? &control->drawing()->selection() : nullptr);
    // Read-outs of one window never stay beside those of another, nor after the last one closed.
    if (!child || child != client_.activeChild())
        statusBars_.clear();
    client_.setActiveChild(child);
    if (child)
        child->showStatusBar();
    refreshControlBar();
}

namespace {
std::optional<CommandState> anyWindow(const MainFrame& frame)
{
    return CommandState{!frame.mdiArea()->subWindowList().isEmpty()};
}
}  // namespace

const CommandRow<MainFrame> MainFrame::Rows[] = {
    {Cmd::Cascade, anyWindow, [](MainFrame& f) { f.mdi_->cascadeSubWindows(); }},
    {Cmd::Tile, anyWindow, [](MainFrame& f) { f.tileHorizontally(); }},
    {Cmd::ArrangeIcons, anyWindow, [](MainFrame& f) { f.arrangeIcons(); }},
    {Cmd::CloseAll, anyWindow,
     [](MainFrame& f) {
         if (f.client_.workspaces().agreeToClose())
             f.client_.closeAll();
     }},
    {Cmd::Exit, nullptr, [](MainFrame& f) { f.close(); }},
    {Cmd::ControlWindow, nullptr, [](MainFrame& f) { f.openControlWindow(); }},
};

const CommandTable<MainFrame> MainFrame::Table{"frame", Rows};

std::optional<CommandState> MainFrame::commandState(int id) const
{
    return Table.state(*this, id);
}

bool MainFrame::command(int id)
{
    return Table.run(*this, id);
}

void MainFrame::tileHorizontally()
{
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* window : mdi_->subWindowList())
        if (!window->isHidden() && !window->isMinimized())
            shown << window;
    if (shown.isEmpty())
        return;
    // Full-width bands, one above the other.
    const QSize area = mdi_->viewport()->size();
    const int height = area.height() / int(shown.size());
    for (int i = 0; i < shown.size(); ++i) {
        shown[i]->showNormal();
        shown[i]->setGeometry(0, i * height, area.width(), height);
    }
}

void MainFrame::arrangeIcons()
{
    // Minimized windows line up from the bottom-left corner, row above row.
    const QSize area = mdi_->viewport()->size();
    QPoint next(0, area.height());
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        if (next.x() > 0 && next.x() + size.width() > area.width())
            next = QPoint(0, next.y() - size.height());
        window->move(next.x(), next.y() - size.height());
        next.rx() += size.width();
    }
}

bool MainFrame::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        statusBars_.showHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event)
{
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (const int id = CommandActions::commandOf(menu->activeAction())) {
            // Close the whole menu chain first, as a chosen item would.
            for (QWidget* open = menu; qobject_cast<QMenu*>(open); open = open->parentWidget())
                open->close();
            if (topicHelpRequested)
                topicHelpRequested(id);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainFrame::closeEvent(QCloseEvent* event)
{
    // One question for all the windows; Cancel keeps the program running with all of them.
    if (!client_.workspaces().agreeToClose()) {
        event->ignore();
        return;
    }
    client_.closeAll();
    QMainWindow::closeEvent(event);
}
