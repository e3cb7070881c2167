#include "app/StatusBars.h"

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>

namespace {
constexpr int GapWidth = 12;
// Characters of the X and Y read-outs of the signal bar, wide enough for "%.6f" of a time.
constexpr int ReadoutCharacters = 12;

QFont statusFont()
{
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    font.setWeight(QFont::Normal);
    return font;
}
}  // namespace

StatusBars::StatusBars(QWidget* parent) : signalBar_(makeBar(parent)), bar3D_(makeBar(parent))
{
    addLabel(signalBar_, "Range:");
    addField(signalBar_, StatusField::RangeFrom, 5);
    addField(signalBar_, StatusField::RangeTo, 5);
    addGap(signalBar_);
    addLabel(signalBar_, "X:");
    addField(signalBar_, StatusField::X, ReadoutCharacters);
    addLabel(signalBar_, "Y:");
    addField(signalBar_, StatusField::Y, ReadoutCharacters);
    addGap(signalBar_);
    addLabel(signalBar_, "STEP:");
    addField(signalBar_, StatusField::Step, 3);
    addGap(signalBar_);
    addLabel(signalBar_, "SR:");
    addField(signalBar_, StatusField::SampleRate, 3);

    addLabel(bar3D_, "X:");
    addField(bar3D_, StatusField::X3D, 7);
    addLabel(bar3D_, "Y:");
    addField(bar3D_, StatusField::Y3D, 7);
    addGap(bar3D_);
    addLabel(bar3D_, "Value:");
    addField(bar3D_, StatusField::Value3D, 7);
    bar3D_->hide();
}

QStatusBar* StatusBars::makeBar(QWidget* parent)
{
    auto* bar = new QStatusBar(parent);
    bar->setFont(statusFont());
    bar->setSizeGripEnabled(false);
    bar->setStyleSheet("QStatusBar { border: 1px inset palette(mid); }");
    return bar;
}

void StatusBars::addLabel(QStatusBar* bar, const QString& text)
{
    bar->addWidget(new QLabel(text, bar));
}

void StatusBars::addField(QStatusBar* bar, StatusField field, int characters)
{
    auto* label = new QLabel(bar);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Fields grow with longer texts but never below their given width.
    label->setMinimumWidth(QFontMetrics(bar->font()).averageCharWidth() * characters + 6);
    bar->addWidget(label);
    fields_[field] = label;
}

void StatusBars::addGap(QStatusBar* bar)
{
    auto* gap = new QWidget(bar);
    gap->setFixedWidth(GapWidth);
    bar->addWidget(gap);
}

void StatusBars::setText(StatusField field, const QString& text)
{
    fields_.at(field)->setText(text);
}

QString StatusBars::text(StatusField field) const
{
    return fields_.at(field)->text();
}

void StatusBars::clear()
{
    for (const auto& [field, label] : fields_)
        label->clear();
}

void StatusBars::show3D(bool on)
{
    signalBar_->setVisible(!on);
    bar3D_->setVisible(on);
}

void StatusBars::showHint(const QString& hint)
{
    QStatusBar* bar = bar3D_->isHidden() ? signalBar_ : bar3D_;
    if (hint.isEmpty())
        bar->clearMessage();
    else
        bar->showMessage(hint);
}
