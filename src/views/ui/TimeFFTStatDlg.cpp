#include "views/ui/TimeFFTStatDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "views/TimeFFTStatForm.h"

TimeFFTStatDlg::TimeFFTStatDlg(TimeFFTStatForm& form, QWidget* parent)
    : QDialog(parent), form_(form), sets_(new QListWidget(this)), results_(new QPlainTextEdit(this))
{
    setWindowTitle("Time FFT statistic");
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("From", this), 0, 0);
    layout->addWidget(new QLabel("To", this), 0, 1);
    for (std::size_t band = 0; band < TimeFFTStatForm::Bands; ++band) {
        from_[band] = new QLineEdit(this);
        to_[band] = new QLineEdit(this);
        from_[band]->setMaxLength(int(TimeFFTStatForm::FieldLength));
        to_[band]->setMaxLength(int(TimeFFTStatForm::FieldLength));
        layout->addWidget(from_[band], int(band) + 1, 0);
        layout->addWidget(to_[band], int(band) + 1, 1);
    }
    for (const BandSet& set : form.sets())
        sets_->addItem(QString::fromStdString(set.name));
    layout->addWidget(sets_, 1, 2, int(TimeFFTStatForm::Bands), 1);
    results_->setReadOnly(true);
    // Tab stops every 70 dialog units, about 17.5 average characters.
    results_->setTabStopDistance(QFontMetrics(results_->font()).averageCharWidth() * 17.5);
    layout->addWidget(results_, int(TimeFFTStatForm::Bands) + 1, 0, 1, 3);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* calculate = buttons->addButton("Calculate", QDialogButtonBox::ActionRole);
    QPushButton* toClipboard = buttons->addButton("Send to Clipboard", QDialogButtonBox::ActionRole);
    layout->addWidget(buttons, int(TimeFFTStatForm::Bands) + 2, 0, 1, 3);

    connect(calculate, &QPushButton::clicked, this, [this] {
        readFields();
        form_.calculate();
        showForm();
    });
    connect(toClipboard, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(results_->toPlainText()); });
    connect(sets_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0)
            return;
        form_.chooseSet(std::size_t(row));
        showForm();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    if (!form.sets().empty())
        sets_->setCurrentRow(0);
    showForm();
}

bool TimeFFTStatDlg::run(TimeFFTStatForm& form, QWidget* parent)
{
    TimeFFTStatDlg dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
}

void TimeFFTStatDlg::readFields()
{
    for (std::size_t band = 0; band < TimeFFTStatForm::Bands; ++band) {
        form_.fromText[band] = from_[band]->text().toStdString();
        form_.toText[band] = to_[band]->text().toStdString();
    }
}

void TimeFFTStatDlg::showForm()
{
    for (std::size_t band = 0; band < TimeFFTStatForm::Bands; ++band) {
        from_[band]->setText(QString::fromStdString(form_.fromText[band]));
        to_[band]->setText(QString::fromStdString(form_.toText[band]));
    }
    results_->setPlainText(QString::fromStdString(form_.results()));
}
