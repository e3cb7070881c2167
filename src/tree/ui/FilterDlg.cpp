#include "tree/ui/FilterDlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "tree/FilterForm.h"

FilterDlg::FilterDlg(FilterForm& form, QWidget* parent)
    : QDialog(parent), form_(form), types_(new QButtonGroup(this)), from_(new QLineEdit(this)),
      to_(new QLineEdit(this))
{
    setWindowTitle("Filter");
    auto* group = new QGroupBox(this);
    auto* typeLayout = new QVBoxLayout(group);
    for (int type = 1; type <= int(FilterForm::TypeNames.size()); ++type) {
        auto* button = new QRadioButton(FilterForm::TypeNames[type - 1], group);
        button->setChecked(type == form.type());
        types_->addButton(button, type);
        typeLayout->addWidget(button);
    }
    connect(types_, &QButtonGroup::idClicked, this, &FilterDlg::typeChosen);
    showFields();

    auto* fields = new QFormLayout;
    fields->addRow("From (Hz) :", from_);
    fields->addRow("To (Hz) :", to_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &FilterDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(fields);
    layout->addWidget(buttons);
}

bool FilterDlg::run(FilterForm& form, QWidget* parent)
{
    FilterDlg dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
}

void FilterDlg::showFields()
{
    from_->setText(QString::fromStdString(form_.fromText));
    to_->setText(QString::fromStdString(form_.toText));
    from_->setEnabled(form_.fromEnabled());
    to_->setEnabled(form_.toEnabled());
}

void FilterDlg::typeChosen(int type)
{
    form_.fromText = from_->text().toStdString();
    form_.toText = to_->text().toStdString();
    form_.chooseType(int16_t(type));
    showFields();
}

void FilterDlg::accept()
{
    form_.fromText = from_->text().toStdString();
    form_.toText = to_->text().toStdString();
    if (form_.accept())
        QDialog::accept();
}
