#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <vector>

#include "DialogDriving.h"
#include "QtTestApp.h"
#include "dsp/TapWindow.h"
#include "settings/SpectralSettingsIni.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "views/FFTSignal.h"
#include "views/TimeFFTStatForm.h"
#include "views/ui/TimeFFTStatDlg.h"

TEST(TimeFFTStatDlg, ShowsTheSetsComputesAndSendsTheResultsToTheClipboard)
{
    qtApp();
    std::vector<float> samples(4000);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(i % 7) - 3;
    const Signal parent(nullptr, SignalKind::FileSignal, samples.data(), 4000, 8000);
    FFTSignal data;
    TapWindow tap;
    ASSERT_EQ(data.createTimeFFT(parent, {256, 10, 15, 3, 31.25L, 4000}, builtInSpectralDefaults({}), tap),
              FFTSignal::Result::Done);
    TimeFFTStatForm form(data, std::string(MARLUNE_SOURCE_DIR) + "/resources/tfftstat.rng");
    TimeFFTStatDlg dialog(form);
    auto* sets = dialog.findChild<QListWidget*>();
    ASSERT_NE(sets, nullptr);
    EXPECT_EQ(sets->item(0)->text(), "octaves");
    auto* results = dialog.findChild<QPlainTextEdit*>();
    ASSERT_NE(results, nullptr);
    // The edit shows the lines with the desktop's line ends.
    EXPECT_EQ(results->toPlainText(), QString::fromStdString(form.results()).remove('\r'));

    const auto edits = dialog.findChildren<QLineEdit*>();
    ASSERT_EQ(edits.size(), 10);
    type(edits[0], "200");
    type(edits[1], "200");
    labelled(dialog, "Calculate")->click();
    EXPECT_TRUE(results->toPlainText().contains("****\t***"));
    labelled(dialog, "Send to Clipboard")->click();
    EXPECT_EQ(QApplication::clipboard()->text(), results->toPlainText());
}
