#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "DialogDriving.h"
#include "QtTestApp.h"
#include "app/marluneApp.h"
#include "settings/PrivateProfile.h"
#include "settings/ProgramPaths.h"
#include "soundcard/AQForm.h"
#include "soundcard/VirtualSoundDevices.h"
#include "soundcard/ui/AQDlg.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

namespace {
QLabel* labelStartingWith(QWidget& dialog, const QString& start)
{
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text().startsWith(start))
            return label;
    return nullptr;
}
}  // namespace

TEST(AQDlg, CustomButtonSwapsTheRateListAndTheFieldAndRefusalsKeepItOpen)
{
    qtApp();
    TempFolder folder;
    ScriptedUi ui;
    VirtualSoundDevices devices({"Line in"}, {});
    AcquisitionSettings record;
    record.sampleRate = 8000;
    record.decimation = 10;
    AQForm form(ui, devices, ProgramPaths(folder.path, true), record);
    AQDlg dialog(form);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Sound card");

    QPushButton* custom = labelled(dialog, "Standard");
    ASSERT_NE(custom, nullptr);
    QLineEdit* rateField = nullptr;
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>())
        if (edit->maxLength() == AQForm::CustomRateLength)
            rateField = edit;
    ASSERT_NE(rateField, nullptr);
    EXPECT_TRUE(rateField->isVisible());
    EXPECT_EQ(rateField->text(), "8000");
    ASSERT_NE(labelStartingWith(dialog, "(resulting"), nullptr);
    EXPECT_EQ(labelStartingWith(dialog, "(resulting")->text(), "(resulting in sample rate = 800 Hz)");

    custom->click();
    EXPECT_EQ(custom->text(), "Custom");
    EXPECT_FALSE(rateField->isVisible());
    EXPECT_EQ(labelStartingWith(dialog, "(resulting")->text(), "(resulting in sample rate = 4410 Hz)");

    QCheckBox* reArm = labelled<QCheckBox>(dialog, "Re-Arm trigger after each recorded block");
    ASSERT_NE(reArm, nullptr);
    QLineEdit* recordingLength = fieldOf(dialog, "Recording length:");
    ASSERT_NE(recordingLength, nullptr);
    reArm->click();
    EXPECT_FALSE(recordingLength->isEnabled());
    reArm->click();
    EXPECT_TRUE(recordingLength->isEnabled());

    QLineEdit* threshold = fieldOf(dialog, "Threshold (% full scale):");
    ASSERT_NE(threshold, nullptr);
    type(threshold, "101");
    standardButton(dialog, QDialogButtonBox::Ok)->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{AQForm::Refusal});

    type(threshold, "-100");
    standardButton(dialog, QDialogButtonBox::Ok)->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(record.threshold, -100);
    EXPECT_EQ(record.sampleRate, 44100);
}

TEST(AQDlg, TheApplicationKeepsItsAcquisitionSettingsInTheDefaultsFile)
{
    qtApp();
    const std::string folder = scratchFolder("acquisitiondefaults");
    writeBytes(folder + "defaults.ini", "[Data acquisition defaults]\r\nSampleRate=48000\r\nNumberOfChannels=2\r\n");
    {
        marluneApp app(folder);
        EXPECT_EQ(app.acquisitionSettings().sampleRate, 48000);
        EXPECT_EQ(app.acquisitionSettings().channels, 2);
        app.acquisitionSettings().threshold = -40;
    }
    const PrivateProfile written(folder + "defaults.ini");
    EXPECT_EQ(written.getString("Data acquisition defaults", "SampleRate", ""), "48000");
    EXPECT_EQ(written.getString("Data acquisition defaults", "TriggerTreshold", ""), "-40");
    EXPECT_EQ(written.getString("Spectral analysis defaults", "FFT_TaperVal", ""), "20");
}
