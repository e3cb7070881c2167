#include "fileio/ui/SampleRateDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "fileio/SampleRateForm.h"

SampleRateDlg::SampleRateDlg(SampleRateForm& form, QWidget* parent)
    : QDialog(parent), form_(form), edit_(new QLineEdit(this))
{
    setWindowTitle("Sample rate");
    edit_->setMaxLength(SampleRateForm::MaxLength);
    edit_->setText(QString::fromStdString(form.text));

    auto* label = new QLabel("Sample rate:", this);
    label->setBuddy(edit_);
    auto* ok = new QPushButton("&OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &SampleRateDlg::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(edit_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

bool SampleRateDlg::run(SampleRateForm& form, QWidget* parent)
{
    SampleRateDlg dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
}

void SampleRateDlg::accept()
{
    form_.text = edit_->text().toStdString();
    if (form_.accept())
        QDialog::accept();
}
