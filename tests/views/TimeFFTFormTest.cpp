#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ScriptedUi.h"
#include "views/TimeFFTForm.h"

TEST(TimeFFTForm, ListsAndFieldsForTenThousandSamples)
{
    ScriptedUi ui;
    const TimeFFTForm form(ui, 10000, 8000, false);
    EXPECT_EQ(form.precisionEntries,
              (std::vector<std::string>{"16", "32", "64", "128", "256", "512", "1024", "2048", "4096", "8192"}));
    EXPECT_EQ(form.precision, 5);
    EXPECT_EQ(form.fftLength(), 512u);
    EXPECT_EQ(form.segmentsText, "29");  // floor(15000 / 512)
    EXPECT_EQ(form.stepText, "338");     // floor(9488 / 28)
    EXPECT_EQ(form.fromText, "15.62500");
    EXPECT_EQ(form.toText, "4000.00000");
    ASSERT_EQ(form.azimuthEntries.size(), 36u);
    EXPECT_EQ(form.azimuthEntries[form.azimuth], "150");
    EXPECT_EQ(form.azimuthEntries.back(), "350");
    ASSERT_EQ(form.elevationEntries.size(), 17u);
    EXPECT_EQ(form.elevationEntries[form.elevation], "50");
    EXPECT_EQ(form.elevationEntries[8], "0");
    EXPECT_EQ(form.elevationEntries.back(), "-80");
    EXPECT_TRUE(form.viewListsShown());
}

TEST(TimeFFTForm, EntriesStayBelowTheVisibleCount)
{
    ScriptedUi ui;
    EXPECT_EQ(TimeFFTForm(ui, 1024, 8000, false).precisionEntries.back(), "512");
    EXPECT_EQ(TimeFFTForm(ui, 1025, 8000, false).precisionEntries.back(), "1024");
    EXPECT_EQ(TimeFFTForm(ui, 10000000, 8000, false).precisionEntries.size(), 13u);
    EXPECT_TRUE(TimeFFTForm(ui, 16, 8000, false).precisionEntries.empty());
}

TEST(TimeFFTForm, PrecisionResetsFromAndTheStepFollowsTheSegments)
{
    ScriptedUi ui;
    TimeFFTForm form(ui, 10000, 8000, false);
    form.fromText = "100";
    form.precision = 6;
    form.precisionChanged();
    EXPECT_EQ(form.fromText, "7.81250");
    EXPECT_EQ(form.segmentsText, "29");  // not updated when N changes
    EXPECT_EQ(form.stepText, "320");     // floor(8976 / 28)

    form.segmentsText = "10";
    form.segmentsEdited();
    EXPECT_EQ(form.stepText, "997");
    form.segmentsText = "1";
    form.segmentsEdited();
    EXPECT_EQ(form.stepText, "997");  // one segment has no step

    form.stepText = "1000";
    form.stepEdited();
    EXPECT_EQ(form.segmentsText, "9");  // floor(8.976 + 1)
    form.stepText = "0";
    form.stepEdited();
    EXPECT_EQ(form.segmentsText, "9");
}

// The dialog copies rewritten fields into its widgets, whose change handlers come back into the form;
// the guard keeps a typed step from being replaced by the one its segment count would give.
TEST(TimeFFTForm, LinkedFieldsDoNotEcho)
{
    ScriptedUi ui;
    TimeFFTForm form(ui, 10000, 8000, false);
    form.precision = 6;
    form.precisionChanged();
    int shown = 0;
    form.showFields = [&] {
        ++shown;
        form.segmentsEdited();
        form.stepEdited();
    };
    form.stepText = "1000";
    form.stepEdited();
    EXPECT_EQ(form.segmentsText, "9");
    EXPECT_EQ(form.stepText, "1000");
    form.segmentsText = "12";
    form.segmentsEdited();
    EXPECT_EQ(form.stepText, "816");
    EXPECT_EQ(form.segmentsText, "12");
    EXPECT_EQ(shown, 2);
}

TEST(TimeFFTForm, AcceptReturnsTheChoices)
{
    ScriptedUi ui;
    TimeFFTForm form(ui, 10000, 8000, false);
    form.precision = 6;
    form.precisionChanged();
    form.segmentsText = "10";
    form.azimuth = 2;
    form.elevation = 16;
    form.fromText = "100";
    form.toText = "3000.5";
    ASSERT_TRUE(form.accept());
    EXPECT_TRUE(ui.messages.empty());
    const TimeFFTParameters& p = form.result();
    EXPECT_EQ(p.N, 1024u);
    EXPECT_EQ(p.M, 10u);
    EXPECT_EQ(p.azimuth, 2);
    EXPECT_EQ(p.elevation, 16);
    EXPECT_EQ(p.fromFrequency, 100.0L);
    EXPECT_EQ(p.toFrequency, 3000.5L);
}

TEST(TimeFFTForm, SpectrogramHidesTheViewAndReturnsMinusOne)
{
    ScriptedUi ui;
    TimeFFTForm form(ui, 10000, 8000, true);
    EXPECT_FALSE(form.viewListsShown());
    ASSERT_TRUE(form.accept());
    EXPECT_EQ(form.result().azimuth, -1);
    EXPECT_EQ(form.result().elevation, -1);
}

// fs 8000, N 256: From may not go below 31.25 Hz nor To above 4000 Hz (with 0.0001 to spare).
TEST(TimeFFTForm, EachFailedCheckShowsItsMessageAndKeepsTheDialogOpen)
{
    ScriptedUi ui;
    TimeFFTForm form(ui, 10000, 8000, false);
    form.precision = 4;
    form.precisionChanged();
    EXPECT_EQ(form.fromText, "31.25000");
    form.fromText = "20";
    EXPECT_FALSE(form.accept());
    EXPECT_EQ(ui.messageTexts(), (std::vector<std::string>{"Frequency range values are not correct !!"}));
    EXPECT_EQ(ui.messages[0].caption, "");

    ui.messages.clear();
    form.segmentsText = "0";
    EXPECT_FALSE(form.accept());
    EXPECT_EQ(ui.messageTexts(), (std::vector<std::string>{"Number of segments must be positive !!",
                                                           "Frequency range values are not correct !!"}));

    ui.messages.clear();
    form.segmentsText = "5";
    form.fromText = "31.2500999";
    form.toText = "4000.0000999";
    EXPECT_TRUE(form.accept());
    form.toText = "4000.0002";
    EXPECT_FALSE(form.accept());
    form.toText = "31.2500999";
    EXPECT_FALSE(form.accept());  // From must be below To
    EXPECT_EQ(ui.messages.size(), 2u);
}
