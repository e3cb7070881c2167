#include "tree/ui/StepChangeDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "tree/StepChangeForm.h"

StepChangeDlg::StepChangeDlg(StepChangeForm& form, QWidget* parent)
    : QDialog(parent), form_(form), samples_(new QLineEdit(this)), seconds_(new QLineEdit(this))
{
    setWindowTitle("Step change");
    samples_->setText(QString::fromStdString(form.samplesText));
    seconds_->setText(QString::fromStdString(form.secondsText));
    // textEdited fires only for typing, so rewriting the other field does not echo back.
    connect(samples_, &QLineEdit::textEdited, this, &StepChangeDlg::samplesEdited);
    connect(seconds_, &QLineEdit::textEdited, this, &StepChangeDlg::secondsEdited);

    auto* fields = new QFormLayout;
    fields->addRow("Step (samples) :", samples_);
    fields->addRow("Step (sec) :", seconds_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &StepChangeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
}

bool StepChangeDlg::run(StepChangeForm& form, QWidget* parent)
{
    StepChangeDlg dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
}

void StepChangeDlg::samplesEdited(const QString& text)
{
    form_.samplesText = text.toStdString();
    form_.samplesEdited();
    seconds_->setText(QString::fromStdString(form_.secondsText));
}

void StepChangeDlg::secondsEdited(const QString& text)
{
    form_.secondsText = text.toStdString();
    form_.secondsEdited();
    samples_->setText(QString::fromStdString(form_.samplesText));
}

void StepChangeDlg::accept()
{
    form_.samplesText = samples_->text().toStdString();
    if (form_.accept())
        QDialog::accept();
}
