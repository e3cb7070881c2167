#include "views/ui/TimeFFTDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include "base/ui/DialogFields.h"
#include "views/TimeFFTForm.h"

using DialogFields::editOf;
using DialogFields::listOf;

namespace {
// Only a field whose text really changed is written, so the one being typed in keeps its cursor.
void showText(QLineEdit* edit, const std::string& text)
{
    const QString shown = QString::fromStdString(text);
    if (edit->text() != shown)
        edit->setText(shown);
}
}  // namespace

TimeFFTDlg::TimeFFTDlg(TimeFFTForm& form, QWidget* parent)
    : QDialog(parent), form_(form), precision_(listOf(form.precisionEntries, form.precision, this)),
      segments_(editOf("", TimeFFTForm::CountLength, this)), step_(editOf("", TimeFFTForm::CountLength, this)),
      azimuth_(listOf(form.azimuthEntries, form.azimuth, this)),
      elevation_(listOf(form.elevationEntries, form.elevation, this)),
      from_(editOf("", TimeFFTForm::FrequencyLength, this)), to_(editOf("", TimeFFTForm::FrequencyLength, this))
{
    setWindowTitle(form.spectrogram() ? "Spectrogram" : "Time FFT");
    auto* layout = new QFormLayout(this);
    layout->addRow("FFT precision :", precision_);
    layout->addRow("No. of segments :", segments_);
    layout->addRow("Step :", step_);
    layout->addRow("Azimuth", azimuth_);
    layout->addRow("Elevation", elevation_);
    layout->addRow("From", from_);
    layout->addRow("To", to_);
    layout->setRowVisible(azimuth_, form.viewListsShown());
    layout->setRowVisible(elevation_, form.viewListsShown());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addRow(buttons);
    showFields();

    // The form rewrites the linked fields while its guard holds; only typing reaches it.
    form.showFields = [this] { showFields(); };
    connect(precision_, &QComboBox::activated, this, [this](int index) {
        readFields();
        form_.precision = index;
        form_.precisionChanged();
    });
    connect(segments_, &QLineEdit::textEdited, this, [this] {
        readFields();
        form_.segmentsEdited();
    });
    connect(step_, &QLineEdit::textEdited, this, [this] {
        readFields();
        form_.stepEdited();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &TimeFFTDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool TimeFFTDlg::run(TimeFFTForm& form, QWidget* parent)
{
    TimeFFTDlg dialog(form, parent);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    form.showFields = nullptr;
    return accepted;
}

void TimeFFTDlg::showFields()
{
    showText(segments_, form_.segmentsText);
    showText(step_, form_.stepText);
    showText(from_, form_.fromText);
    showText(to_, form_.toText);
}

void TimeFFTDlg::readFields()
{
    form_.precision = precision_->currentIndex();
    form_.segmentsText = segments_->text().toStdString();
    form_.stepText = step_->text().toStdString();
    form_.azimuth = azimuth_->currentIndex();
    form_.elevation = elevation_->currentIndex();
    form_.fromText = from_->text().toStdString();
    form_.toText = to_->text().toStdString();
}

void TimeFFTDlg::accept()
{
    readFields();
    if (form_.accept())
        QDialog::accept();
}
