#include "instruments/ui/ValShowDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/ui/DialogFields.h"
#include "instruments/InstrumentSettings.h"
#include "instruments/ValShowForm.h"

using DialogFields::editOf;

ValShowDlg::ValShowDlg(ValShowForm& form, QWidget* parent)
    : QDialog(parent), form_(form), circle_(new QRadioButton("Circle", this)),
      numeric_(new QRadioButton("Numeric", this)),
      rangeFrom_(editOf(form.rangeFromText, ValShowForm::RangeLength, this)),
      rangeTo_(editOf(form.rangeToText, ValShowForm::RangeLength, this)),
      units_(editOf(form.units, int(InstrumentSettings::UnitsWidth), this)),
      between_(new QRadioButton("Between", this)), outside_(new QRadioButton("Outside", this)),
      alarmFrom_(editOf(form.alarmFromText, ValShowForm::RangeLength, this)),
      alarmTo_(editOf(form.alarmToText, ValShowForm::RangeLength, this)),
      beep_(new QCheckBox("Beep on critical value", this)),
      application_(editOf(form.application, int(InstrumentSettings::ApplicationWidth), this)),
      interval_(new QComboBox(this)), markerOn_(new QCheckBox("Show marker in signal", this)),
      markerText_(editOf(form.markerText, int(InstrumentSettings::MarkerTextWidth), this)),
      showX_(new QCheckBox("Show X value", this)), showY_(new QCheckBox("Show Y value", this))
{
    setWindowTitle("Instrument properties");
    // A bar instrument shows neither type and stays a bar unless one is chosen.
    auto* types = new QButtonGroup(this);
    types->addButton(circle_);
    types->addButton(numeric_);
    types->setExclusive(false);
    circle_->setChecked(form.type == InstrumentSettings::Dial);
    numeric_->setChecked(form.type == InstrumentSettings::Numeric);
    connect(circle_, &QRadioButton::toggled, numeric_, [this](bool on) {
        if (on)
            numeric_->setChecked(false);
    });
    connect(numeric_, &QRadioButton::toggled, circle_, [this](bool on) {
        if (on)
            circle_->setChecked(false);
    });
    between_->setChecked(form.inner);
    outside_->setChecked(!form.inner);
    beep_->setChecked(form.beep);
    for (const ValShowForm::Interval& entry : ValShowForm::Intervals)
        interval_->addItem(entry.label);
    interval_->setCurrentIndex(form.interval ? int(*form.interval) : -1);
    markerOn_->setChecked(form.markerOn);
    showX_->setChecked(form.showMarkerX);
    showY_->setChecked(form.showMarkerY);
    for (QWidget* marker : std::initializer_list<QWidget*>{markerOn_, markerText_, showX_, showY_})
        marker->setEnabled(form.markerControlsEnabled());

    auto* typeBox = new QGroupBox("Type", this);
    auto* typeLayout = new QHBoxLayout(typeBox);
    typeLayout->addWidget(circle_);
    typeLayout->addWidget(numeric_);
    auto* range = new QHBoxLayout;
    range->addWidget(new QLabel("Range:", this));
    range->addWidget(rangeFrom_);
    range->addWidget(new QLabel("---", this));
    range->addWidget(rangeTo_);
    range->addWidget(new QLabel("Units:", this));
    range->addWidget(units_);
    auto* alarmBox = new QGroupBox(" Critical value range", this);
    auto* alarm = new QGridLayout(alarmBox);
    alarm->addWidget(between_, 0, 0);
    alarm->addWidget(outside_, 0, 1);
    alarm->addWidget(new QLabel("from:", this), 1, 0);
    alarm->addWidget(alarmFrom_, 1, 1);
    alarm->addWidget(new QLabel("to:", this), 1, 2);
    alarm->addWidget(alarmTo_, 1, 3);
    alarm->addWidget(beep_, 2, 0, 1, 4);
    alarm->addWidget(new QLabel("Execute this application on critical value:", this), 3, 0, 1, 4);
    alarm->addWidget(application_, 4, 0, 1, 4);
    alarm->addWidget(new QLabel("but not more than once in", this), 5, 0, 1, 2);
    alarm->addWidget(interval_, 5, 2, 1, 2);
    auto* markerBox = new QGroupBox(this);
    auto* marker = new QGridLayout(markerBox);
    marker->addWidget(markerOn_, 0, 0, 1, 2);
    marker->addWidget(new QLabel("Show text (max 16 char):", this), 1, 0);
    marker->addWidget(markerText_, 1, 1);
    marker->addWidget(showX_, 2, 0);
    marker->addWidget(showY_, 2, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(typeBox);
    layout->addLayout(range);
    layout->addWidget(alarmBox);
    layout->addWidget(markerBox);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &ValShowDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool ValShowDlg::run(ValShowForm& form, QWidget* parent)
{
    ValShowDlg dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
}

void ValShowDlg::accept()
{
    if (circle_->isChecked())
        form_.type = InstrumentSettings::Dial;
    else if (numeric_->isChecked())
        form_.type = InstrumentSettings::Numeric;
    form_.rangeFromText = rangeFrom_->text().toStdString();
    form_.rangeToText = rangeTo_->text().toStdString();
    form_.units = units_->text().toStdString();
    form_.inner = between_->isChecked();
    form_.alarmFromText = alarmFrom_->text().toStdString();
    form_.alarmToText = alarmTo_->text().toStdString();
    form_.beep = beep_->isChecked();
    form_.application = application_->text().toStdString();
    const int interval = interval_->currentIndex();
    form_.interval = interval >= 0 ? std::optional<std::size_t>(std::size_t(interval)) : std::nullopt;
    form_.markerOn = markerOn_->isChecked();
    form_.markerText = markerText_->text().toStdString();
    form_.showMarkerX = showX_->isChecked();
    form_.showMarkerY = showY_->isChecked();
    if (form_.accept())
        QDialog::accept();
}
