#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>

#include "DialogDriving.h"
#include "QtTestApp.h"
#include "support/ScriptedUi.h"
#include "views/TimeFFTForm.h"
#include "views/ui/TimeFFTDlg.h"

// The dialog shows the form's fields and lets the form link them as the person types.
TEST(TimeFFTDlg, ShowsTheFormAndLinksStepAndSegmentsAsThePersonTypes)
{
    qtApp();
    ScriptedUi ui;
    TimeFFTForm form(ui, 10000, 8000, false);
    TimeFFTDlg dialog(form);
    EXPECT_EQ(dialog.windowTitle(), "Time FFT");
    QLineEdit* segments = fieldOf(dialog, "No. of segments :");
    QLineEdit* step = fieldOf(dialog, "Step :");
    QLineEdit* from = fieldOf(dialog, "From");
    ASSERT_TRUE(segments && step && from);
    EXPECT_EQ(segments->text().toStdString(), form.segmentsText);
    EXPECT_EQ(from->text().toStdString(), form.fromText);

    type(segments, "10");
    EXPECT_EQ(step->text().toStdString(), form.stepText);
    EXPECT_EQ(segments->text(), "10") << "the field being typed keeps what was typed";
    type(step, "997");
    EXPECT_EQ(segments->text().toStdString(), form.segmentsText);

    auto* precision = dialog.findChild<QComboBox*>();
    ASSERT_NE(precision, nullptr);
    EXPECT_EQ(precision->count(), int(form.precisionEntries.size()));
    EXPECT_EQ(precision->currentIndex(), form.precision);
}

TEST(TimeFFTDlg, TheSpectrogramFormHidesTheViewLists)
{
    qtApp();
    ScriptedUi ui;
    TimeFFTForm form(ui, 4000, 8000, true);
    TimeFFTDlg dialog(form);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Spectrogram");
    int shownLists = 0;
    for (QComboBox* list : dialog.findChildren<QComboBox*>())
        shownLists += list->isVisible();
    EXPECT_EQ(shownLists, 1) << "only the precision list";
    dialog.close();
}
