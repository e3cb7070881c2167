#include "soundcard/ui/AQDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "base/ui/DialogFields.h"
#include "soundcard/AQForm.h"

using DialogFields::editOf;
using DialogFields::listOf;

namespace {
// A field with words before and after it on one row.
QWidget* between(const QString& before, QWidget* field, const QString& after, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!before.isEmpty())
        layout->addWidget(new QLabel(before, row));
    layout->addWidget(field);
    layout->addWidget(new QLabel(after, row));
    layout->addStretch();
    return row;
}

std::string textOf(const QLineEdit* edit)
{
    return edit->text().toStdString();
}
}  // namespace

AQDlg::AQDlg(AQForm& form, QWidget* parent)
    : QDialog(parent), form_(form), source_(listOf(form.sourceEntries, form.source, this)),
      calibration_(listOf(form.calibrationEntries, form.calibration, this)),
      channels_(listOf(form.channelEntries, form.channels, this)), rates_(new QComboBox(this)),
      customRate_(editOf(form.customRateText, AQForm::CustomRateLength, this)), custom_(new QPushButton(this)),
      windowLength_(editOf(form.windowLengthText, 0, this)), recordingLength_(editOf(form.recordingLengthText, 0, this)),
      decimation_(listOf(form.decimationEntries, form.decimation, this)), resultingRate_(new QLabel(this)),
      triggerOn_(new QCheckBox("Start recording after trigger", this)),
      triggerChannel_(listOf(form.triggerChannelEntries, form.triggerChannel, this)),
      threshold_(editOf(form.thresholdText, 0, this)),
      reArm_(new QCheckBox("Re-Arm trigger after each recorded block", this)),
      skip_(editOf(form.skipText, AQForm::SkipLength, this))
{
    setWindowTitle(QString::fromStdString(form.caption));
    triggerOn_->setChecked(form.triggerOn);
    reArm_->setChecked(form.reArm);

    auto* rateRow = new QWidget(this);
    auto* rateLayout = new QHBoxLayout(rateRow);
    rateLayout->setContentsMargins(0, 0, 0, 0);
    rateLayout->addWidget(rates_);
    rateLayout->addWidget(customRate_);
    rateLayout->addWidget(custom_);

    auto* layout = new QFormLayout(this);
    layout->addRow("Source:", source_);
    layout->addRow("Calibration file:", calibration_);
    layout->addRow("Channels:", channels_);
    layout->addRow("Sample rate (Hz):", rateRow);
    layout->addRow("Window length:", between({}, windowLength_, "samples", this));
    layout->addRow("Recording length:", between({}, recordingLength_, "seconds ( 0 for monitoring only)", this));
    layout->addRow(between("Use decimation with", decimation_, " : 1 ratio", this));
    layout->addRow(resultingRate_);
    layout->addRow(triggerOn_);
    layout->addRow("Trigger on channel:", triggerChannel_);
    layout->addRow("Threshold (% full scale):", threshold_);
    layout->addRow(reArm_);
    layout->addRow(between("Skip first", skip_, "samples after the trigger", this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addRow(buttons);
    showRates();

    const auto refill = [this] {
        readFields();
        form_.fillRates();
        showRates();
    };
    connect(source_, &QComboBox::activated, this, refill);
    connect(channels_, &QComboBox::activated, this, refill);
    connect(rates_, &QComboBox::activated, this, [this] {
        readFields();
        showDerived();
    });
    connect(decimation_, &QComboBox::activated, this, [this] {
        readFields();
        showDerived();
    });
    connect(customRate_, &QLineEdit::textEdited, this, [this] {
        readFields();
        showDerived();
    });
    connect(custom_, &QPushButton::clicked, this, [this] {
        readFields();
        form_.toggleCustomRate();
        showDerived();
    });
    connect(reArm_, &QCheckBox::toggled, this, [this] {
        readFields();
        showDerived();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &AQDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool AQDlg::run(AQForm& form, QWidget* parent)
{
    AQDlg dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
}

void AQDlg::showRates()
{
    rates_->clear();
    for (const std::string& entry : form_.rateEntries)
        rates_->addItem(QString::fromStdString(entry));
    rates_->setCurrentIndex(form_.rate);
    showDerived();
}

void AQDlg::showDerived()
{
    rates_->setVisible(!form_.customRate);
    customRate_->setVisible(form_.customRate);
    custom_->setText(QString::fromStdString(form_.customButtonText()));
    resultingRate_->setText(QString::fromStdString(form_.resultingRateText()));
    recordingLength_->setEnabled(form_.recordingLengthEnabled());
}

void AQDlg::readFields()
{
    form_.source = source_->currentIndex();
    form_.calibration = calibration_->currentIndex();
    form_.channels = channels_->currentIndex();
    form_.rate = rates_->currentIndex();
    form_.customRateText = textOf(customRate_);
    form_.windowLengthText = textOf(windowLength_);
    form_.recordingLengthText = textOf(recordingLength_);
    form_.decimation = decimation_->currentIndex();
    form_.triggerOn = triggerOn_->isChecked();
    form_.triggerChannel = triggerChannel_->currentIndex();
    form_.thresholdText = textOf(threshold_);
    form_.reArm = reArm_->isChecked();
    form_.skipText = textOf(skip_);
}

void AQDlg::accept()
{
    readFields();
    if (form_.accept())
        QDialog::accept();
}
