#include "app/ControlBar.h"

#include <QAction>
#include <QPainter>
#include <QStyleOption>
#include <utility>

#include "app/CommandActions.h"
#include "app/ControlBarIcons.h"
#include "app/MenuTree.h"
#include "tree/CommandIds.h"

namespace {
// A gap between button groups. Toolbar separators would merge when two follow each other,
// so a gap is a small widget that draws the style's separator line.
class Gap : public QWidget {
public:
    explicit Gap(QWidget* parent) : QWidget(parent)
    {
        setObjectName(ControlBar::GapName);
        setFixedWidth(10);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QStyleOption option;
        option.initFrom(this);
        option.state |= QStyle::State_Horizontal;
        style()->drawPrimitive(QStyle::PE_IndicatorToolBarSeparator, &option, &painter, this);
    }
};

// Hints of the buttons whose commands have no menu item.
constexpr std::pair<int, const char*> OwnHints[] = {{Cmd::SaveSignal, "Save signal"},
                                                    {Cmd::View3DPrevious, "Enlarge the 3D picture"},
                                                    {Cmd::View3DNext, "Shrink the 3D picture"}};

QString buttonHint(int id)
{
    for (const auto& [command, hint] : OwnHints)
        if (command == id)
            return hint;
    const MenuItem* item = MenuTree::find(id);
    if (!item)
        return {};
    if (!item->hint.empty())
        return QString::fromStdString(item->hint);
    // No hint of its own: the menu label without its mnemonic and key text.
    return QString::fromStdString(item->label).section('\t', 0, 0).remove('&');
}
}  // namespace

const std::vector<int>& ControlBar::layout()
{
    using namespace Cmd;
    static const std::vector<int> buttons{
        OpenSignal, SaveSignal, 0,
        SignalBeginning, PlayNoSound, PlayWithSound, Start, Stop, SignalEnd, 0,
        Cut, Copy, Paste, 0,
        ZoomIn, ZoomOut, 0,
        FFT, Filter, ZoomPow2, 0,
        Link, Unlink, 0,
        Properties, 0, 0,
        Calculator, 0,
        RulerSampleUnits, 0, 0,
        MeshView, Ruler3D, SpectrogramView, View3DPrevious, View3DNext, 0,
        HelpContents,
    };
    return buttons;
}

ControlBar::ControlBar(const CommandActions& actions, QWidget* parent) : QToolBar("Control bar", parent)
{
    setObjectName("ControlBar");
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(24, 24));
    for (const int id : layout()) {
        if (!id) {
            addWidget(new Gap(this));
            continue;
        }
        const QString hint = buttonHint(id);
        QAction* action = actions.create(id, hint, this);
        action->setIcon(controlBarIcon(id));
        action->setToolTip(hint);
        action->setStatusTip(hint);
        addAction(action);
    }
}

QList<QAction*> ControlBar::commandActions() const
{
    QList<QAction*> result;
    for (QAction* action : actions())
        if (CommandActions::commandOf(action))
            result << action;
    return result;
}
