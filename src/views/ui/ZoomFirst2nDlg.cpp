#include "views/ui/ZoomFirst2nDlg.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "views/ZoomFirst2nForm.h"

ZoomFirst2nDlg::ZoomFirst2nDlg(ZoomFirst2nForm& form, QWidget* parent)
    : QDialog(parent), form_(form), list_(new QListWidget(this))
{
    setWindowTitle("Zoom to power of 2");
    for (const std::string& entry : form.entries())
        list_->addItem(QString::fromStdString(entry));
    list_->setCurrentRow(form.chosen);
    connect(list_, &QListWidget::itemDoubleClicked, this, &ZoomFirst2nDlg::accept);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ZoomFirst2nDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

bool ZoomFirst2nDlg::run(ZoomFirst2nForm& form, QWidget* parent)
{
    ZoomFirst2nDlg dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
}

void ZoomFirst2nDlg::accept()
{
    form_.chosen = list_->currentRow();
    if (form_.accept())
        QDialog::accept();
}
