#include "instruments/InstrumentFixture.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "base/FormatText.h"
#include "instruments/InstrumentAlarm.h"
#include "kinds/WindowKindRegistration.h"
#include "settings/TIniHelper.h"
#include "support/TempFolder.h"
#include "tree/BatchUiServices.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"

namespace fs = std::filesystem;

namespace {
InstrumentSettings criticalRange(double from, double to, bool inner)
{
    InstrumentSettings s;
    s.alarmRangeFrom = from;
    s.alarmRangeTo = to;
    s.alarmInner = inner;
    return s;
}

// An instrument whose every value in [-100, 100] is critical.
InstrumentSettings alarming(InstrumentSettings s, const std::string& application, int32_t interval)
{
    s.rangeFrom = -100;
    s.rangeTo = 100;
    s.alarmRangeFrom = -100;
    s.alarmRangeTo = 100;
    s.alarmInner = true;
    s.appExec = application;
    s.appExecTime = interval;
    return s;
}

class AlarmTest : public InstrumentTest {
protected:
    AlarmTest()
    {
        // A name with a blank, so that nothing may split it.
        writeBytes(program, "#!/bin/sh\nexit 0\n");
        fs::permissions(program, fs::perms::owner_all);
        writeBytes(document, "alarm\n");
    }

    // A mean instrument over a window that holds `value` everywhere; the clock reads `now`.
    marlune1DChild* meanOf(float value)
    {
        file = fileWindow(std::vector<float>(8, value));
        marlune1DChild* mean = byCommand(file, Cmd::InstrumentMean);
        mean->setClock([this] { return now; });
        return mean;
    }
    void setValue(float value)
    {
        std::fill_n(file->signal()->samples(), file->signal()->count(), value);
        file->updateAfterChange();
    }

    TempFolder folder;
    const fs::path program = folder.path / "sound alarm";
    const fs::path document = folder.path / "alarm.txt";
    marluneMDIChild* file = nullptr;
    int64_t now = 1'700'000'000;
};
}  // namespace

TEST(InstrumentAlarm, CriticalRangeInsideOutsideAndEmpty)
{
    const InstrumentSettings inner = criticalRange(2, 5, true);
    EXPECT_TRUE(InstrumentAlarm::critical(2, inner));
    EXPECT_TRUE(InstrumentAlarm::critical(5, inner));
    EXPECT_FALSE(InstrumentAlarm::critical(5.01, inner));
    EXPECT_FALSE(InstrumentAlarm::critical(1.99, inner));

    const InstrumentSettings outer = criticalRange(2, 5, false);
    EXPECT_TRUE(InstrumentAlarm::critical(1.99, outer));
    EXPECT_TRUE(InstrumentAlarm::critical(5.01, outer));
    EXPECT_FALSE(InstrumentAlarm::critical(2, outer));
    EXPECT_FALSE(InstrumentAlarm::critical(5, outer));

    for (bool isInner : {true, false})
        for (double value : {2.0, 3.0, 4.0})
            EXPECT_FALSE(InstrumentAlarm::critical(value, criticalRange(3, 3, isInner)));
    EXPECT_FALSE(InstrumentAlarm::critical(std::nan(""), inner));
    EXPECT_FALSE(InstrumentAlarm::critical(std::nan(""), outer));
}

TEST_F(AlarmTest, BeepsOnlyWhenAskedAndTheMarkerTurnsRed)
{
    file = fileWindow({1, 2, 3, 4});
    marlune1DChild* maximum = byCommand(file, Cmd::InstrumentMax);
    InstrumentSettings s = maximum->settings();
    s.alarmRangeFrom = 3.5;
    s.alarmRangeTo = 4;
    maximum->applySettings(s);
    file->updateAfterChange();
    EXPECT_TRUE(maximum->alarm());
    EXPECT_TRUE(maximum->marker()->alarm);
    EXPECT_EQ(ui.beeps, 0);

    s.alarmBeep = true;
    maximum->applySettings(s);
    file->updateAfterChange();
    EXPECT_EQ(ui.beeps, 1);

    file->signal()->samples()[3] = 0;
    file->updateAfterChange();
    EXPECT_FALSE(maximum->alarm());
    EXPECT_FALSE(maximum->marker()->alarm);
    EXPECT_EQ(ui.beeps, 1);
}

// Critical for five minutes, one update a second: with a minute between starts, five starts, each
// with the value of its moment as the only argument.
TEST_F(AlarmTest, ApplicationStartsOncePerIntervalWithTheValue)
{
    marlune1DChild* mean = meanOf(1);
    mean->applySettings(alarming(mean->settings(), program.string(), 60));
    std::vector<std::string> expected;
    for (int second = 0; second < 300; ++second, ++now) {
        const float value = float(second % 7) - 0.5f;
        setValue(value);
        if (second % 61 == 0)
            expected.push_back(formatText("%g", value));
    }
    ASSERT_EQ(ui.detached.size(), 5u);
    for (std::size_t i = 0; i < ui.detached.size(); ++i) {
        EXPECT_EQ(ui.detached[i].program, program.string());
        EXPECT_EQ(ui.detached[i].arguments, std::vector<std::string>{expected[i]});
    }
    EXPECT_EQ(expected.front(), "-0.5") << "a negative value is still the one argument";
    EXPECT_TRUE(ui.messages.empty()) << "a program typed in the dialog needs no agreement";
}

