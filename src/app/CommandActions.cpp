#include "app/CommandActions.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>
#include <algorithm>

#include "app/CommandRouter.h"

CommandActions::CommandActions(CommandRouter& router) : router_(router) {}

QAction* CommandActions::create(int id, const QString& text, QObject* owner) const
{
    auto* action = new QAction(text, owner);
    action->setData(id);
    CommandRouter& router = router_;
    QObject::connect(action, &QAction::triggered, action, [&router, id] { router.trigger(id); });
    return action;
}

QAction* CommandActions::createAccelerator(int id, const QKeySequence& keys, QWidget* owner) const
{
    QAction* action = create(id, keys.toString(), owner);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    owner->addAction(action);
    return action;
}

void CommandActions::refresh(const QList<QAction*>& actions) const
{
    for (QAction* action : actions) {
        if (QMenu* submenu = action->menu()) {
            refresh(submenu->actions());
            action->setEnabled(anyEnabled(*submenu));
            continue;
        }
        const int id = commandOf(action);
        if (!id)
            continue;
        const CommandState state = router_.state(id);
        action->setEnabled(state.enabled);
        action->setCheckable(state.checked);
        action->setChecked(state.checked);
    }
}

bool CommandActions::anyEnabled(const QMenu& menu)
{
    const QList<QAction*> actions = menu.actions();
    return std::any_of(actions.begin(), actions.end(),
                       [](const QAction* action) { return !action->isSeparator() && action->isEnabled(); });
}

int CommandActions::commandOf(const QAction* action)
{
    return action && !action->isSeparator() && !action->menu() ? action->data().toInt() : 0;
}
