#include "views/ui/YAxisDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "views/YAxisForm.h"

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
    edit->setMaxLength(YAxisForm::LabelTyped);
    return edit;
}
}  // namespace

YAxisDlg::YAxisDlg(YAxisForm& form, QWidget* parent)
    : QDialog(parent), form_(form), max_(new QLineEdit(this)), min_(new QLineEdit(this)),
      noAutoScale_(checkBox("No auto-scale", form.noAutoScale, this)),
      instantPreview_(checkBox("Instant preview", form.instantPreview, this)),
      showAxes_(checkBox("Show axes", form.showAxes, this)), logX_(checkBox("Logarithm X-Axis", form.logX, this)),
      logY_(checkBox("Logarithm Y-Axis", form.logY, this)), xLabel_(labelEdit(form.xLabel, this)),
      yLabel_(labelEdit(form.yLabel, this))
{
    setWindowTitle("Axes settings");
    showRange();
    logY_->hide();
    // textEdited fires only for typing, so a spin rewriting the text does not preview twice.
    connect(max_, &QLineEdit::textEdited, this, &YAxisDlg::rangeEdited);
    connect(min_, &QLineEdit::textEdited, this, &YAxisDlg::rangeEdited);
    connect(instantPreview_, &QCheckBox::toggled, this, [this](bool on) { form_.instantPreview = on; });
    connect(noAutoScale_, &QCheckBox::clicked, this, [this](bool on) {
        form_.noAutoScale = on;
        form_.noAutoScaleClicked();
    });
    connect(showAxes_, &QCheckBox::clicked, this, [this](bool on) {
        form_.showAxes = on;
        form_.showAxesClicked();
    });

    auto* fields = new QFormLayout;
    fields->addRow("Max :", rangeRow(max_, &YAxisForm::spinMax));
    fields->addRow("Min :", rangeRow(min_, &YAxisForm::spinMin));
    fields->addRow("X label:", xLabel_);
    fields->addRow("Y label:", yLabel_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &YAxisDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    for (QCheckBox* box : {noAutoScale_, instantPreview_, showAxes_, logX_, logY_})
        layout->addWidget(box);
    layout->addWidget(buttons);
}

QWidget* YAxisDlg::rangeRow(QLineEdit* edit, void (YAxisForm::*spin)(int))
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

void YAxisDlg::showRange()
{
    max_->setText(QString::fromStdString(form_.maxText));
    min_->setText(QString::fromStdString(form_.minText));
}

void YAxisDlg::rangeEdited()
{
    form_.maxText = max_->text().toStdString();
    form_.minText = min_->text().toStdString();
    form_.rangeEdited();
}

bool YAxisDlg::run(YAxisForm& form, QWidget* parent)
{
    YAxisDlg dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
}

void YAxisDlg::accept()
{
    form_.xLabel = xLabel_->text().toStdString();
    form_.yLabel = yLabel_->text().toStdString();
    form_.logX = logX_->isChecked();
    form_.logY = logY_->isChecked();
    if (form_.accept())
        QDialog::accept();
}
