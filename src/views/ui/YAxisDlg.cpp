#include "views/ui/YAxisDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "views/YAxisForm.h"
#include "views/ui/AxisRangeFields.h"

YAxisDlg::YAxisDlg(YAxisForm& form, QWidget* parent)
    : QDialog(parent), form_(form), range_(new AxisRangeFields(form, this)),
      instantPreview_(AxisRangeFields::checkBox("Instant preview", form.instantPreview, this)),
      logX_(AxisRangeFields::checkBox("Logarithm X-Axis", form.logX, this)),
      logY_(AxisRangeFields::checkBox("Logarithm Y-Axis", form.logY, this)),
      xLabel_(AxisRangeFields::labelEdit(form.xLabel, this)), yLabel_(AxisRangeFields::labelEdit(form.yLabel, this))
{
    setWindowTitle("Axes settings");
    logY_->hide();
    connect(instantPreview_, &QCheckBox::toggled, this, [this](bool on) { form_.instantPreview = on; });

    auto* fields = new QFormLayout;
    range_->addRangeRows(fields);
    fields->addRow("X label:", xLabel_);
    fields->addRow("Y label:", yLabel_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &YAxisDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    for (QCheckBox* box : {range_->noAutoScale(), instantPreview_, range_->showAxes(), logX_, logY_})
        layout->addWidget(box);
    layout->addWidget(buttons);
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
