#include "tree/ui/ExtractOdDoDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "tree/ExtractOdDoForm.h"

ExtractOdDoDlg::ExtractOdDoDlg(ExtractOdDoForm& form, QWidget* parent)
    : QDialog(parent), form_(form), from_(new QLineEdit(QString::fromStdString(form.fromText), this)),
      to_(new QLineEdit(QString::fromStdString(form.toText), this))
{
    setWindowTitle("Extract");
    auto* fields = new QFormLayout;
    fields->addRow("From:", from_);
    fields->addRow("To:", to_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ExtractOdDoDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
}

bool ExtractOdDoDlg::run(ExtractOdDoForm& form, QWidget* parent)
{
    ExtractOdDoDlg dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
}

void ExtractOdDoDlg::accept()
{
    form_.fromText = from_->text().toStdString();
    form_.toText = to_->text().toStdString();
    if (form_.accept())
        QDialog::accept();
}
