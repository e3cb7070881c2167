#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "DialogDriving.h"
#include "QtTestApp.h"
#include "instruments/InstrumentKinds.h"
#include "instruments/ValShowForm.h"
#include "instruments/marlune1DChild.h"
#include "instruments/ui/ValShowDlg.h"
#include "instruments/ui/crtezAnalog.h"
#include "kinds/WindowKindRegistration.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "support/ScriptedUi.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace {
int countOf(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}
}  // namespace

// The pane draws the dial with its green rim, and only the number after "Number only".
TEST(InstrumentPane, DrawsTheDialOrTheNumber)
{
    qtApp();
    ScriptedUi ui;
    marluneMDIClient client(ui, "/nonexistent/");
    registerWindowKinds(client, nullptr);
    const std::vector<float> samples{1, 3, 3, 2};
    auto w = std::make_unique<marluneMDIChild>(
        client, SignalKind::FileSignal, std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(), 4, 1000));
    marluneChild* parent = client.addWindow(std::move(w));
    auto* instrument =
        dynamic_cast<marlune1DChild*>(DerivedWindows::createChild(client, *parent, InstrumentKinds::Maximum));
    ASSERT_NE(instrument, nullptr);
    crtezAnalog pane(*instrument);
    EXPECT_EQ(pane.sizeHint(), QSize(crtezAnalog::Side, crtezAnalog::Side));
    const QImage dial = pane.render(QSize(250, 250));
    EXPECT_GT(countOf(dial, qRgb(0, 255, 0)), 200);
    instrument->command(Cmd::InstrumentDisplay);
    const QImage number = pane.render(QSize(250, 250));
    EXPECT_EQ(countOf(number, qRgb(0, 255, 0)), 0);
    EXPECT_GT(countOf(number, qRgb(0, 0, 0)), 50);
    client.closeWindow(instrument);
    EXPECT_EQ(pane.child(), nullptr);
}

// The properties dialog shows the form and copies the edits back; the marker controls of a kind
// without a marker are disabled.
TEST(InstrumentPane, PropertiesDialogShowsAndTakesTheFields)
{
    qtApp();
    InstrumentSettings settings = InstrumentSettings::forKind(InstrumentKinds::Mean);
    settings.rangeFrom = 0;
    settings.rangeTo = 10;
    settings.appExecTime = 60;
    ValShowForm form(settings);
    ValShowDlg dialog(form);
    EXPECT_EQ(dialog.windowTitle(), "Instrument properties");
    EXPECT_FALSE(labelled<QCheckBox>(dialog, "Show marker in signal")->isEnabled());
    EXPECT_TRUE(labelled<QRadioButton>(dialog, "Circle")->isChecked());
    auto* interval = dialog.findChild<QComboBox*>();
    ASSERT_NE(interval, nullptr);
    EXPECT_EQ(interval->currentText(), "1 min");
    labelled<QRadioButton>(dialog, "Numeric")->setChecked(true);
    EXPECT_FALSE(labelled<QRadioButton>(dialog, "Circle")->isChecked());
    labelled<QRadioButton>(dialog, "Outside")->setChecked(true);
    labelled<QCheckBox>(dialog, "Beep on critical value")->setChecked(true);
    interval->setCurrentIndex(3);
    dialog.accept();
    EXPECT_EQ(form.result().instrumentType, InstrumentSettings::Numeric);
    EXPECT_FALSE(form.result().alarmInner);
    EXPECT_TRUE(form.result().alarmBeep);
    EXPECT_EQ(form.result().appExecTime, 300);
    EXPECT_EQ(form.result().rangeTo, 10);
}
