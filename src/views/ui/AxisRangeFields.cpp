#include "views/ui/AxisRangeFields.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <utility>

#include "views/AxisRangeForm.h"

AxisRangeFields::AxisRangeFields(AxisRangeForm& form, QWidget* dialog)
    : QObject(dialog), form_(form), dialog_(dialog), max_(new QLineEdit(dialog)), min_(new QLineEdit(dialog)),
      noAutoScale_(checkBox("No auto-scale", form.noAutoScale, dialog)),
      showAxes_(checkBox("Show axes", form.showAxes, dialog))
{
    showRange();
    // textEdited fires only for typing, so a spin rewriting the text does not preview twice.
    for (QLineEdit* edit : {max_, min_})
        connect(edit, &QLineEdit::textEdited, this, [this] {
            readRange();
            form_.rangeEdited();
        });
    connect(noAutoScale_, &QCheckBox::clicked, this, [this](bool on) {
        form_.noAutoScale = on;
        form_.noAutoScaleClicked();
    });
    connect(showAxes_, &QCheckBox::clicked, this, [this](bool on) {
        form_.showAxes = on;
        form_.showAxesClicked();
    });
}

QCheckBox* AxisRangeFields::checkBox(const char* text, bool checked, QWidget* parent)
{
    auto* box = new QCheckBox(text, parent);
    box->setChecked(checked);
    return box;
}

QLineEdit* AxisRangeFields::labelEdit(const std::string& text, QWidget* parent)
{
    auto* edit = new QLineEdit(QString::fromStdString(text), parent);
    edit->setMaxLength(AxisRangeForm::LabelTyped);
    return edit;
}

void AxisRangeFields::addRangeRows(QFormLayout* layout)
{
    layout->addRow("Max :", rangeRow(max_, &AxisRangeForm::spinMax));
    layout->addRow("Min :", rangeRow(min_, &AxisRangeForm::spinMin));
}

QWidget* AxisRangeFields::rangeRow(QLineEdit* edit, void (AxisRangeForm::*spin)(int))
{
    auto* row = new QWidget(dialog_);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit);
    for (const auto& [arrow, direction] : {std::pair{Qt::UpArrow, +1}, std::pair{Qt::DownArrow, -1}}) {
        auto* button = new QToolButton(row);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        connect(button, &QToolButton::clicked, this, [this, spin, direction] {
            readRange();
            (form_.*spin)(direction);
            showRange();
        });
        layout->addWidget(button);
    }
    return row;
}

void AxisRangeFields::readRange()
{
    form_.maxText = max_->text().toStdString();
    form_.minText = min_->text().toStdString();
}

void AxisRangeFields::showRange()
{
    max_->setText(QString::fromStdString(form_.maxText));
    min_->setText(QString::fromStdString(form_.minText));
}
