#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "DialogDriving.h"
#include "QtTestApp.h"
#include "app/NumberLocale.h"
#include "base/FormatText.h"
#include "fileio/SampleRateForm.h"
#include "fileio/ui/SampleRateDlg.h"
#include "settings/FFTDefaultsForm.h"
#include "settings/SmoothingForm.h"
#include "settings/SpectralSettingsIni.h"
#include "settings/ui/FFTDefaultsDlg.h"
#include "settings/ui/SmoothingDlg.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "support/ScriptedUi.h"
#include "support/CommaLocale.h"
#include "tree/ExtractOdDoForm.h"
#include "tree/FilterForm.h"
#include "tree/StepChangeForm.h"
#include "tree/ui/ExtractOdDoDlg.h"
#include "tree/ui/FilterDlg.h"
#include "tree/ui/StepChangeDlg.h"
#include "views/YAxisForm.h"
#include "views/ui/YAxisDlg.h"

namespace {
// A German desktop: the C library and Qt both write "0,5" until the program says otherwise.
class CommaLocaleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qtApp();
        previousQt_ = QLocale();
        REQUIRE_COMMA_LOCALE(german_);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        ASSERT_EQ(QLocale().toString(0.5), "0,5") << "the comma locale is in force";
        useCNumberLocale();
    }

    void TearDown() override { QLocale::setDefault(previousQt_); }

    // 1000 samples at 1000 Hz: X 0 ... 0.999.
    static std::unique_ptr<Signal> signal()
    {
        const std::vector<float> samples(1000, 1.0f);
        return std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(), 1000u, 1000.0L);
    }

    // The dialogs without labelled rows: their edits in the order they show them.
    static QLineEdit* field(QWidget& dialog, int index) { return dialog.findChildren<QLineEdit*>().value(index); }

    ScriptedUi ui_;

private:
    CommaLocale german_;
    QLocale previousQt_;
};
}  // namespace

TEST_F(CommaLocaleTest, NumbersAreWrittenAndReadWithAPoint)
{
    EXPECT_EQ(formatText("%.5Lf", 0.03L), "0.03000");
    EXPECT_EQ(formatText("%.6E", 1.5), "1.500000E+00");
    EXPECT_EQ(std::strtod("0.5", nullptr), 0.5);
    EXPECT_EQ(QLocale().toString(0.5), "0.5");
    bool ok = false;
    EXPECT_EQ(QLocale().toDouble("0.5", &ok), 0.5);
    EXPECT_TRUE(ok);
    // Texts, dates and the rest of the desktop's language stay as they are.
    EXPECT_EQ(std::string(std::setlocale(LC_CTYPE, nullptr)), "de_DE.UTF-8");
}

TEST_F(CommaLocaleTest, StepAndSampleRateDialogs)
{
    StepChangeForm step(30, 1000);
    StepChangeDlg stepDialog(step);
    EXPECT_EQ(fieldOf(stepDialog, "Step (sec) :")->text(), "0.03000");
    type(fieldOf(stepDialog, "Step (sec) :"), "0.5");
    EXPECT_EQ(fieldOf(stepDialog, "Step (samples) :")->text(), "500");
    standardButton(stepDialog, QDialogButtonBox::Ok)->click();
    EXPECT_EQ(step.step(), 500u);

    SampleRateForm rate;
    SampleRateDlg rateDialog(rate);
    type(fieldOf(rateDialog, "Sample rate:"), "0.5");
    labelled(rateDialog, "&OK")->click();
    EXPECT_EQ(rateDialog.result(), QDialog::Accepted);
    EXPECT_EQ(rate.rate, 0.5L);
}

TEST_F(CommaLocaleTest, AxesDialog)
{
    std::vector<std::pair<float, float>> previews;
    YAxisForm::Window hooks;
    hooks.previewRange = [&previews](float max, float min) { previews.emplace_back(max, min); };
    hooks.setFixed = [](bool) {};
    hooks.setAxes = [](bool) {};
    YAxisForm::Settings settings;
    settings.max = 1.5f;
    settings.min = -0.25f;
    YAxisForm form(settings, hooks);
    YAxisDlg dialog(form);
    EXPECT_EQ(fieldOf(dialog, "Max :")->text(), "1.500000E+00");
    EXPECT_EQ(fieldOf(dialog, "Min :")->text(), "-2.500000E-01");
    type(fieldOf(dialog, "Max :"), "0.5");
    ASSERT_FALSE(previews.empty());
    EXPECT_EQ(previews.back(), (std::pair{0.5f, -0.25f}));
}

TEST_F(CommaLocaleTest, SpectralDefaultsAndSmoothingDialogs)
{
    FFTDefaultsForm spectral(ui_, builtInSpectralDefaults({}), FFTDefaultsForm::Context::Defaults);
    FFTDefaultsDlg spectralDialog(spectral);
    type(field(spectralDialog, 0), "2.5");
    standardButton(spectralDialog, QDialogButtonBox::Ok)->click();
    EXPECT_EQ(spectralDialog.result(), QDialog::Accepted);
    EXPECT_EQ(spectral.result().removePeaksVal, 2);

    SmoothingForm smoothing(ui_, 0, 5);
    SmoothingDlg smoothingDialog(smoothing);
    type(fieldOf(smoothingDialog, "Length:"), "2.7");
    standardButton(smoothingDialog, QDialogButtonBox::Ok)->click();
    EXPECT_EQ(smoothingDialog.result(), QDialog::Accepted);
    EXPECT_EQ(smoothing.lengthValue(), 2.7L);
    EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(CommaLocaleTest, FilterAndExtractDialogs)
{
    const auto source = signal();
    // 1000 Hz over 1024 points: the lowest band the filter hands on starts at 0.9765625 Hz.
    FilterForm filter = FilterForm::forSignal(*source);
    EXPECT_EQ(filter.handedFrom(), "0.976562");
    FilterDlg filterDialog(filter);
    EXPECT_EQ(fieldOf(filterDialog, "To (Hz) :")->text(), "500.000000");
    type(fieldOf(filterDialog, "From (Hz) :"), "12.5");
    standardButton(filterDialog, QDialogButtonBox::Ok)->click();
    ASSERT_EQ(filterDialog.result(), QDialog::Accepted);
    EXPECT_EQ(filter.parameters()[0], 12.5L);

    ExtractOdDoForm extract = ExtractOdDoForm::forSignal(*source);
    ExtractOdDoDlg extractDialog(extract);
    EXPECT_EQ(fieldOf(extractDialog, "From:")->text(), "0.000000");
    EXPECT_EQ(fieldOf(extractDialog, "To:")->text(), "0.999000");
    type(fieldOf(extractDialog, "From:"), "0.25");
    type(fieldOf(extractDialog, "To:"), "0.5");
    standardButton(extractDialog, QDialogButtonBox::Ok)->click();
    ASSERT_EQ(extractDialog.result(), QDialog::Accepted);
    EXPECT_EQ(extract.from(), 0.25L);
    EXPECT_EQ(extract.to(), 0.5L);
}
