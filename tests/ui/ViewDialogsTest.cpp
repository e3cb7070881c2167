#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <memory>
#include <utility>
#include <vector>

#include "DialogDriving.h"
#include "QtTestApp.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "support/ScriptedUi.h"
#include "tree/CommandIds.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "views/YAxisForm.h"
#include "views/ZAxisForm.h"
#include "views/ZoomFirst2nForm.h"
#include "views/ui/YAxisDlg.h"
#include "views/ui/ZAxisDlg.h"
#include "views/ui/ZoomFirst2nDlg.h"

namespace {
// The field next to a form label.
QWidget* field(QWidget& dialog, const QString& label)
{
    for (QLabel* candidate : dialog.findChildren<QLabel*>())
        if (candidate->text() == label)
            return candidate->buddy();
    return nullptr;
}

QLineEdit* edit(QWidget& dialog, const QString& label)
{
    QWidget* widget = field(dialog, label);
    if (!widget)
        return nullptr;
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        return line;
    return widget->findChild<QLineEdit*>();
}

// The up or down arrow of a range edit's spin.
QToolButton* spin(QWidget& dialog, const QString& label, Qt::ArrowType arrow)
{
    QWidget* row = field(dialog, label);
    if (!row)
        return nullptr;
    for (QToolButton* button : row->findChildren<QToolButton*>())
        if (button->arrowType() == arrow)
            return button;
    return nullptr;
}

QStringList listed(const QListWidget& list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

// An axes dialog over a form that records what it asks of its window.
class AxesDialogTest : public ::testing::Test {
protected:
    void open(float max, float min)
    {
        YAxisForm::Settings settings;
        settings.max = max;
        settings.min = min;
        settings.fixed = true;
        settings.xLabel = "Time";
        YAxisForm::Window window;
        window.previewRange = [this](float previewMax, float previewMin) { previews.emplace_back(previewMax, previewMin); };
        window.setFixed = [this](bool on) { fixed.push_back(on); };
        window.setAxes = [this](bool on) { axes.push_back(on); };
        form = std::make_unique<YAxisForm>(settings, window);
        dialog = std::make_unique<YAxisDlg>(*form);
        dialog->show();
    }

    QString maxText() { return edit(*dialog, "Max :")->text(); }
    QString minText() { return edit(*dialog, "Min :")->text(); }
    void click(const QString& label, Qt::ArrowType arrow) { spin(*dialog, label, arrow)->click(); }

    std::vector<std::pair<float, float>> previews;
    std::vector<bool> fixed;
    std::vector<bool> axes;
    std::unique_ptr<YAxisForm> form;
    std::unique_ptr<YAxisDlg> dialog;
};
}  // namespace

TEST_F(AxesDialogTest, ShowsTheRangeTheSwitchesAndTheTitles)
{
    open(2, -0.5f);
    EXPECT_EQ(dialog->windowTitle(), "Axes settings");
    EXPECT_EQ(maxText(), "2.000000E+00");
    EXPECT_EQ(minText(), "-5.000000E-01");
    for (const char* label : {"Max :", "Min :"}) {
        EXPECT_NE(spin(*dialog, label, Qt::UpArrow), nullptr) << label;
        EXPECT_NE(spin(*dialog, label, Qt::DownArrow), nullptr) << label;
    }
    ASSERT_NE(edit(*dialog, "X label:"), nullptr);
    ASSERT_NE(edit(*dialog, "Y label:"), nullptr);
    EXPECT_EQ(edit(*dialog, "X label:")->text(), "Time");

    ASSERT_NE(labelled<QCheckBox>(*dialog, "No auto-scale"), nullptr);
    EXPECT_TRUE(labelled<QCheckBox>(*dialog, "No auto-scale")->isChecked());
    EXPECT_TRUE(labelled<QCheckBox>(*dialog, "Instant preview")->isChecked());
    EXPECT_TRUE(labelled<QCheckBox>(*dialog, "Show axes")->isChecked());
    EXPECT_FALSE(labelled<QCheckBox>(*dialog, "Logarithm X-Axis")->isChecked());
    for (const char* text : {"No auto-scale", "Instant preview", "Show axes", "Logarithm X-Axis"})
        EXPECT_TRUE(labelled<QCheckBox>(*dialog, text)->isVisible()) << text;
    ASSERT_NE(labelled<QCheckBox>(*dialog, "Logarithm Y-Axis"), nullptr);
    EXPECT_FALSE(labelled<QCheckBox>(*dialog, "Logarithm Y-Axis")->isVisible());
}

TEST_F(AxesDialogTest, SpinsStepATenthOfTheirOwnValueAndPreviewOnce)
{
    open(2, -0.5f);
    click("Max :", Qt::UpArrow);  // 2 + 0.2
    EXPECT_EQ(maxText(), "2.200000E+00");
    click("Max :", Qt::DownArrow);  // 2.2 - 0.22
    EXPECT_EQ(maxText(), "1.980000E+00");
    click("Min :", Qt::DownArrow);  // -0.5 - 0.05
    EXPECT_EQ(minText(), "-5.500000E-01");
    click("Min :", Qt::UpArrow);  // -0.55 + 0.055
    EXPECT_EQ(minText(), "-4.950000E-01");
    // One preview per click, not a second one for the rewritten text.
    ASSERT_EQ(previews.size(), 4u);
    EXPECT_FLOAT_EQ(previews[0].first, 2.2f);
    EXPECT_FLOAT_EQ(previews[0].second, -0.5f);
    EXPECT_FLOAT_EQ(previews[1].first, 1.98f);
    EXPECT_FLOAT_EQ(previews[2].second, -0.55f);
    EXPECT_FLOAT_EQ(previews[3].first, 1.98f);
    EXPECT_FLOAT_EQ(previews[3].second, -0.495f);
}

TEST_F(AxesDialogTest, ZeroDoesNotSpin)
{
    open(1, 0);
    click("Min :", Qt::UpArrow);
    click("Min :", Qt::DownArrow);
    EXPECT_EQ(minText(), "0.000000E+00");
}

TEST_F(AxesDialogTest, SpinsRefuseToCrossTheOtherValue)
{
    open(1, 0.95f);
    click("Max :", Qt::DownArrow);  // 0.9 would not stay above 0.95
    EXPECT_EQ(maxText(), "1.000000E+00");
    click("Min :", Qt::UpArrow);  // 1.045 would not stay below 1
    EXPECT_EQ(minText(), "9.500000E-01");
    EXPECT_TRUE(previews.empty());
    // Away from each other both move.
    click("Max :", Qt::UpArrow);
    click("Min :", Qt::DownArrow);
    EXPECT_EQ(maxText(), "1.100000E+00");
    EXPECT_EQ(minText(), "8.550000E-01");
}

TEST_F(AxesDialogTest, TypedRangePreviewsWhileOrderedAndInstantPreviewIsOn)
{
    open(2, -0.5f);
    type(edit(*dialog, "Max :"), "3");
    ASSERT_FALSE(previews.empty());
    EXPECT_FLOAT_EQ(previews.back().first, 3);
    EXPECT_FLOAT_EQ(previews.back().second, -0.5f);

    previews.clear();
    type(edit(*dialog, "Max :"), "-1");  // below the minimum
    for (const auto& [max, min] : previews) {
        EXPECT_NE(max, -1.0f);
        EXPECT_GT(max, min);
    }

    previews.clear();
    labelled<QCheckBox>(*dialog, "Instant preview")->click();
    type(edit(*dialog, "Max :"), "4");
    EXPECT_TRUE(previews.empty());
}

TEST_F(AxesDialogTest, ScalingAndAxesSwitchesApplyAtOnce)
{
    open(2, -0.5f);
    labelled<QCheckBox>(*dialog, "No auto-scale")->click();
    labelled<QCheckBox>(*dialog, "Show axes")->click();
    EXPECT_EQ(fixed, std::vector<bool>{false});
    EXPECT_EQ(axes, std::vector<bool>{false});
    labelled<QCheckBox>(*dialog, "Logarithm X-Axis")->click();
    EXPECT_EQ(axes.size(), 1u);
}

TEST_F(AxesDialogTest, LabelsTakeTwentyCharactersAndKeepNineteen)
{
    open(2, -0.5f);
    type(edit(*dialog, "Y label:"), "ABCDEFGHIJKLMNOPQRSTUVWXY");
    EXPECT_EQ(edit(*dialog, "Y label:")->text(), "ABCDEFGHIJKLMNOPQRST");
    standardButton(*dialog, QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(form->storedYLabel(), "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(form->storedXLabel(), "Time");
}

namespace {
// A signal window whose dialogs are shown and driven from the script.
class WindowDialogsTest : public ::testing::Test {
protected:
    marluneMDIChild& window(uint32_t count)
    {
        const std::vector<float> samples(count, 0.0f);
        auto signal = std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(), count, 1000.0L);
        auto* child = static_cast<marluneMDIChild*>(
            client_.addWindow(std::make_unique<marluneMDIChild>(client_, SignalKind::FileSignal, std::move(signal))));
        child->setCaption(" signal");
        return *child;
    }

    ScriptedUi ui_;
    marluneMDIClient client_{ui_, scratchFolder("viewdialogs")};
};
}  // namespace

TEST_F(WindowDialogsTest, AxesSettingsPreviewIntoTheSignalAndKeepLabelsOnOk)
{
    marluneMDIChild& child = window(100);
    child.signal()->setYRange(10, -10);
    bool axesDuringDialog = true;
    ui_.formAnswers.push_back([&](DialogForm& form) {
        YAxisDlg dialog(static_cast<YAxisForm&>(form));
        dialog.show();
        type(edit(dialog, "Max :"), "20");
        EXPECT_FLOAT_EQ(child.signal()->yMax(), 20);
        // The range holds only while the preview repaints.
        EXPECT_FALSE(child.fixedMinMax());
        spin(dialog, "Min :", Qt::DownArrow)->click();  // -10 - 1
        EXPECT_FLOAT_EQ(child.signal()->yMin(), -11);
        labelled<QCheckBox>(dialog, "Show axes")->click();
        axesDuringDialog = child.drawAxes();
        labelled<QCheckBox>(dialog, "Logarithm X-Axis")->click();
        type(edit(dialog, "X label:"), "Time in seconds, rounded");
        standardButton(dialog, QDialogButtonBox::Ok)->click();
        return dialog.result() == QDialog::Accepted;
    });
    child.command(Cmd::AxesSettings);
    EXPECT_FALSE(axesDuringDialog);
    EXPECT_FALSE(child.drawAxes());
    EXPECT_TRUE(child.logXAxis());
    EXPECT_EQ(child.xLabel(), "Time in seconds, ro");
    EXPECT_FLOAT_EQ(child.signal()->yMax(), 20);
    EXPECT_FLOAT_EQ(child.signal()->yMin(), -11);
}

TEST_F(WindowDialogsTest, CancelledAxesSettingsKeepOnlyThePreviewedRange)
{
    marluneMDIChild& child = window(100);
    child.signal()->setYRange(10, -10);
    child.setXLabel("Time");
    ui_.formAnswers.push_back([](DialogForm& form) {
        YAxisDlg dialog(static_cast<YAxisForm&>(form));
        dialog.show();
        spin(dialog, "Max :", Qt::UpArrow)->click();  // 10 + 1
        labelled<QCheckBox>(dialog, "Logarithm X-Axis")->click();
        type(edit(dialog, "X label:"), "Frequency");
        standardButton(dialog, QDialogButtonBox::Cancel)->click();
        return dialog.result() == QDialog::Accepted;
    });
    child.command(Cmd::AxesSettings);
    EXPECT_FLOAT_EQ(child.signal()->yMax(), 11);
    EXPECT_FALSE(child.logXAxis());
    EXPECT_EQ(child.xLabel(), "Time");
}

TEST(ZoomDialogTest, ListsPowersOfTwoBelowTheVisibleCount)
{
    qtApp();
    ZoomFirst2nForm hundred(100);
    ZoomFirst2nDlg dialog(hundred);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Zoom to power of 2");
    auto* list = dialog.findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(listed(*list), (QStringList{"16 (2^4)", "32 (2^5)", "64 (2^6)"}));
    EXPECT_EQ(list->currentRow(), 2);

    // 64 itself is not below 64; 17 leaves 16 only.
    ZoomFirst2nForm sixtyFour(64);
    EXPECT_EQ(listed(*ZoomFirst2nDlg(sixtyFour).findChild<QListWidget*>()), (QStringList{"16 (2^4)", "32 (2^5)"}));
    ZoomFirst2nForm seventeen(17);
    EXPECT_EQ(listed(*ZoomFirst2nDlg(seventeen).findChild<QListWidget*>()), (QStringList{"16 (2^4)"}));
}

TEST(ZoomDialogTest, NothingToChooseKeepsTheDialogOpen)
{
    qtApp();
    ZoomFirst2nForm sixteen(16);
    ZoomFirst2nDlg dialog(sixteen);
    dialog.show();
    EXPECT_EQ(dialog.findChild<QListWidget*>()->count(), 0);
    standardButton(dialog, QDialogButtonBox::Ok)->click();
    EXPECT_TRUE(dialog.isVisible());
    dialog.reject();
}

TEST_F(WindowDialogsTest, ChosenPowerOfTwoZoomsFromTheZoomStart)
{
    marluneMDIChild& child = window(1000);
    ASSERT_TRUE(child.signal()->zoomIn(250, 749));
    QStringList shown;
    ui_.formAnswers.push_back([&shown](DialogForm& form) {
        ZoomFirst2nDlg dialog(static_cast<ZoomFirst2nForm&>(form));
        dialog.show();
        auto* list = dialog.findChild<QListWidget*>();
        shown = listed(*list);
        list->setCurrentRow(2);
        standardButton(dialog, QDialogButtonBox::Ok)->click();
        return dialog.result() == QDialog::Accepted;
    });
    child.command(Cmd::ZoomPow2);
    // 500 visible samples: 16 ... 256.
    EXPECT_EQ(shown, (QStringList{"16 (2^4)", "32 (2^5)", "64 (2^6)", "128 (2^7)", "256 (2^8)"}));
    EXPECT_EQ(child.signal()->firstVisible(), 250u);
    EXPECT_EQ(child.signal()->lastVisible(), 250u + 64 - 1);
    EXPECT_EQ(child.caption(), "~signal");
}

TEST_F(WindowDialogsTest, DoubleClickedLengthIsChosen)
{
    marluneMDIChild& child = window(1000);
    ui_.formAnswers.push_back([](DialogForm& form) {
        ZoomFirst2nDlg dialog(static_cast<ZoomFirst2nForm&>(form));
        dialog.show();
        auto* list = dialog.findChild<QListWidget*>();
        const QPoint at = list->visualItemRect(list->item(0)).center();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick}) {
            QMouseEvent event(type, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(list->viewport(), &event);
        }
        return dialog.result() == QDialog::Accepted;
    });
    child.command(Cmd::ZoomPow2);
    EXPECT_EQ(child.signal()->firstVisible(), 0u);
    EXPECT_EQ(child.signal()->lastVisible(), 15u);
}

// The 3D window's dialog: 5 % spins that preview, the switches at once, three titles kept on OK.
TEST(ZAxisDialogTest, SpinsPreviewAndOkKeepsTheThreeTitles)
{
    qtApp();
    std::vector<std::pair<float, float>> previews;
    std::vector<bool> fixed;
    ZAxisForm::Settings settings;
    settings.max = 200;
    settings.min = 10;
    settings.zLabel = "dB";
    ZAxisForm::Window window;
    window.previewRange = [&](float max, float min) { previews.emplace_back(max, min); };
    window.setFixed = [&](bool on) { fixed.push_back(on); };
    ZAxisForm form(settings, window);
    ZAxisDlg dialog(form);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Axes settings");
    EXPECT_EQ(edit(dialog, "Z label:")->text(), "dB");
    EXPECT_EQ(edit(dialog, "Z label:")->maxLength(), 20);
    spin(dialog, "Max :", Qt::UpArrow)->click();
    EXPECT_EQ(edit(dialog, "Max :")->text(), "2.100000E+02");
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(previews[0], std::make_pair(210.0f, 10.0f));
    labelled<QCheckBox>(dialog, "No auto-scale")->click();
    EXPECT_EQ(fixed, std::vector<bool>{true});
    EXPECT_EQ(labelled<QCheckBox>(dialog, "Instant preview"), nullptr);
    type(edit(dialog, "Z label:"), "power spectral dens");
    type(edit(dialog, "X label:"), "sec");
    standardButton(dialog, QDialogButtonBox::Ok)->click();
    EXPECT_EQ(form.storedZLabel(), "power spectral dens");
    EXPECT_EQ(form.storedXLabel(), "sec");
}
