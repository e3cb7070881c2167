#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

#include "DialogDriving.h"
#include "QtTestApp.h"
#include "app/DialogRegistry.h"
#include "dsp/GeneratorParameters.h"
#include "support/ScriptedUi.h"
#include "tree/GenSigForm.h"
#include "tree/ui/GenSigDlg.h"

// The dialog shows the form's values, lets the form link and enable the fields, and copies edits back.
TEST(GenSigDlg, ShowsTheFormAndCopiesEditsBack)
{
    qtApp();
    ScriptedUi ui;
    GenSigForm form(ui, GeneratorParameters::initial());
    GenSigDlg dialog(form);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Signal generator");

    auto* function = dialog.findChild<QComboBox*>();
    ASSERT_NE(function, nullptr);
    ASSERT_EQ(function->count(), 9);
    EXPECT_EQ(function->itemText(8), "triangular");
    EXPECT_EQ(function->currentIndex(), 0);
    std::array<QLineEdit*, GenSigForm::FieldCount> fields{};
    for (int f = 0; f < GenSigForm::FieldCount; ++f) {
        fields[f] = fieldOf(dialog, GenSigForm::FieldLabels[f]);
        ASSERT_NE(fields[f], nullptr) << GenSigForm::FieldLabels[f];
        EXPECT_EQ(fields[f]->text().toStdString(), form.fields[f]);
        EXPECT_TRUE(fields[f]->isEnabled());
    }
    EXPECT_EQ(fields[GenSigForm::SampleRate]->text(), "8000.0000");

    type(fields[GenSigForm::Seconds], "0.25");
    EXPECT_EQ(fields[GenSigForm::Samples]->text(), "2000.0000");
    EXPECT_EQ(fields[GenSigForm::Seconds]->text(), "0.25") << "the field being typed keeps what was typed";

    function->setCurrentIndex(GeneratorParameters::Hanning);
    for (int f = 0; f < GenSigForm::FieldCount; ++f)
        EXPECT_EQ(fields[f]->isEnabled(), f == GenSigForm::Samples) << f;
    function->setCurrentIndex(GeneratorParameters::Random);
    EXPECT_FALSE(fields[GenSigForm::Frequency]->isEnabled());
    EXPECT_TRUE(fields[GenSigForm::Maximum]->isEnabled());

    // A refused OK keeps the dialog open with the message.
    type(fields[GenSigForm::Minimum], "1");
    standardButton(dialog, QDialogButtonBox::Ok)->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(ui.messageTexts(), (std::vector<std::string>{"Can't create signal with these parameters !!"}));

    type(fields[GenSigForm::Minimum], "-4");
    standardButton(dialog, QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.result().param,
              (std::array<long double, 10>{8000, 0.25L, 2000, 1, -4, 1000, GeneratorParameters::Random, 0, 0, 0}));
}

TEST(GenSigDlg, TheRegistryKnowsTheGeneratorDialog)
{
    const DialogRegistry registry;
    EXPECT_TRUE(registry.knows(GenSigForm::Name));
}
