#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <map>

#include "DialogDriving.h"
#include "QtTestApp.h"
#include "settings/FFTDefaultsForm.h"
#include "settings/SpectralSettingsIni.h"
#include "settings/ui/FFTDefaultsDlg.h"
#include "support/ScriptedUi.h"

TEST(FFTDefaultsDlg, ShowsTheRecordAndStaysOpenOnWrongSettings)
{
    qtApp();
    ScriptedUi ui;
    FFTDefaultsForm form(ui, builtInSpectralDefaults({}), FFTDefaultsForm::Context::Defaults);
    FFTDefaultsDlg dialog(form);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Spectral analysis defaults");
    ASSERT_NE(labelled<QRadioButton>(dialog, "Magnitude (M)"), nullptr);
    EXPECT_TRUE(labelled<QRadioButton>(dialog, "Magnitude (M)")->isChecked());
    EXPECT_TRUE(labelled<QRadioButton>(dialog, "Instantaneous spectrum (no averaging)")->isChecked());
    const auto lists = dialog.findChildren<QComboBox*>();
    ASSERT_EQ(lists.size(), 4);
    EXPECT_EQ(lists.back()->currentText(), "95");

    const auto fields = dialog.findChildren<QLineEdit*>();
    ASSERT_EQ(fields.size(), 3);
    EXPECT_EQ(fields[0]->text(), "2");
    EXPECT_EQ(fields[2]->text(), "15");
    fields[1]->setText("100");
    auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    ok->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"Wrong settings !!"});

    fields[1]->setText("4");
    labelled<QRadioButton>(dialog, "Averaged spectrum on last")->setChecked(true);
    labelled<QRadioButton>(dialog, "Power spectral density (PSD)")->setChecked(true);
    lists.back()->setCurrentIndex(1);
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.result().type, 1);
    EXPECT_EQ(form.result().average, 4);
    EXPECT_EQ(form.result().show, 6);
    EXPECT_EQ(form.result().testPeaksLevel, 1);
}

TEST(FFTDefaultsDlg, TimeFftContextLocksTheExpansion)
{
    qtApp();
    ScriptedUi ui;
    FFTDefaultsForm form(ui, builtInSpectralDefaults({}), FFTDefaultsForm::Context::TimeFFT);
    FFTDefaultsDlg dialog(form);
    const auto lists = dialog.findChildren<QComboBox*>();
    ASSERT_EQ(lists.size(), 4);
    EXPECT_FALSE(lists[1]->isEnabled());
    EXPECT_TRUE(lists[0]->isEnabled());
}

namespace {
// The settings of a calculator whose spectra were made in every way the dialog can show.
SpectralSettings everythingOn()
{
    SpectralSettings s = builtInSpectralDefaults({});
    s.doExpandWithZeros = 1;
    s.expandWithZerosVal = 2;
    s.doTestPeaks = 1;
    s.testPeaksLevel = 1;
    s.show = 3;
    s.average = 7;
    return s;
}

// The list beside a check box, by the check box's text; the dialog makes them in this order.
QComboBox* listAfter(FFTDefaultsDlg& dialog, const QString& box)
{
    const QStringList order{"Apply window:", "Expand with zeros by factor", "Smooth with:", "Test for:"};
    const auto lists = dialog.findChildren<QComboBox*>();
    EXPECT_EQ(lists.size(), order.size());
    return lists.value(order.indexOf(box));
}
}  // namespace

