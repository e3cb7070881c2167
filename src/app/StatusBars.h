#pragma once
// The two recessed status bars.
#include <QString>
#include <map>

#include "base/UiServices.h"

class QLabel;
class QStatusBar;
class QWidget;

// The first for signal windows (range, X, Y, step, rate), the second, hidden at first, for 3D windows (X,
// Y, value).
class StatusBars {
public:
    explicit StatusBars(QWidget* parent);

    QStatusBar* signalBar() const { return signalBar_; }
    QStatusBar* bar3D() const { return bar3D_; }

    void setText(StatusField field, const QString& text);
    QString text(StatusField field) const;
    // Empties every field of both bars.
    void clear();
    // Shows the 3D bar instead of the signal bar, or back.
    void show3D(bool on);
    // A menu hint replaces the fields of the visible bar while it shows; an empty hint restores them.
    void showHint(const QString& hint);

private:
    QStatusBar* makeBar(QWidget* parent);
    void addLabel(QStatusBar* bar, const QString& text);
    void addField(QStatusBar* bar, StatusField field, int characters);
    void addGap(QStatusBar* bar);

    QStatusBar* signalBar_;
    QStatusBar* bar3D_;
    std::map<StatusField, QLabel*> fields_;
};
