#include "tree/ui/GenSigDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

GenSigDlg::GenSigDlg(GenSigForm& form, QWidget* parent)
    : QDialog(parent), form_(form), function_(new QComboBox(this))
{
    setWindowTitle("Signal generator");
    auto* layout = new QFormLayout(this);
    for (const char* name : GenSigForm::FunctionNames)
        function_->addItem(name);
    function_->setCurrentIndex(form.function);
    layout->addRow("Function ", function_);
    for (int f = 0; f < GenSigForm::FieldCount; ++f) {
        fields_[f] = new QLineEdit(this);
        layout->addRow(GenSigForm::FieldLabels[f], fields_[f]);
        // textEdited fires for typing only; the form's own rewrites reach the widgets through showFields.
        connect(fields_[f], &QLineEdit::textEdited, this, [this, f] {
            readFields();
            form_.edited(GenSigForm::Field(f));
        });
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addRow(buttons);
    showFields();

    form.showFields = [this] { showFields(); };
    connect(function_, &QComboBox::currentIndexChanged, this, [this](int index) {
        form_.function = index;
        showFields();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &GenSigDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool GenSigDlg::run(GenSigForm& form, QWidget* parent)
{
    GenSigDlg dialog(form, parent);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    form.showFields = nullptr;
    return accepted;
}

void GenSigDlg::showFields()
{
    for (int f = 0; f < GenSigForm::FieldCount; ++f) {
        // Only a field whose text really changed is written, so the one being typed in keeps its cursor.
        const QString text = QString::fromStdString(form_.fields[f]);
        if (fields_[f]->text() != text)
            fields_[f]->setText(text);
        fields_[f]->setEnabled(form_.enabled(GenSigForm::Field(f)));
    }
}

void GenSigDlg::readFields()
{
    form_.function = function_->currentIndex();
    for (int f = 0; f < GenSigForm::FieldCount; ++f)
        form_.fields[f] = fields_[f]->text().toStdString();
}

void GenSigDlg::accept()
{
    readFields();
    if (form_.accept())
        QDialog::accept();
}
