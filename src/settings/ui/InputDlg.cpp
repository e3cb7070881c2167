#include "settings/ui/InputDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

InputDlg::InputDlg(const QString& caption, const QString& label, const QString& initial, int maxLength,
                   QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(this))
{
    setWindowTitle(caption);
    if (maxLength > 0)
        edit_->setMaxLength(maxLength);
    edit_->setText(initial);
    edit_->selectAll();

    auto* prompt = new QLabel(label, this);
    prompt->setBuddy(edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    setMinimumWidth(300);
}

QString InputDlg::text() const
{
    return edit_->text();
}
