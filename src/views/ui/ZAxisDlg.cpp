#include "views/ui/ZAxisDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "views/ZAxisForm.h"

namespace {
QCheckBox* checkBox(const char* text, bool checked, QWidget* parent)
{
    auto* box = new QCheckBox(text, parent);
    box->setChecked(checked);
    return box;
}

QLineEdit* labelEdit(const std::string& text, QWidget* parent)
{
    auto* edit = new QLineEdit(QString::fromStdString(text), parent);
    edit->setMaxLength(ZAxisForm::LabelTyped);
    return edit;
}
}  // namespace

ZAxisDlg::ZAxisDlg(ZAxisForm& form, QWidget* parent)
    : QDialog(parent), form_(form), max_(new QLineEdit(this)), min_(new QLineEdit(this)),
      noAutoScale_(checkBox("No auto-scale", form.noAutoScale, this)),
      showAxes_(checkBox("Show axes", form.showAxes, this)), xLabel_(labelEdit(form.xLabel, this)),
      yLabel_(labelEdit(form.yLabel, this)), zLabel_(labelEdit(form.zLabel, this))
{
    setWindowTitle("Axes settings");
    showRange();
    // textEdited fires only for typing, so a spin rewriting the text does not preview twice.
    connect(max_, &QLineEdit::textEdited, this, &ZAxisDlg::rangeEdited);
    connect(min_, &QLineEdit::textEdited, this, &ZAxisDlg::rangeEdited);
    connect(noAutoScale_, &QCheckBox::clicked, this, [this](bool on) {
        form_.noAutoScale = on;
        form_.noAutoScaleClicked();
    });
    connect(showAxes_, &QCheckBox::clicked, this, [this](bool on) {
        form_.showAxes = on;
        form_.showAxesClicked();
    });

    auto* fields = new QFormLayout;
    fields->addRow("Max :", rangeRow(max_, &ZAxisForm::spinMax));
    fields->addRow("Min :", rangeRow(min_, &ZAxisForm::spinMin));
    fields->addRow("X label:", xLabel_);
    fields->addRow("Y label:", yLabel_);
    fields->addRow("Z label:", zLabel_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ZAxisDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    for (QCheckBox* box : {noAutoScale_, showAxes_})
        layout->addWidget(box);
    layout->addWidget(buttons);
}

QWidget* ZAxisDlg::rangeRow(QLineEdit* edit, void (ZAxisForm::*spin)(int))
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit);
    for (const auto& [arrow, direction] : {std::pair{Qt::UpArrow, +1}, std::pair{Qt::DownArrow, -1}}) {
        auto* button = new QToolButton(row);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        connect(button, &QToolButton::clicked, this, [this, spin, direction] {
            form_.maxText = max_->text().toStdString();
            form_.minText = min_->text().toStdString();
            (form_.*spin)(direction);
            showRange();
        });
        layout->addWidget(button);
    }
    return row;
}

void ZAxisDlg::showRange()
{
    max_->setText(QString::fromStdString(form_.maxText));
    min_->setText(QString::fromStdString(form_.minText));
}

void ZAxisDlg::rangeEdited()
{
    form_.maxText = max_->text().toStdString();
    form_.minText = min_->text().toStdString();
    form_.rangeEdited();
}

bool ZAxisDlg::run(ZAxisForm& form, QWidget* parent)
{
    ZAxisDlg dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
}

void ZAxisDlg::accept()
{
    form_.xLabel = xLabel_->text().toStdString();
    form_.yLabel = yLabel_->text().toStdString();
    form_.zLabel = zLabel_->text().toStdString();
    if (form_.accept())
        QDialog::accept();
}