TEST(FFTDefaultsDlg, CalculatorContextLeavesOnlyMagnitudesAndThePreparationToChoose)
{
    qtApp();
    ScriptedUi ui;
    FFTDefaultsForm form(ui, everythingOn(), FFTDefaultsForm::Context::Calculator);
    FFTDefaultsDlg dialog(form);
    dialog.show();

    // Controls 112, 113, 1160, 119, 120, 121 (all results but the magnitude and its dB), 105 and 106 (zero
    // expansion), 116 and 117 (peak test) are disabled; everything else can be changed.
    const std::map<QString, bool> buttons{{"Real part", false},
                                          {"Imaginary part", false},
                                          {"Magnitude (M)", true},
                                          {"dB [ 20*log(M) ]", true},
                                          {"Phase", false},
                                          {"dB: Max=0dB [ 20*log(M/Mmax) ]", false},
                                          {"Power spectral density (PSD)", false},
                                          {"Power spectrum (Welch's method)", false},
                                          {"Instantaneous spectrum (no averaging)", true},
                                          {"Averaged spectrum on last", true}};
    for (const auto& [text, enabled] : buttons) {
        ASSERT_NE(labelled<QRadioButton>(dialog, text), nullptr) << text.toStdString();
        EXPECT_EQ(labelled<QRadioButton>(dialog, text)->isEnabled(), enabled) << text.toStdString();
    }
    const std::map<QString, bool> boxes{{"Subtract mean", true},  {"Remove linear trend", true},
                                        {"Remove values >", true}, {"Apply window:", true},
                                        {"Expand with zeros by factor", false}, {"Smooth with:", true},
                                        {"Test for:", false}};
    for (const auto& [text, enabled] : boxes) {
        ASSERT_NE(labelled<QCheckBox>(dialog, text), nullptr) << text.toStdString();
        EXPECT_EQ(labelled<QCheckBox>(dialog, text)->isEnabled(), enabled) << text.toStdString();
    }
    EXPECT_TRUE(listAfter(dialog, "Apply window:")->isEnabled());
    EXPECT_FALSE(listAfter(dialog, "Expand with zeros by factor")->isEnabled());
    EXPECT_TRUE(listAfter(dialog, "Smooth with:")->isEnabled());
    EXPECT_FALSE(listAfter(dialog, "Test for:")->isEnabled());
    for (const QLineEdit* field : dialog.findChildren<QLineEdit*>())
        EXPECT_TRUE(field->isEnabled());

    // What cannot be changed keeps its stored values and still shows them.
    EXPECT_TRUE(labelled<QCheckBox>(dialog, "Expand with zeros by factor")->isChecked());
    EXPECT_EQ(listAfter(dialog, "Expand with zeros by factor")->currentText(), "8");
    EXPECT_TRUE(labelled<QCheckBox>(dialog, "Test for:")->isChecked());
    EXPECT_EQ(listAfter(dialog, "Test for:")->currentText(), "99");
    EXPECT_TRUE(labelled<QRadioButton>(dialog, "dB [ 20*log(M) ]")->isChecked());

    labelled<QCheckBox>(dialog, "Subtract mean")->setChecked(true);
    listAfter(dialog, "Apply window:")->setCurrentIndex(2);
    labelled<QRadioButton>(dialog, "Magnitude (M)")->setChecked(true);
    labelled<QRadioButton>(dialog, "Averaged spectrum on last")->setChecked(true);
    const auto fields = dialog.findChildren<QLineEdit*>();
    ASSERT_EQ(fields.size(), 3);
    fields[1]->setText("12");
    standardButton(dialog, QDialogButtonBox::Ok)->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);

    SpectralSettings expected = everythingOn();
    expected.doNormalize = 1;
    expected.window = 2;
    expected.show = 2;
    expected.type = 1;
    expected.average = 12;
    EXPECT_EQ(form.result(), expected);
}

TEST(FFTDefaultsDlg, CalculatorContextKeepsAResultItCannotChoose)
{
    // A calculator whose spectra show the PSD: the button is checked but cannot be changed, and OK keeps it.
    qtApp();
    ScriptedUi ui;
    SpectralSettings settings = everythingOn();
    settings.show = 6;
    FFTDefaultsForm form(ui, settings, FFTDefaultsForm::Context::Calculator);
    FFTDefaultsDlg dialog(form);
    dialog.show();
    QRadioButton* psd = labelled<QRadioButton>(dialog, "Power spectral density (PSD)");
    EXPECT_TRUE(psd->isChecked());
    EXPECT_FALSE(psd->isEnabled());
    standardButton(dialog, QDialogButtonBox::Ok)->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.result(), settings);
}
