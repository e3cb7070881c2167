#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include "QtTestApp.h"
#include "app/FileFilter.h"
#include "app/QtUiServices.h"
#include "app/StatusBars.h"

namespace {
class UiServicesTest : public ::testing::Test {
protected:
    void SetUp() override { qtApp(); }
    QtUiServices ui_;
};
}  // namespace

TEST(FileFilter, ConvertsTheBarSeparatedList)
{
    EXPECT_EQ(qtFileFilter("Signal files|*.bin;*.wav|Other|*.c|"), "Signal files (*.bin *.wav);;Other (*.c)");
    // A name that already shows its patterns keeps them once.
    EXPECT_EQ(qtFileFilter("All Files (*.*)|*.*|"), "All Files (*.*)");
    EXPECT_EQ(qtFileFilter("Wave|*.wav"), "Wave (*.wav)");
    EXPECT_EQ(qtFileFilter(""), "");
}

TEST_F(UiServicesTest, ClipboardCarriesSampleBlocksUnchanged)
{
    const std::vector<uint8_t> block{0, 0, 0x40, 0x40, 1, 2, 3, 0xff, 0};
    ui_.setClipboardBlock(block);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat("application/x-marlune-samples"));
    EXPECT_EQ(ui_.clipboardBlock(), block);

    QApplication::clipboard()->setText("not samples");
    EXPECT_EQ(ui_.clipboardBlock(), std::nullopt);
}

TEST_F(UiServicesTest, ClipboardPictureReplacesTextAndComesBackPixelForPixel)
{
    QApplication::clipboard()->setText("older content");
    const RgbPicture picture{3, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 1, 2, 3, 250, 251, 252, 128, 64, 32}};
    ui_.setClipboardPicture(picture);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_FALSE(data->hasText());
    EXPECT_TRUE(ui_.hasClipboardPicture());
    EXPECT_EQ(QApplication::clipboard()->image().pixelColor(0, 1), QColor(1, 2, 3));
    const auto back = ui_.clipboardPicture();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->width, 3u);
    EXPECT_EQ(back->height, 2u);
    EXPECT_EQ(back->rgb, picture.rgb);
}

TEST_F(UiServicesTest, RunProcessReturnsTheExitCode)
{
    EXPECT_EQ(ui_.runProcess("/bin/true", {}), 0);
    EXPECT_EQ(ui_.runProcess("/bin/false", {}), 1);
    EXPECT_EQ(ui_.runProcess("/bin/sh", {"-c", "exit 7"}), 7);
    // Arguments go to the program as they are, without a shell between.
    EXPECT_EQ(ui_.runProcess("/usr/bin/test", {"a b", "=", "a b"}), 0);
    EXPECT_EQ(ui_.runProcess("/no/such/program", {}), UiServices::ProcessFailed);
    // A program that dies of a signal nobody sent from the progress window failed; it was not cancelled.
    EXPECT_EQ(ui_.runProcess("/bin/sh", {"-c", "kill -9 $$"}), UiServices::ProcessFailed);
}

TEST_F(UiServicesTest, StartDetachedReturnsAtOnceAndTellsWhetherTheProgramStarted)
{
    EXPECT_TRUE(ui_.startDetached("/bin/true", {"-5"}));
    EXPECT_FALSE(ui_.startDetached("/no/such/program", {"1"}));
}

TEST_F(UiServicesTest, ALongProgramShowsProgressAndCancelEndsIt)
{
    bool shown = false;
    QTimer::singleShot(1500, [&shown] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(widget); progress && progress->isVisible()) {
                shown = true;
                progress->findChild<QPushButton*>()->click();
            }
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(ui_.runProcess("/bin/sleep", {"30"}), UiServices::ProcessCancelled);
    EXPECT_TRUE(shown);
    EXPECT_LT(clock.elapsed(), 10000);
}

TEST_F(UiServicesTest, MessageBoxShowsTheTextWithoutCaption)
{
    QString title = "unset";
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(ui_.messageBox("No more memory !!!", {}, MessageButtons::YesNo, MessageIcon::None), MessageResult::No);
    EXPECT_EQ(title, "");
    EXPECT_EQ(text, "No more memory !!!");
}

TEST_F(UiServicesTest, StatusTextGoesToItsField)
{
    QWidget window;
    StatusBars bars(&window);
    ui_.attach(&window, &bars);
    ui_.setStatusText(StatusField::Step, "30");
    ui_.setStatusText(StatusField::SampleRate, "8000.000");
    ui_.setStatusText(StatusField::Value3D, "1.5");
    EXPECT_EQ(bars.text(StatusField::Step), "30");
    EXPECT_EQ(bars.text(StatusField::SampleRate), "8000.000");
    EXPECT_EQ(bars.text(StatusField::Value3D), "1.5");
    ui_.detach();
    ui_.setStatusText(StatusField::Step, "31");
    EXPECT_EQ(bars.text(StatusField::Step), "30");
}

TEST_F(UiServicesTest, StatusBarsShowTheirLabelsInOrder)
{
    QWidget window;
    StatusBars bars(&window);
    QStringList first;
    for (const QLabel* label : bars.signalBar()->findChildren<QLabel*>())
        if (!label->text().isEmpty())
            first << label->text();
    EXPECT_EQ(first, QStringList({"Range:", "X:", "Y:", "STEP:", "SR:"}));
    QStringList second;
    for (const QLabel* label : bars.bar3D()->findChildren<QLabel*>())
        if (!label->text().isEmpty())
            second << label->text();
    EXPECT_EQ(second, QStringList({"X:", "Y:", "Value:"}));
    EXPECT_TRUE(bars.bar3D()->isHidden());
    bars.show3D(true);
    EXPECT_TRUE(bars.signalBar()->isHidden());
    EXPECT_FALSE(bars.bar3D()->isHidden());
}

TEST_F(UiServicesTest, WaitCursorsNest)
{
    {
        WaitCursor outer(ui_);
        {
            WaitCursor inner(ui_);
            ASSERT_NE(QApplication::overrideCursor(), nullptr);
        }
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
