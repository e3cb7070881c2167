#include "instruments/InstrumentFixture.h"

#include "kinds/WindowKindRegistration.h"

#include <cmath>

#include "fileio/PictureMatrix.h"
#include "fileio/WavWriter.h"
#include "instruments/ValShowForm.h"
#include "settings/TIniHelper.h"
#include "support/TempFolder.h"
#include "tree/ChildEvent.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"
#include "tree/ExtractOdDoForm.h"
#include "tree/WorkspaceCommands.h"
#include "tree/WorkspaceWriter.h"
#include "tree/marlune3DChild.h"

namespace {
// A window of two parents that passes every update on, as a calculator result does.
class Follower : public marluneMDIChild {
public:
    Follower(marluneMDIClient& client, const std::vector<float>& samples)
        : marluneMDIChild(client, SignalKind::Calculator,
                          std::make_unique<Signal>(nullptr, SignalKind::Calculator, samples.data(),
                                                   uint32_t(samples.size()), 1000))
    {
    }

protected:
    bool recomputeFromParents() override { return true; }
};

class Repaints : public ChildListener {
public:
    int count = 0;
    void childChanged(marluneChild&, const ChildEvent& event) override
    {
        count += event.change == ChildChange::Repaint;
    }
};

struct Made {
    int command;
    int32_t kind;
    const char* caption;
};
}  // namespace

TEST_F(InstrumentTest, EachCommandMakesItsKindTitledAfterTheParent)
{
    marluneMDIChild* file = fileWindow({-2, 6, 0, 1}, 100);
    const Made made[] = {
        {Cmd::InstrumentMean, 71, " 2#Mean of: 1#file"},
        {Cmd::InstrumentStdDev, 72, " 3#St. dev. of: 1#file"},
        {Cmd::InstrumentMax, 73, " 4#Maximum of: 1#file"},
        {Cmd::InstrumentMin, 74, " 5#Minimum of: 1#file"},
        {Cmd::InstrumentMaxPos, 76, " 6#Pos. of maximum of: 1#file"},
        {Cmd::InstrumentMinPos, 77, " 7#Pos. of minimum of: 1#file"},
        {Cmd::InstrumentSum, 78, " 8#Sum of: 1#file"},
        {Cmd::InstrumentRms, 81, " 9#RMS: 1#file"},
        {Cmd::InstrumentRmsNormalized, 82, " 10#RMS(normalized): 1#file"},
    };
    // The commands are the file window's: without an active window nobody answers for them.
    client.setActiveChild(file);
    for (const Made& m : made) {
        SCOPED_TRACE(m.caption);
        EXPECT_TRUE(client.dispatchState(m.command)->enabled);
        marlune1DChild* instrument = byCommand(file, m.command);
        ASSERT_NE(instrument, nullptr);
        EXPECT_EQ(instrument->kind(), m.kind);
        EXPECT_EQ(instrument->caption(), m.caption);
        EXPECT_EQ(instrument->icon(), 17021);
        EXPECT_EQ(instrument->parent(), file);
        EXPECT_TRUE(instrument->linked());
        EXPECT_FALSE(instrument->invalid());
    }
    EXPECT_EQ(file->children().size(), std::size(made));
    EXPECT_FALSE(client.dispatchState(Cmd::InstrumentSum3D)) << "the band sum belongs to 3D windows";
}

