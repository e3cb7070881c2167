#pragma once
// The row of command buttons at the top of the frame.
#include <QToolBar>
#include <vector>

class CommandActions;

class ControlBar : public QToolBar {
    Q_OBJECT
public:
    // Object name of the gap widgets.
    static constexpr const char* GapName = "gap";

    // Button commands from left to right; 0 stands for a gap.
    static const std::vector<int>& layout();

    ControlBar(const CommandActions& actions, QWidget* parent);

    // The command buttons, without the gaps.
    QList<QAction*> commandActions() const;
};
