#include "settings/ui/SmoothingDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "settings/SmoothingForm.h"

SmoothingDlg::SmoothingDlg(SmoothingForm& form, QWidget* parent)
    : QDialog(parent), form_(form), window_(new QComboBox(this)), length_(new QLineEdit(this))
{
    setWindowTitle("Smoothing");
    for (const char* name : SmoothingForm::WindowNames)
        window_->addItem(name);
    window_->setCurrentIndex(form.window);
    length_->setMaxLength(SmoothingForm::LengthChars);
    length_->setText(QString::fromStdString(form.length));

    auto* fields = new QFormLayout;
    fields->addRow("Weighting function:", window_);
    fields->addRow("Length:", length_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &SmoothingDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
}

bool SmoothingDlg::run(SmoothingForm& form, QWidget* parent)
{
    SmoothingDlg dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
}

void SmoothingDlg::accept()
{
    form_.window = window_->currentIndex();
    form_.length = length_->text().toStdString();
    if (form_.accept())
        QDialog::accept();
}
