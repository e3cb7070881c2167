#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "FFTTestSupport.h"
#include "base/FormatText.h"
#include "dsp/TapWindow.h"
#include "support/AddressSpaceLimit.h"
#include "support/CommaLocale.h"
#include "support/HostileFiles.h"
#include "support/TempFolder.h"
#include "views/FFTSignal.h"
#include "views/TimeFFTStatForm.h"

namespace {
// Noise at 8 kHz: a Time FFT of N = 256 (bins of 31.25 Hz) and 20 segments.
struct StatFixture {
    std::unique_ptr<Signal> parent = parentOf(noise(8000, 7));
    FFTSignal data;
    TapWindow tap;
    StatFixture()
    {
        const TimeFFTParameters choices{256, 20, 15, 3, 31.25L, 4000};
        EXPECT_EQ(data.createTimeFFT(*parent, choices, hanningMagnitude(), tap), FFTSignal::Result::Done);
    }
};

std::size_t lines(const std::string& text)
{
    return std::size_t(std::count(text.begin(), text.end(), '\n'));
}
}  // namespace

// The shipped set of octaves fills the five bands and shows their results as the dialog opens.
TEST(TimeFFTStatForm, TheFirstBandSetIsChosenAndCalculatedAtOnce)
{
    StatFixture f;
    const TimeFFTStatForm form(f.data, std::string(MARLUNE_SOURCE_DIR) + "/resources/tfftstat.rng");
    ASSERT_GE(form.sets().size(), 1u);
    EXPECT_EQ(form.sets()[0].name, "octaves");
    EXPECT_EQ(form.fromText[0], "100.000000");
    EXPECT_EQ(form.toText[4], "3200.000000");
    EXPECT_EQ(lines(form.results()), 2u + 5u * 2u);
    EXPECT_TRUE(form.results().starts_with("From\tTo\tMin\tMax\tSum\tAvg\r\n----------\t"));

    // The band 100 ... 200 Hz covers bins ceil((100 - 31.25) / 31.25) = 3 to floor((200 - 31.25) / 31.25) = 5.
    double sum = 0;
    for (uint32_t r = 0; r < 20; ++r)
        for (uint32_t j = 3; j <= 5; ++j)
            sum += f.data.value(r, j);
    const std::string first = form.results().substr(form.results().find("100\t200\t"));
    const BandStatistics s = f.data.bandStatistics(100, 200);
    EXPECT_NEAR(s.sum, sum, 1e-9 * sum);
    EXPECT_TRUE(first.starts_with(formatText("100\t200\t%.8g\t%.8g\t%.8g\t%.8g\r\n\r\n", s.minimum, s.maximum, s.sum, s.average)));
}

TEST(TimeFFTStatForm, EmptyEqualAndTooHighBandsShowTheStarLine)
{
    StatFixture f;
    TimeFFTStatForm form(f.data, "/nonexistent/tfftstat.rng");
    EXPECT_TRUE(form.sets().empty());
    form.fromText = {"500", "700", "5000", "", "10"};
    form.toText = {"600", "700", "6000", "", "20"};
    form.calculate();
    const std::string star = "****\t***\t****\t****\t****\t****\r\n\r\n";
    const std::string& text = form.results();
    EXPECT_EQ(lines(text), 12u);
    std::size_t stars = 0;
    for (std::size_t at = text.find(star); at != std::string::npos; at = text.find(star, at + 1))
        ++stars;
    EXPECT_EQ(stars, 4u) << "equal ends, empty row, above the highest bin (4000 Hz) and below the lowest";
}

// The band file is read in the C locale, whatever the user's; damaged lines are skipped.
TEST(TimeFFTStatForm, BandSetsReadWithAPointUnderACommaLocale)
{
    const CommaLocale german;
    REQUIRE_COMMA_LOCALE(german);
    TempFolder folder;
    writeBytes(folder.path / "tfftstat.rng", "1.5-2.5;3-4;5-6;7-8;9-10;first\nbroken line\n0-1;1-2;2-3;3-4;4-5;second\n");
    const auto sets = TimeFFTStatForm::readBandSets(folder.path / "tfftstat.rng");
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].values[0], 1.5f);
    EXPECT_EQ(sets[0].values[1], 2.5f);
    EXPECT_EQ(sets[1].name, "second");
}

TEST(TimeFFTStatForm, BandSetsComeOnlyFromARegularFileOfBoundedSize)
{
    TempFolder folder;
    const HangGuard guard;
    const AddressSpaceLimit limit(16u << 20);
    for (const auto& hostile : hostileFiles(folder.path, "tfftstat.rng", TimeFFTStatForm::MaxFileBytes + 1))
        EXPECT_TRUE(TimeFFTStatForm::readBandSets(hostile).empty()) << hostile.filename();
    const auto largest = folder.path / "largest.rng";
    writeBytes(largest, "1-2;3-4;5-6;7-8;9-10;Set\n");
    std::filesystem::resize_file(largest, TimeFFTStatForm::MaxFileBytes);
    EXPECT_EQ(TimeFFTStatForm::readBandSets(largest).size(), 1u);
}