TEST_F(InstrumentTest, DefaultScalesFollowTheParent)
{
    // Y range [-2, 6], four samples, X from 1 to 1.03.
    marluneMDIChild* file = fileWindow({-2, 6, 0, 1}, 100, 1);
    const auto scale = [&](int32_t kind) {
        const auto* instrument = static_cast<marlune1DChild*>(DerivedWindows::createChild(client, *file, kind));
        return std::pair{instrument->settings().rangeFrom, instrument->settings().rangeTo};
    };
    using Scale = std::pair<double, double>;
    EXPECT_EQ(scale(71), (Scale{-1, 3}));
    EXPECT_EQ(scale(72), (Scale{0, 8}));
    EXPECT_EQ(scale(73), (Scale{-2, 6}));
    EXPECT_EQ(scale(76), (Scale{1, double(1 + 3 / 100.0L)}));
    EXPECT_EQ(scale(78), (Scale{-8, 24}));
    EXPECT_EQ(scale(80), (Scale{-10000, 10000}));
    EXPECT_EQ(scale(81), (Scale{0, 6}));
    EXPECT_EQ(scale(82), (Scale{0, 6}));
    EXPECT_EQ(scale(83), (Scale{-2, 6}));
    EXPECT_EQ(scale(85), (Scale{-100, 150}));

    marluneMDIChild* negative = fileWindow({-3, -1, -2, 0});
    const auto* rms = static_cast<marlune1DChild*>(DerivedWindows::createChild(client, *negative, 81));
    EXPECT_EQ(rms->settings().rangeFrom, -1) << "a scale ending at 0 starts at -1";
    EXPECT_EQ(rms->settings().rangeTo, 0);
}

TEST_F(InstrumentTest, KindsOnlyFilesMakeHaveTheirFixedTitlesAndSettings)
{
    marluneMDIChild* file = fileWindow({1, 2, 3, 4});
    marluneChild* custom = DerivedWindows::createChild(client, *file, 80);
    ASSERT_NE(custom, nullptr);
    EXPECT_EQ(custom->title(), "Custom");
    EXPECT_EQ(static_cast<marlune1DChild*>(custom)->settings().instrumentType, InstrumentSettings::Numeric);
    EXPECT_EQ(static_cast<marlune1DChild*>(custom)->value(), 0);
    EXPECT_EQ(DerivedWindows::createChild(client, *file, 83)->title(), "");
    EXPECT_EQ(DerivedWindows::createChild(client, *file, 84)->title(), "");
    EXPECT_EQ(DerivedWindows::createChild(client, *file, 85)->title(), "5#SNR of: 1#file");

    const auto& mean = static_cast<marlune1DChild&>(*DerivedWindows::createChild(client, *file, 71)).settings();
    EXPECT_TRUE(mean.noMarker);
    EXPECT_FALSE(mean.markerOn);
    EXPECT_EQ(mean.instrumentType, InstrumentSettings::Dial);
    EXPECT_TRUE(mean.alarmInner);
    const auto& position = static_cast<marlune1DChild&>(*DerivedWindows::createChild(client, *file, 77)).settings();
    EXPECT_FALSE(position.noMarker);
    EXPECT_TRUE(position.markerOn);
}

TEST_F(InstrumentTest, ValueAtAsksForXAndMakesNothingOnCancelOrAWrongNumber)
{
    marluneMDIChild* file = fileWindow({1, 2, 3, 4});
    EXPECT_EQ(byCommand(file, Cmd::InstrumentAt), nullptr);
    EXPECT_EQ(ui.formsShown.back(), " Log value");
    for (const char* wrong : {"", "abc", "1,5", "0.5x", "nan"}) {
        ui.inputAnswers.push_back(wrong);
        EXPECT_EQ(byCommand(file, Cmd::InstrumentAt), nullptr) << wrong;
    }
    EXPECT_EQ(ui.beeps, 5);
    EXPECT_EQ(client.creationCounter(), 1u) << "a window never made takes no number";

    ui.inputAnswers.push_back(" 0.002 ");
    marlune1DChild* at = byCommand(file, Cmd::InstrumentAt);
    ASSERT_NE(at, nullptr);
    EXPECT_EQ(at->value1(), 0.002L);
    EXPECT_EQ(at->value(), 3);
    EXPECT_EQ(at->caption(), " 2#Value at 0.002 from 1#file");
}

TEST_F(InstrumentTest, CommandsAreDisabledWhileTheParentShowsNoSamples)
{
    marluneMDIChild* shortFile = fileWindow({1, 2, 3});
    client.setActiveChild(shortFile);
    EXPECT_FALSE(client.dispatchState(Cmd::InstrumentMean)->enabled);
    EXPECT_EQ(byCommand(shortFile, Cmd::InstrumentMean), nullptr);
}

