#include "soundcard/ui/CalibrationDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <vector>

#include "base/ui/DialogFields.h"
#include "soundcard/CalibrationForm.h"

using DialogFields::editOf;
using DialogFields::listOf;

CalibrationDlg::CalibrationDlg(CalibrationForm& form, QWidget* parent)
    : QDialog(parent), form_(form), input1_(editOf("", CalibrationForm::LevelLength, this)),
      input2_(editOf("", CalibrationForm::LevelLength, this)), measure_(new QPushButton(this)),
      level_(editOf("", CalibrationForm::LevelLength, this)), units_(editOf("", CalibrationForm::UnitsLength, this)),
      type_(listOf(std::vector<std::string>(CalibrationForm::TypeNames.begin(), CalibrationForm::TypeNames.end()),
                   form.type, this)),
      offset_(editOf("", CalibrationForm::OffsetLength, this)), save_(new QPushButton("Save", this)),
      file_(new QLabel(this))
{
    setWindowTitle("Calibration");
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Channel1:", this), 0, 0);
    grid->addWidget(input1_, 0, 1);
    grid->addWidget(new QLabel("%", this), 0, 2);
    grid->addWidget(new QLabel("Channel2:", this), 1, 0);
    grid->addWidget(input2_, 1, 1);
    grid->addWidget(new QLabel("%", this), 1, 2);
    grid->addWidget(measure_, 0, 3, 2, 1);
    grid->addWidget(new QLabel("Level:", this), 2, 0);
    grid->addWidget(level_, 2, 1);
    grid->addWidget(new QLabel("Units:", this), 2, 2);
    grid->addWidget(units_, 2, 3);
    grid->addWidget(type_, 3, 1);
    grid->addWidget(new QLabel("Offset:", this), 4, 0);
    grid->addWidget(offset_, 4, 1);

    auto* newFile = new QPushButton("New", this);
    auto* saveAs = new QPushButton("Save As...", this);
    auto* load = new QPushButton("Load...", this);
    auto* close = new QPushButton("Close", this);
    auto* files = new QHBoxLayout;
    for (QPushButton* button : {newFile, saveAs, save_, load, close})
        files->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(file_);
    layout->addLayout(files);

    // Each command reads the fields first, so it works on what the person typed.
    const auto command = [this](void (CalibrationForm::*action)()) {
        return [this, action] {
            readFields();
            (form_.*action)();
            showFields();
        };
    };
    connect(newFile, &QPushButton::clicked, this, command(&CalibrationForm::newCalibration));
    connect(saveAs, &QPushButton::clicked, this, command(&CalibrationForm::saveAs));
    connect(save_, &QPushButton::clicked, this, command(&CalibrationForm::save));
    connect(load, &QPushButton::clicked, this, command(&CalibrationForm::load));
    connect(measure_, &QPushButton::clicked, this, command(&CalibrationForm::toggleMeasuring));
    connect(close, &QPushButton::clicked, this, &CalibrationDlg::accept);
    form.showFields = [this] { showFields(); };
    showFields();
}

bool CalibrationDlg::run(CalibrationForm& form, QWidget* parent)
{
    CalibrationDlg dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
}

void CalibrationDlg::showFields()
{
    input1_->setText(QString::fromStdString(form_.inputLevel1Text));
    input2_->setText(QString::fromStdString(form_.inputLevel2Text));
    level_->setText(QString::fromStdString(form_.levelText));
    units_->setText(QString::fromStdString(form_.unitsText));
    type_->setCurrentIndex(form_.type);
    offset_->setText(QString::fromStdString(form_.offsetText));
    measure_->setText(QString::fromStdString(form_.measureButtonText()));
    save_->setEnabled(form_.saveEnabled());
    file_->setText(QString::fromStdString(form_.fileLabel()));
}

void CalibrationDlg::readFields()
{
    form_.inputLevel1Text = input1_->text().toStdString();
    form_.inputLevel2Text = input2_->text().toStdString();
    form_.levelText = level_->text().toStdString();
    form_.unitsText = units_->text().toStdString();
    form_.type = type_->currentIndex();
    form_.offsetText = offset_->text().toStdString();
}

void CalibrationDlg::accept()
{
    readFields();
    if (form_.accept())
        QDialog::accept();
    else
        showFields();
}

// The window's close button is "Close" too: the save question comes first.
void CalibrationDlg::reject()
{
    accept();
}
