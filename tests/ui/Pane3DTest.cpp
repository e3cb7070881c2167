#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <memory>
#include <vector>

#include "QtTestApp.h"
#include "base/ui/RgbImage.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "support/ScriptedUi.h"
#include "tree/CommandIds.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "base/FormatText.h"
#include "fileio/PictureMatrix.h"
#include "views/ui/Picture3D.h"
#include "views/ui/crtez.h"

namespace {
class Pane3DTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qtApp();
        std::vector<float> v(64);
        for (std::size_t i = 0; i < v.size(); ++i)
            v[i] = float(i % 16);
        auto window = std::make_unique<marluneMDIChild>(
            client_, SignalKind::FileSignal,
            std::make_unique<Signal>(nullptr, SignalKind::FileSignal, v.data(), uint32_t(v.size()), 8000.0L));
        parent_ = static_cast<marluneMDIChild*>(client_.addWindow(std::move(window)));
        log_ = marlune3DChild::createLog(client_, *parent_, 10);
        ASSERT_NE(log_, nullptr);
        pane_ = std::make_unique<crtez>(*log_);
        pane_->resize(440, 300);
    }

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(pane_.get(), &event);
    }

    QImage shown() { return pane_->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QImage expected() { return pane_->render(pane_->size()); }

    ScriptedUi ui_;
    marluneMDIClient client_{ui_, scratchFolder("pane3d")};
    marluneMDIChild* parent_ = nullptr;
    marlune3DChild* log_ = nullptr;
    std::unique_ptr<crtez> pane_;
};
}  // namespace

TEST_F(Pane3DTest, KeysGoToTheWindow)
{
    const int azimuth = log_->data().azimuth;
    press(Qt::Key_Left);
    EXPECT_EQ(log_->data().azimuth, (azimuth + 1) % 36);
    press(Qt::Key_F2);
    EXPECT_TRUE(log_->data().fillSegments);
    press(Qt::Key_Tab);
    EXPECT_TRUE(log_->data().rulerOn);
    const int rulerRow = log_->data().level().rulerRow;
    press(Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_TRUE(log_->rectangleAnchor().has_value());
    EXPECT_EQ(log_->rectangleAnchor()->first, rulerRow);
    EXPECT_EQ(log_->data().level().rulerRow, rulerRow + 1);
    press(Qt::Key_Tab);
    EXPECT_FALSE(log_->data().rulerOn);
}

// In a window with other widgets Tab would move the focus on; in the pane it toggles the ruler.
TEST_F(Pane3DTest, TabTogglesTheRulerInsteadOfMovingTheFocus)
{
    QWidget frame;
    auto* other = new QLineEdit(&frame);
    pane_->setParent(&frame);
    frame.show();
    pane_->setFocus();
    press(Qt::Key_Tab);
    EXPECT_TRUE(log_->data().rulerOn);
    EXPECT_FALSE(other->hasFocus());
    pane_->setParent(nullptr);
}

TEST_F(Pane3DTest, FocusShowsTheThreeDimensionalStatusBar)
{
    ui_.statusBar3D = false;
    QFocusEvent event(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(pane_.get(), &event);
    EXPECT_TRUE(ui_.statusBar3D);
}

// What the pane shows is the picture at its size, after view changes and after a one-row scroll.
TEST_F(Pane3DTest, ScreenFollowsTheWindow)
{
    EXPECT_TRUE(shown() == expected());
    ASSERT_TRUE(log_->command(Cmd::SpectrogramView));
    EXPECT_EQ(log_->data().elevation, 0);
    EXPECT_TRUE(shown() == expected());
    press(Qt::Key_Tab);
    EXPECT_TRUE(shown() == expected());
    // One new log row inside the same Z range: the picture scrolls by one cell.
    ASSERT_TRUE(log_->data().appendLog(*parent_->signal()));
    log_->repaint();
    EXPECT_EQ(log_->data().shiftDirection, 0);
    EXPECT_TRUE(shown() == expected());
}

TEST_F(Pane3DTest, CopyPicturePutsThePaneOnTheClipboard)
{
    shown();
    ASSERT_TRUE(log_->command(Cmd::CopyPicture));
    ASSERT_TRUE(ui_.picture);
    const QImage copied = imageOf(*ui_.picture);
    EXPECT_EQ(copied.size(), QSize(440, 300));
    EXPECT_TRUE(copied == expected());
}

TEST_F(Pane3DTest, ClosingDetachesThePane)
{
    client_.closeWindow(log_);
    EXPECT_EQ(pane_->child(), nullptr);
    const QImage image = shown();
    EXPECT_EQ(image.pixelColor(200, 150), QColor(Qt::white));
}

// In the spectrogram view the mouse reads the cell under it, and a click puts the ruler there.
TEST(Pane3DReadout, TheMouseReadsTheCellUnderItAndAClickPlacesTheRuler)
{
    qtApp();
    ScriptedUi ui;
    marluneMDIClient client(ui, scratchFolder("readout"));
    PictureMatrix picture{20, 10, {}};
    for (uint32_t r = 0; r < 20; ++r)
        for (uint32_t j = 0; j < 10; ++j)
            picture.values.push_back(float(100 * r + j));
    marlune3DChild* window = marlune3DChild::createPicture(client, picture, "cells");
    ASSERT_NE(window, nullptr);
    window->data().elevation = 0;
    crtez pane(*window);
    pane.resize(440, 300);
    // A pixel of the cell as the pane's picture places it, room for the labels and the colour scale left.
    const Picture3D shown(window->data(), window->display, client.palette(std::size_t(window->display.palette)),
                            false, QSize(440, 300));
    const auto at = [&](int r, int j) {
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 440; ++x)
                if (shown.cellAt({x, y}) == std::pair<int64_t, int64_t>{r, j})
                    return ScreenPoint{x, y};
        ADD_FAILURE() << "no pixel shows " << r << ", " << j;
        return ScreenPoint{};
    };
    const auto send = [&](QEvent::Type type, ScreenPoint p, Qt::MouseButton button) {
        const QPointF where(p.x, p.y);
        QMouseEvent event(type, where, pane.mapToGlobal(where), button, button == Qt::NoButton ? Qt::NoButton : button,
                          Qt::NoModifier);
        QApplication::sendEvent(&pane, &event);
    };
    send(QEvent::MouseMove, at(7, 3), Qt::NoButton);
    EXPECT_EQ(ui.status[StatusField::X3D], formatText("%.5G", window->data().rowX(7)));
    EXPECT_EQ(ui.status[StatusField::Y3D], formatText("%.5G", window->data().binY(3)));
    EXPECT_EQ(ui.status[StatusField::Value3D], "703");
    EXPECT_FALSE(window->data().rulerOn);
    send(QEvent::MouseButtonPress, at(12, 8), Qt::LeftButton);
    EXPECT_TRUE(window->data().rulerOn);
    EXPECT_EQ(window->data().level().rulerRow, 12);
    EXPECT_EQ(window->data().level().rulerBin, 8);
    // Off the picture, in the axes, nothing is read.
    send(QEvent::MouseMove, {439, 299}, Qt::NoButton);
    EXPECT_EQ(ui.status[StatusField::Value3D], "1208");
    // The mesh view has no one cell under a pixel: the read-out stays the ruler's.
    window->data().elevation = 5;
    send(QEvent::MouseMove, at(1, 1), Qt::NoButton);
    EXPECT_EQ(ui.status[StatusField::Value3D], "1208");
}
