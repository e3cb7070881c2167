#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "DialogDriving.h"
#include "QtTestApp.h"
#include "app/DialogRegistry.h"
#include "settings/SmoothingForm.h"
#include "settings/ui/SmoothingDlg.h"
#include "signal/FILTSignal.h"
#include "signal/SignalKind.h"
#include "support/ScriptedUi.h"
#include "tree/DerivedWindows.h"
#include "tree/ExtractOdDoForm.h"
#include "tree/FilterControlForm.h"
#include "tree/FilterForm.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "tree/ui/ExtractOdDoDlg.h"
#include "tree/ui/FilterControlDlg.h"
#include "tree/ui/FilterDlg.h"

TEST(SmoothingDlg, ShowsTheIntegerLengthAndRefusesALengthNotAboveZero)
{
    qtApp();
    ScriptedUi ui;
    SmoothingForm form(ui, 2, 2.7L);
    SmoothingDlg dialog(form);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Smoothing");
    auto* list = dialog.findChild<QComboBox*>();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->itemText(3), "Rectangle");
    EXPECT_EQ(list->currentText(), "Blackman");
    auto* length = dialog.findChild<QLineEdit*>();
    EXPECT_EQ(length->text(), "2");
    EXPECT_EQ(length->maxLength(), 3);

    length->setText("-1");
    standardButton(dialog, QDialogButtonBox::Ok)->click();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Length must be positive value!");
    EXPECT_EQ(ui.messages[0].caption, "Marlune");

    length->setText("2.7");
    list->setCurrentIndex(0);
    standardButton(dialog, QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.lengthValue(), 2.7L);
    EXPECT_EQ(form.type(), 0);
}

TEST(FilterDlg, OpensOnBandPassFromZeroAndDisablesTheUnusedField)
{
    qtApp();
    FilterForm form("7.812500", "4000.000000");
    FilterDlg dialog(form);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Filter");
    ASSERT_NE(labelled<QRadioButton>(dialog, "Bandpass"), nullptr);
    EXPECT_TRUE(labelled<QRadioButton>(dialog, "Bandpass")->isChecked());
    const auto fields = dialog.findChildren<QLineEdit*>();
    ASSERT_EQ(fields.size(), 2);
    EXPECT_EQ(fields[0]->text(), "0");
    EXPECT_EQ(fields[1]->text(), "4000.000000");

    fields[0]->setText("50");
    labelled<QRadioButton>(dialog, "Lowpass")->click();
    EXPECT_EQ(fields[0]->text(), "0");
    EXPECT_FALSE(fields[0]->isEnabled());
    fields[1]->setText("300");
    labelled<QRadioButton>(dialog, "Highpass")->click();
    EXPECT_TRUE(fields[0]->isEnabled());
    EXPECT_FALSE(fields[1]->isEnabled());
    EXPECT_EQ(fields[1]->text(), "300");
    fields[0]->setText("120");
    standardButton(dialog, QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.parameters(), (PendingParameters{120, 300, 4}));
}

TEST(ExtractOdDoDlg, EditsFromAndToAndKeepsTheRangeInsideTheSignal)
{
    qtApp();
    ExtractOdDoForm form("0.5", "1.5");
    form.limitTo(0, 2);
    ExtractOdDoDlg dialog(form);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Extract");
    const auto fields = dialog.findChildren<QLineEdit*>();
    ASSERT_EQ(fields.size(), 2);
    EXPECT_EQ(fields[0]->text(), "0.5");
    fields[0]->setText("3");
    fields[1]->setText("-1");
    standardButton(dialog, QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.from(), 0);
    EXPECT_EQ(form.to(), 2);
}

TEST(FilterControlDlg, StepsTheFilterWindowAndClosesWithIt)
{
    qtApp();
    ScriptedUi ui;
    marluneMDIClient client(ui, "/nonexistent/");
    std::vector<float> v(1000);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = float(std::sin(0.2 * i));
    auto* parent = static_cast<marluneMDIChild*>(client.addWindow(std::make_unique<marluneMDIChild>(
        client, SignalKind::FileSignal,
        std::make_unique<Signal>(nullptr, SignalKind::FileSignal, v.data(), 1000u, 1024.0L))));
    auto* filtered = DerivedWindows::create(client, *parent, SignalKind::Filtered, {0, 200, 2});
    ASSERT_NE(filtered, nullptr);

    auto form = std::make_shared<FilterControlForm>(client, *filtered);
    FilterControlDlg dialog(form);
    dialog.show();
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.windowTitle(), "Filter control");
    const auto steppers = dialog.findChildren<QAbstractSpinBox*>();
    ASSERT_EQ(steppers.size(), 2);
    EXPECT_EQ(steppers[0]->text(), "0.000");
    EXPECT_EQ(steppers[1]->text(), "200.000");
    steppers[0]->stepUp();
    EXPECT_EQ(steppers[0]->text(), "1.000");
    EXPECT_EQ(static_cast<const FILTSignal&>(*filtered->signal()).fromFreq, 1);
    steppers[1]->stepDown();
    EXPECT_EQ(steppers[1]->text(), "199.000");

    client.closeWindow(filtered);
    steppers[1]->stepDown();
    EXPECT_FALSE(dialog.isVisible());

    // Commands reach the dialog through the registry, by the form's name.
    auto* another = DerivedWindows::create(client, *parent, SignalKind::Filtered, {0, 200, 2});
    ASSERT_NE(another, nullptr);
    const DialogRegistry registry;
    ASSERT_TRUE(registry.open(std::make_shared<FilterControlForm>(client, *another), nullptr));
    const auto opened = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->windowTitle() == "Filter control")
                return w;
        return static_cast<QWidget*>(nullptr);
    }();
    ASSERT_NE(opened, nullptr);
    EXPECT_FALSE(opened->isModal());
    opened->close();
}