namespace {
// Eight rows of six bins, cell (r, j) = 10 r + j; bin j lies at Y = 1 + j.
PictureMatrix rampMatrix()
{
    PictureMatrix matrix{8, 6, {}};
    for (uint32_t r = 0; r < 8; ++r)
        for (uint32_t j = 0; j < 6; ++j)
            matrix.values.push_back(float(10 * r + j));
    return matrix;
}
}  // namespace

TEST_F(InstrumentTest, BandSumOfA3DWindowFollowsItsVisibleRows)
{
    marlune3DChild* picture = marlune3DChild::createPicture(client, rampMatrix(), "pic");
    ASSERT_NE(picture, nullptr);
    client.setActiveChild(picture);
    ASSERT_TRUE(client.dispatchState(Cmd::InstrumentSum3D));
    EXPECT_TRUE(client.dispatchState(Cmd::InstrumentSum3D)->enabled);
    EXPECT_FALSE(client.dispatchState(Cmd::InstrumentMean)) << "signal instruments belong to signal windows";

    std::string shownFrom, shownTo;
    ui.formAnswers.push_back([&](DialogForm& form) {
        auto& range = static_cast<ExtractOdDoForm&>(form);
        shownFrom = range.fromText;
        shownTo = range.toText;
        range.fromText = "2";
        range.toText = "3.5";
        return true;
    });
    marlune1DChild* band = byCommand(picture, Cmd::InstrumentSum3D);
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(ui.formsShown.back(), ExtractOdDoForm::Name);
    EXPECT_EQ(shownFrom, "1");
    EXPECT_EQ(shownTo, "6");
    EXPECT_EQ(band->kind(), 79);
    EXPECT_EQ(band->caption(), " 2# Sum[2,3.5] from 1#pic");
    EXPECT_EQ(band->value1(), 2);
    EXPECT_EQ(band->value2(), 3.5);
    EXPECT_EQ(band->settings().rangeFrom, 0);
    EXPECT_EQ(band->settings().rangeTo, 10000);
    // Bins 1 and 2 of every row: the sum over r of 20 r + 3.
    EXPECT_EQ(band->value(), 20 * 28 + 3 * 8);

    // Rows 2 ... 5 only.
    picture->data().level().rulerRow = 5;
    picture->data().level().rulerBin = 5;
    ASSERT_TRUE(picture->data().zoomToRectangle(2, 0));
    picture->updateAfterChange();
    EXPECT_EQ(band->value(), 20 * 14 + 3 * 4);

    EXPECT_EQ(byCommand(picture, Cmd::InstrumentSum3D), nullptr) << "Cancel makes nothing";
}

TEST_F(InstrumentTest, BandOutsideTheBinsSumsNothing)
{
    PictureMatrix matrix{4, 4, std::vector<float>(16, 1)};
    marlune3DChild* picture = marlune3DChild::createPicture(client, matrix, "pic");
    const auto sum = [&](long double from, long double to) {
        return static_cast<marlune1DChild*>(DerivedWindows::createChild(client, *picture, 79, {from, to}))->value();
    };
    EXPECT_EQ(sum(-100, 100), 16) << "the band is cut to the bins";
    EXPECT_EQ(sum(10, 20), 0);
    EXPECT_EQ(sum(3, 2), 0);
    EXPECT_EQ(sum(2.2L, 2.8L), 0) << "no bin inside";
}

