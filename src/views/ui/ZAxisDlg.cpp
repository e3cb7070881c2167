#include "views/ui/ZAxisDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "views/ZAxisForm.h"
#include "views/ui/AxisRangeFields.h"

ZAxisDlg::ZAxisDlg(ZAxisForm& form, QWidget* parent)
    : QDialog(parent), form_(form), range_(new AxisRangeFields(form, this)),
      xLabel_(AxisRangeFields::labelEdit(form.xLabel, this)), yLabel_(AxisRangeFields::labelEdit(form.yLabel, this)),
      zLabel_(AxisRangeFields::labelEdit(form.zLabel, this))
{
    setWindowTitle("Axes settings");
    auto* fields = new QFormLayout;
    range_->addRangeRows(fields);
    fields->addRow("X label:", xLabel_);
    fields->addRow("Y label:", yLabel_);
    fields->addRow("Z label:", zLabel_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ZAxisDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(range_->noAutoScale());
    layout->addWidget(range_->showAxes());
    layout->addWidget(buttons);
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
