#include "InstrumentFixture.h"

#include "signal/TrackSignal.h"
#include "tree/CommandIds.h"

// "Log instrument values..." with 100: a flat line at the current value, then one value per update
// of the instrument for 99 more updates; after that the log holds still and passes nothing on.
TEST_F(InstrumentTest, ValueLogFollowsTheInstrumentUpToItsLength)
{
    std::vector<float> samples(100, 1.0f);
    marluneMDIChild* parent = fileWindow(samples);
    marlune1DChild* mean = byCommand(parent, Cmd::InstrumentMean);
    ASSERT_NE(mean, nullptr);
    ui.inputAnswers.push_back("100");
    client.setActiveChild(mean);
    ASSERT_TRUE(client.dispatch(Cmd::LogInstrument));
    auto* log = dynamic_cast<marluneMDIChild*>(client.windows().back());
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->kind(), SignalKind::Track);
    EXPECT_EQ(log->parent(), mean);
    EXPECT_EQ(log->caption(), " 3#LOG(" + mean->caption() + ")");
    EXPECT_EQ(log->xLabel(), "sample");
    const auto& track = static_cast<const TrackSignal&>(*log->signal());
    ASSERT_EQ(track.count(), 100u);
    for (uint32_t i = 0; i < 100; ++i)
        ASSERT_EQ(track.samples()[i], 1.0f);

    for (int update = 1; update <= 105; ++update) {
        parent->signal()->samples()[0] = float(update * 100 + 1);
        parent->signal()->updateYRange();
        parent->updateAfterChange();
    }
    EXPECT_TRUE(track.full());
    // The 99th update is the last value written; the 100th on are not logged.
    EXPECT_FLOAT_EQ(track.samples()[99], float((99 * 100 + 1 + 99) / 100.0));
    EXPECT_FLOAT_EQ(float(mean->value()), float((105 * 100 + 1 + 99) / 100.0));

    // Cancel makes nothing; a text that is no number makes a log of one value.
    const std::size_t before = client.windows().size();
    client.setActiveChild(mean);
    client.dispatch(Cmd::LogInstrument);
    EXPECT_EQ(client.windows().size(), before);
    ui.inputAnswers.push_back("many");
    client.setActiveChild(mean);
    client.dispatch(Cmd::LogInstrument);
    ASSERT_EQ(client.windows().size(), before + 1);
    EXPECT_EQ(static_cast<marluneMDIChild*>(client.windows().back())->signal()->count(), 1u);
}

// Both items of the menu switch between dial and number and keep every other setting.
TEST_F(InstrumentTest, DisplaySwitchKeepsTheOtherSettings)
{
    marlune1DChild* max = byCommand(fileWindow({1, 3, 3, 2}), Cmd::InstrumentMax);
    ASSERT_NE(max, nullptr);
    InstrumentSettings changed = max->settings();
    changed.units = "V";
    changed.alarmRangeFrom = 1;
    changed.alarmRangeTo = 2;
    max->applySettings(changed);
    const InstrumentSettings before = max->settings();
    EXPECT_FALSE(max->commandState(Cmd::InstrumentDisplay)->checked);
    EXPECT_TRUE(max->command(Cmd::InstrumentDisplay));
    EXPECT_EQ(max->settings().instrumentType, InstrumentSettings::Numeric);
    EXPECT_TRUE(max->commandState(Cmd::InstrumentDisplay)->checked);
    EXPECT_TRUE(max->command(Cmd::InstrumentDisplay));
    EXPECT_EQ(max->settings().instrumentType, InstrumentSettings::Dial);
    EXPECT_EQ(max->settings().units, before.units);
    EXPECT_EQ(max->settings().alarmRangeTo, before.alarmRangeTo);
    EXPECT_EQ(max->settings().rangeTo, before.rangeTo);
    EXPECT_EQ(max->settings().markerOn, before.markerOn);
}
