#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

#include "DialogDriving.h"
#include "QtTestApp.h"
#include "settings/ProgramPaths.h"
#include "soundcard/CalibrationForm.h"
#include "soundcard/VirtualSoundDevices.h"
#include "soundcard/ui/CalibrationDlg.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

// "New" shows the new record; typed fields reach the form before "Save As..." writes them; "Save"
// is enabled once there is a current file.
TEST(CalibrationDlg, NewTypedAndSavedAs)
{
    qtApp();
    TempFolder folder;
    std::filesystem::create_directories(folder.path / "calibration");
    ScriptedUi ui;
    VirtualSoundDevices devices({"Line in"}, {});
    CalibrationForm form(ui, devices, ProgramPaths(folder.path, true), folder.path / "calibration" / "none.cal");
    CalibrationDlg dialog(form);
    EXPECT_EQ(dialog.windowTitle(), "Calibration");
    QPushButton* save = labelled(dialog, "Save");
    ASSERT_NE(save, nullptr);
    EXPECT_FALSE(save->isEnabled());
    labelled(dialog, "New")->click();
    const auto edits = dialog.findChildren<QLineEdit*>();
    ASSERT_GE(edits.size(), 5);
    EXPECT_EQ(edits[0]->text().toStdString(), form.inputLevel1Text);
    EXPECT_EQ(labelled(dialog, "Measure input signal now!") != nullptr, true);

    // The level field is the third edit: 2.5 units stand for the reference.
    type(edits[2], "2.5");
    const std::filesystem::path target = folder.path / "calibration" / "mic.cal";
    ui.saveAnswers.push_back(target.string());
    labelled(dialog, "Save As...")->click();
    ASSERT_TRUE(std::filesystem::exists(target));
    EXPECT_EQ(form.edited().calibrationLevel, 2.5);
    EXPECT_TRUE(save->isEnabled());
    bool labelShown = false;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        labelShown = labelShown || label->text().toStdString() == form.fileLabel();
    EXPECT_TRUE(labelShown);
}
