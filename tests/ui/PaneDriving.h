#pragma once
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "QtTestApp.h"
#include "kinds/WindowKindRegistration.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "support/ScriptedUi.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "views/ui/TSigWindow.h"

// Mouse, keys and focus sent to a pane as a person would give them, and a fixture of panes on a
// scripted desktop.

inline void mouse(QWidget& pane, QEvent::Type type, int x, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    const QPointF at(x, 50);
    QMouseEvent event(type, at, pane.mapToGlobal(at), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&pane, &event);
}

inline void move(QWidget& pane, int x, Qt::MouseButtons buttons = Qt::NoButton)
{
    mouse(pane, QEvent::MouseMove, x, Qt::NoButton, buttons);
}

// Left button down at `from`, moved to `to` with the button held, and up again.
inline void drag(QWidget& pane, int from, int to)
{
    mouse(pane, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    move(pane, to, Qt::LeftButton);
    mouse(pane, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

inline void key(QWidget& pane, Qt::Key which)
{
    QKeyEvent event(QEvent::KeyPress, which, Qt::NoModifier);
    QCoreApplication::sendEvent(&pane, &event);
}

inline void focus(QWidget& pane, QEvent::Type type, Qt::FocusReason reason = Qt::OtherFocusReason)
{
    QFocusEvent event(type, reason);
    QCoreApplication::sendEvent(&pane, &event);
}

// The device columns in which two pictures of one size differ.
inline std::set<int> changedColumns(const QImage& a, const QImage& b)
{
    std::set<int> columns;
    for (int x = 0; x < a.width(); ++x)
        for (int y = 0; y < a.height(); ++y)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                columns.insert(x);
                break;
            }
    return columns;
}

// Right-clicks the pane at `at`, hands the open menu to `inspect` and closes it, so no test waits on it.
inline void withContextMenu(QWidget& pane, QPoint at, const std::function<void(QMenu&)>& inspect)
{
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            opened = true;
            inspect(*menu);
        }
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QMenu*>(widget) && widget->isVisible())
                widget->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, pane.mapToGlobal(at));
    QCoreApplication::sendEvent(&pane, &event);
    EXPECT_TRUE(opened);
}

inline QAction* actionNamed(const QMenu& menu, const QString& text)
{
    for (QAction* action : menu.actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

// What a pane's band and cursor mark, as its window keeps it for the commands.
inline std::optional<std::pair<uint32_t, uint32_t>> editRangeOf(const TSigWindow& pane)
{
    const auto& selection = pane.child()->selection();
    return selection ? std::optional(selection->edit) : std::nullopt;
}
inline std::optional<std::pair<uint32_t, uint32_t>> zoomRangeOf(const TSigWindow& pane)
{
    const auto& selection = pane.child()->selection();
    return selection ? std::optional(selection->zoom) : std::nullopt;
}
inline std::optional<uint32_t> pasteOffsetOf(const TSigWindow& pane)
{
    return pane.child()->pasteOffset();
}

// Signal windows of a scripted client with every kind of the program, each with a pane of its own
// that is painted and active.
class PaneFixture : public ::testing::Test {
protected:
    PaneFixture() { registerWindowKinds(client_, nullptr); }

    marluneMDIChild& window(const std::vector<float>& samples, long double rate, int32_t kind = SignalKind::FileSignal,
                            const std::string& title = "signal", long double xOffset = 0)
    {
        auto signal = std::make_unique<Signal>(nullptr, kind, samples.data(), uint32_t(samples.size()), rate, xOffset);
        auto* child = static_cast<marluneMDIChild*>(
            client_.addWindow(std::make_unique<marluneMDIChild>(client_, kind, std::move(signal))));
        child->setDrawAxes(false);
        child->setCaption(" " + title);
        return *child;
    }

    // A pane of the given client size whose picture is painted; the window's commands reach it, and its
    // window is the active one, as when a person works in it.
    TSigWindow& pane(marluneMDIChild& child, int width, int height)
    {
        panes_.push_back(std::make_unique<TSigWindow>(child));
        TSigWindow& created = *panes_.back();
        client_.setActiveChild(&child);
        created.resize(width, height);
        created.grab();
        return created;
    }

    std::string status(StatusField field) { return ui_.status[field]; }

    ScriptedUi ui_;
    marluneMDIClient client_{ui_, scratchFolder("pane")};
    std::vector<std::unique_ptr<TSigWindow>> panes_;
};

inline std::vector<float> zeros(std::size_t n)
{
    return std::vector<float>(n, 0.0f);
}