// A level zoomed into a sub-band sums the band's bins inside that level only, as the window shows them.
TEST_F(InstrumentTest, BandSumOnASubBandLevelSumsThatLevelsBins)
{
    marlune3DChild* picture = marlune3DChild::createPicture(client, rampMatrix(), "pic");
    auto* band = static_cast<marlune1DChild*>(DerivedWindows::createChild(client, *picture, 79, {-100, 100}));
    ASSERT_NE(band, nullptr);
    // Rows 1 ... 4, bins 2 ... 4.
    picture->data().level().rulerRow = 4;
    picture->data().level().rulerBin = 4;
    ASSERT_TRUE(picture->data().zoomToRectangle(1, 2));
    picture->updateAfterChange();
    double expected = 0;
    for (int r = 1; r <= 4; ++r)
        for (int j = 2; j <= 4; ++j)
            expected += 10 * r + j;
    EXPECT_EQ(band->value(), expected);
    // A band that overlaps the level in part: bins 3 ... 4 of it.
    auto* upper = static_cast<marlune1DChild*>(DerivedWindows::createChild(client, *picture, 79, {4, 100}));
    EXPECT_EQ(upper->value(), expected - (10 * (1 + 2 + 3 + 4) + 2 * 4));
    ASSERT_TRUE(picture->data().zoomOut());
    picture->updateAfterChange();
    EXPECT_EQ(band->value(), 10 * 28 * 6 + 15 * 8) << "level 0 shows every bin";
}

// Through two paths of the tree, each change still reaches the instrument once, after its parent.
TEST_F(InstrumentTest, AnInstrumentIsRecomputedOncePerChangeOfItsParent)
{
    marluneMDIChild* file = fileWindow({1, 2, 3, 4});
    marluneMDIChild* detrended = DerivedWindows::create(client, *file, SignalKind::Detrended);
    ASSERT_NE(detrended, nullptr);
    auto follower = std::make_unique<Follower>(client, std::vector<float>{5, 6, 7, 8});
    follower->attachToParents({file, detrended});
    auto* both = static_cast<marluneMDIChild*>(client.addWindow(std::move(follower)));
    marlune1DChild* mean = byCommand(both, Cmd::InstrumentMean);
    ASSERT_NE(mean, nullptr);
    // Every value alarms and beeps, so the beeps count the computations.
    InstrumentSettings settings = mean->settings();
    settings.rangeFrom = -1e9;
    settings.rangeTo = 1e9;
    settings.alarmRangeFrom = -1e9;
    settings.alarmRangeTo = 1e9;
    settings.alarmBeep = true;
    mean->applySettings(settings);
    Repaints repaints;
    mean->subscribe(repaints);

    for (int change = 1; change <= 3; ++change) {
        file->updateAfterChange();
        EXPECT_EQ(ui.beeps, change);
        EXPECT_EQ(repaints.count, change);
        EXPECT_EQ(mean->notificationsExpected(), 0);
        EXPECT_EQ(mean->notificationsReceived(), 0);
    }
    EXPECT_TRUE(mean->alarm());

    ASSERT_TRUE(mean->command(Cmd::Unlink));
    file->updateAfterChange();
    EXPECT_EQ(ui.beeps, 3) << "an unlinked instrument keeps its value";
    ASSERT_TRUE(mean->command(Cmd::Link));
    EXPECT_EQ(ui.beeps, 4) << "linking computes at once";
    mean->unsubscribe(repaints);
}

