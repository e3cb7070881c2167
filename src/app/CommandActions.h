#pragma once
// Makes the QActions of menus, the control bar and the accelerators.
#include <QList>

class CommandRouter;
class QAction;
class QKeySequence;
class QMenu;
class QObject;
class QString;
class QWidget;

// Each one sends its command number through the router and takes its enabled and checked states from it.
class CommandActions {
public:
    explicit CommandActions(CommandRouter& router);

    QAction* create(int id, const QString& text, QObject* owner) const;
    // An accelerator acts on the window that is active when the key is pressed, so it stays enabled
    // and the router refuses the command if it is disabled at that moment.
    QAction* createAccelerator(int id, const QKeySequence& keys, QWidget* owner) const;
    // Separators are left alone; a submenu is refreshed too and is enabled while one of its items is.
    void refresh(const QList<QAction*>& actions) const;

    // The command number of an action made here, or 0.
    static int commandOf(const QAction* action);
    // A submenu whose items are all disabled (or that has none) is shown disabled.
    static bool anyEnabled(const QMenu& menu);

private:
    CommandRouter& router_;
};
