#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

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