TEST_F(InstrumentTest, PropertiesClampTheCriticalRangeIntoTheScaleAndRepaintTheParent)
{
    marluneMDIChild* file = fileWindow({1, 2, 3, 4});
    marlune1DChild* maximum = byCommand(file, Cmd::InstrumentMax);
    Repaints parentRepaints;
    file->subscribe(parentRepaints);
    EXPECT_TRUE(maximum->commandState(Cmd::Properties)->enabled);

    ui.formAnswers.push_back([](DialogForm& form) {
        auto& properties = static_cast<ValShowForm&>(form);
        properties.rangeFromText = "0";
        properties.rangeToText = "10";
        properties.alarmFromText = "-5";
        properties.alarmToText = "20";
        properties.markerText = "peak";
        return true;
    });
    ASSERT_TRUE(maximum->command(Cmd::Properties));
    EXPECT_EQ(ui.formsShown.back(), ValShowForm::Name);
    EXPECT_EQ(maximum->settings().alarmRangeFrom, 0);
    EXPECT_EQ(maximum->settings().alarmRangeTo, 10);
    EXPECT_EQ(maximum->marker()->name, "peak");
    EXPECT_EQ(parentRepaints.count, 1);

    // A file may hold a critical range outside the scale; Cancel keeps the settings but clamps them.
    TempFolder folder;
    {
        TIniHelper ini((folder.path / "w.mws").string());
        ini.writeDouble("Window_1", "RangeFrom", 2);
        ini.writeDouble("Window_1", "RangeTo", 3);
        ini.writeDouble("Window_1", "AlarmRangeFrom", -5);
        ini.writeDouble("Window_1", "AlarmRangeTo", 20);
        ini.writeText("Window_1", "MarkerText", "peak");
        ini.writeInt("Window_1", "MarkerOn", 1);
        ASSERT_TRUE(ini.flush());
        maximum->loadKindKeys(ini, "Window_1");
    }
    EXPECT_EQ(maximum->settings().alarmRangeFrom, -5);
    ui.formAnswers.push_back([](DialogForm&) { return false; });
    ASSERT_TRUE(maximum->command(Cmd::Properties));
    EXPECT_EQ(maximum->settings().alarmRangeFrom, 2);
    EXPECT_EQ(maximum->settings().alarmRangeTo, 3);
    EXPECT_EQ(maximum->settings().markerText, "peak");
    EXPECT_EQ(parentRepaints.count, 2);
    file->unsubscribe(parentRepaints);
}

TEST_F(InstrumentTest, SavesItsSettingsThenItsParameters)
{
    marluneMDIChild* file = fileWindow({1, 2, 3, 4});
    ui.inputAnswers.push_back("0.0015");
    marlune1DChild* at = byCommand(file, Cmd::InstrumentAt);
    ASSERT_NE(at, nullptr);
    TempFolder folder;
    TIniHelper ini((folder.path / "w.mws").string());
    at->saveKindKeys(ini, "Window_1");
    ASSERT_TRUE(ini.flush());
    const std::string text = readBytes(folder.path / "w.mws");
    EXPECT_NE(text.find("AppExecTime=0\r\nValue1=0.0015\r\nValue2=0\r\n"), std::string::npos) << text;
    EXPECT_EQ(ini.readExtended("Window_1", "Value1"), at->value1());
    EXPECT_EQ(ini.readInt("Window_1", "MarkerOn"), 1);
}

// Every instrument kind, the SNR among them, comes back from a workspace with the value log below it.
TEST_F(InstrumentTest, EveryInstrumentComesBackWithItsValueLog)
{
    TempFolder folder;
    std::vector<float> samples(256);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(100 * std::sin(0.3 * double(i)) + (i % 7));
    const Signal tone(nullptr, SignalKind::FileSignal, samples.data(), uint32_t(samples.size()), 1000);
    ASSERT_TRUE(writeWavFile(folder.path / "tone.wav", tone));
    marluneMDIChild* wav = client.openFiles({(folder.path / "tone.wav").string()});
    ASSERT_NE(wav, nullptr);
    std::vector<int32_t> kinds;
    for (int32_t kind = 71; kind <= 85; ++kind) {
        if (kind == InstrumentKinds::BandSum3D)
            continue;
        marluneChild* instrument = DerivedWindows::createChild(client, *wav, kind, {0.01L, 0});
        ASSERT_NE(instrument, nullptr) << kind;
        ASSERT_NE(DerivedWindows::createChild(client, *instrument, SignalKind::Track, {20}), nullptr) << kind;
        kinds.push_back(kind);
        kinds.push_back(SignalKind::Track);
    }
    const auto file = folder.path / "instruments.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(client, file.string()));

    ScriptedUi freshUi;
    marluneMDIClient fresh(freshUi, "/nonexistent/");
    registerWindowKinds(fresh, nullptr);
    fresh.workspaces().load(file.string());
    const auto windows = fresh.windows();
    ASSERT_EQ(windows.size(), kinds.size() + 1);
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        EXPECT_EQ(windows[i + 1]->kind(), kinds[i]) << i;
        EXPECT_EQ(windows[i + 1]->title(), client.windows()[i + 1]->title()) << i;
    }
    EXPECT_TRUE(freshUi.messages.empty());
}