TEST_F(AlarmTest, WithoutIntervalAtMostOneStartASecond)
{
    marlune1DChild* mean = meanOf(3);
    mean->applySettings(alarming(mean->settings(), program.string(), 0));
    setValue(4);
    setValue(5);
    EXPECT_EQ(ui.detached.size(), 1u) << "the first value after creation starts it, the same second no more";
    ++now;
    setValue(6);
    ASSERT_EQ(ui.detached.size(), 2u);
    EXPECT_EQ(ui.detached.back().arguments, std::vector<std::string>{"6"});
}

TEST_F(AlarmTest, DocumentsOpenWithTheDesktopAndMissingFilesAreSkipped)
{
    marlune1DChild* mean = meanOf(2);
    mean->applySettings(alarming(mean->settings(), document.string(), 0));
    setValue(3);
    EXPECT_EQ(ui.openedWithDesktop, std::vector<std::string>{document.string()});
    EXPECT_TRUE(ui.detached.empty());

    for (const fs::path& nothing : {folder.path / "missing", folder.path}) {
        ++now;
        mean->applySettings(alarming(mean->settings(), nothing.string(), 0));
        setValue(3);
    }
    EXPECT_EQ(ui.openedWithDesktop.size(), 1u);
    EXPECT_TRUE(ui.detached.empty());
}

TEST_F(AlarmTest, AnApplicationFromAFileStartsOnlyAfterThePersonAgreed)
{
    marlune1DChild* mean = meanOf(2);
    {
        TIniHelper ini((folder.path / "w.mws").string());
        ini.writeText("Window_2", "AppExec", program.string());
        ini.writeDouble("Window_2", "RangeTo", 100);
        ini.writeDouble("Window_2", "AlarmRangeTo", 100);
        ini.writeInt("Window_2", "AlarmInner", 1);
        mean->loadKindKeys(ini, "Window_2");
    }
    EXPECT_TRUE(mean->settings().applicationUnconfirmed);

    ui.messageAnswers.push_back(MessageResult::No);
    setValue(7);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find(program.string()), std::string::npos) << "the full path is shown";
    EXPECT_NE(ui.messages[0].text.find("argument 7"), std::string::npos);
    EXPECT_TRUE(ui.detached.empty());
    now += 10;
    setValue(7);
    EXPECT_EQ(ui.messages.size(), 1u) << "refused once, not asked at every value";
    EXPECT_TRUE(ui.detached.empty());

    // The settings applied again (the properties dialog with the program left as it was) ask again.
    mean->applySettings(mean->settings());
    ++now;
    setValue(8);
    ASSERT_EQ(ui.messages.size(), 2u);
    ASSERT_EQ(ui.detached.size(), 1u);
    EXPECT_EQ(ui.detached[0].arguments, std::vector<std::string>{"8"});
    EXPECT_FALSE(mean->settings().applicationUnconfirmed);
    ++now;
    setValue(9);
    EXPECT_EQ(ui.messages.size(), 2u) << "agreed once is enough";
    EXPECT_EQ(ui.detached.size(), 2u);
}

TEST(InstrumentAlarmBatch, NothingStartsAndTheAlarmIsWritten)
{
    TempFolder folder;
    const fs::path program = folder.path / "alarm";
    writeBytes(program, "#!/bin/sh\nexit 0\n");
    fs::permissions(program, fs::perms::owner_all);
    std::ostringstream messages;
    BatchUiServices ui(messages);
    marluneMDIClient client(ui, "/nonexistent/");
    registerWindowKinds(client, nullptr);
    std::vector<float> samples(8, 5);
    auto* file = static_cast<marluneMDIChild*>(client.addWindow(std::make_unique<marluneMDIChild>(
        client, SignalKind::FileSignal,
        std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(), 8, 1000))));
    auto* mean = static_cast<marlune1DChild*>(DerivedWindows::createChild(client, *file, 71));
    ASSERT_NE(mean, nullptr);
    int64_t now = 10;
    mean->setClock([&now] { return now++; });

    InstrumentSettings s = alarming(mean->settings(), program.string(), 0);
    mean->applySettings(s);
    file->updateAfterChange();
    EXPECT_EQ(messages.str(), "Not started in a batch run: " + program.string() + " 5\n");

    // From a file nobody can agree to it in a batch run: the question is written and answered No.
    messages.str("");
    s.applicationUnconfirmed = true;
    mean->applySettings(s);
    file->updateAfterChange();
    file->updateAfterChange();
    EXPECT_NE(messages.str().find(program.string()), std::string::npos);
    EXPECT_EQ(messages.str().find("Not started"), std::string::npos);
}
