#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "DialogDriving.h"
#include "QtTestApp.h"
#include "app/DialogRegistry.h"
#include "fileio/SampleRateForm.h"
#include "fileio/ui/SampleRateDlg.h"
#include "settings/ui/InputDlg.h"
#include "tree/StepChangeForm.h"
#include "tree/ui/StepChangeDlg.h"

namespace {
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { qtApp(); }
};
}  // namespace

TEST_F(DialogTest, SampleRateRefusesZeroAndAcceptsEightThousand)
{
    SampleRateForm form;
    SampleRateDlg dialog(form);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Sample rate");
    auto* edit = dialog.findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(edit->maxLength(), 11);
    ASSERT_NE(dialog.findChild<QLabel*>(), nullptr);
    EXPECT_EQ(dialog.findChild<QLabel*>()->text(), "Sample rate:");
    QPushButton* ok = labelled(dialog, "&OK");
    ASSERT_NE(ok, nullptr);

    type(edit, "0");
    ok->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    type(edit, "8000");
    ok->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.rate, 8000.0L);
}

TEST_F(DialogTest, StepChangeLinksSamplesAndSeconds)
{
    StepChangeForm form(30, 1000);
    StepChangeDlg dialog(form);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Step change");
    const auto edits = dialog.findChildren<QLineEdit*>();
    ASSERT_EQ(edits.size(), 2);
    QLineEdit* samples = edits[0];
    QLineEdit* seconds = edits[1];
    EXPECT_EQ(samples->text(), "30");
    EXPECT_EQ(seconds->text(), "0.03000");

    type(samples, "441");
    EXPECT_EQ(seconds->text(), "0.44100");
    type(seconds, "0.25");
    EXPECT_EQ(samples->text(), "250");

    labelled(dialog, "OK")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.step(), 250u);
}

TEST_F(DialogTest, StepChangeStaysOpenForAStepOfZero)
{
    StepChangeForm form(30, 1000);
    StepChangeDlg dialog(form);
    dialog.show();
    type(dialog.findChildren<QLineEdit*>()[0], "0");
    labelled(dialog, "OK")->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(form.step(), 30u);
}

TEST_F(DialogTest, InputDialogHonoursTheMaximumLength)
{
    InputDlg dialog("New title", "Window title:", "1#example.wav-1", 48);
    EXPECT_EQ(dialog.windowTitle(), "New title");
    EXPECT_EQ(dialog.findChild<QLabel*>()->text(), "Window title:");
    EXPECT_EQ(dialog.findChild<QLineEdit*>()->maxLength(), 48);
    EXPECT_EQ(dialog.text(), "1#example.wav-1");
    type(dialog.findChild<QLineEdit*>(), QString(60, 'a'));
    EXPECT_EQ(dialog.text().size(), 48);
}

TEST_F(DialogTest, RegistryKnowsTheDialogsOfTheForms)
{
    const DialogRegistry registry;
    EXPECT_TRUE(registry.knows("SampleRate"));
    EXPECT_TRUE(registry.knows("StepChange"));
    EXPECT_FALSE(registry.knows("NoSuchDialog"));
}
