#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "fileio/AsciiTable.h"
#include "fileio/AsciiTableReader.h"
#include "signal/SignalKind.h"
#include "support/TempFolder.h"

namespace {
std::vector<double> fields(const std::string& line, int first, std::size_t count)
{
    std::vector<double> values(count, -99);
    AsciiTable::readFields(line, first, values);
    return values;
}
}  // namespace

TEST(AsciiTableTest, ColumnsAreTheTabsWithAValueAfterThem)
{
    EXPECT_EQ(AsciiTable::columnCount("0\t1"), 2);
    EXPECT_EQ(AsciiTable::columnCount("1\t2\t"), 2) << "a trailing tab has no value";
    EXPECT_EQ(AsciiTable::columnCount("1"), 1);
    EXPECT_EQ(AsciiTable::columnCount(""), 1);
    EXPECT_EQ(AsciiTable::columnCount("1\t\t3"), 3);
    EXPECT_EQ(AsciiTable::columnCount("1\t2\r"), 2) << "a CR line end counts as the character after the value";
}

TEST(AsciiTableTest, FieldsReadLikeTheCConversionAndMissingOnesReadZero)
{
    EXPECT_EQ(fields("1.5\t  -3e2\t+4\t0x10", 0, 4), (std::vector<double>{1.5, -300, 4, 16}));
    EXPECT_EQ(fields("2,5\t7", 0, 2), (std::vector<double>{2, 7})) << "a decimal comma ends the number";
    EXPECT_EQ(fields("1\t\t3", 0, 3), (std::vector<double>{1, 0, 3})) << "an empty field is 0, not the next one";
    EXPECT_EQ(fields("1\tabc\t3x", 0, 3), (std::vector<double>{1, 0, 3}));
    EXPECT_EQ(fields("1\t2", 1, 3), (std::vector<double>{2, 0, 0}));
    EXPECT_EQ(fields("", 0, 2), (std::vector<double>{0, 0}));
    const auto special = fields("nan\tinf\t-INF\t1e999", 0, 4);
    EXPECT_TRUE(std::isnan(special[0]));
    EXPECT_EQ(special[1], HUGE_VAL);
    EXPECT_EQ(special[2], -HUGE_VAL);
    EXPECT_EQ(special[3], HUGE_VAL);
}

TEST(AsciiTableTest, ThePointStaysTheDecimalSeparatorUnderACommaLocale)
{
    // The Qt program takes its locale from the environment; build a German one where none is installed.
    TempFolder locales;
    const std::string build = "localedef -i de_DE -f UTF-8 '" + (locales.path / "de_DE.UTF-8").string() + "' 2>/dev/null";
    if (std::system(build.c_str()) == 0)
        setenv("LOCPATH", locales.path.c_str(), 1);
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    const auto values = fields("1.5\t2,5", 0, 2);
    const double localeValue = std::strtod("2,5", nullptr);
    std::setlocale(LC_NUMERIC, previous.c_str());
    unsetenv("LOCPATH");
    if (!comma)
        GTEST_SKIP() << "no locale with a decimal comma could be made";
    EXPECT_EQ(localeValue, 2.5) << "the locale is in force";
    EXPECT_EQ(values, (std::vector<double>{1.5, 2}));
}

TEST(AsciiTableTest, AnEvenlySpacedFirstColumnGivesItsRate)
{
    const auto rate = AsciiTable::uniformRate(std::vector<double>{0, 0.001, 0.002});
    ASSERT_TRUE(rate);
    EXPECT_NEAR(double(*rate), 1000.0, 1e-9);
    // Spacing 1.001 against 1: within 0.1 % of x_2 = 2.002, so still even; the mean (2 x 1.001 + 1) / 3.
    EXPECT_NEAR(double(*AsciiTable::uniformRate(std::vector<double>{0, 1, 2.002})), 3 / 3.002, 1e-12);
    EXPECT_NEAR(double(*AsciiTable::uniformRate(std::vector<double>{10, 10.5})), 2.0, 1e-12);
}

TEST(AsciiTableTest, UnevenConstantDecreasingOrTooShortColumnsAreNoAxis)
{
    EXPECT_FALSE(AsciiTable::uniformRate(std::vector<double>{0, 1, 2.01})) << "0.5 % off";
    EXPECT_FALSE(AsciiTable::uniformRate(std::vector<double>{0, 1, 2, 3, 4, 5, 6.1}));
    EXPECT_FALSE(AsciiTable::uniformRate(std::vector<double>{5, 5, 5})) << "no spacing, no rate";
    EXPECT_FALSE(AsciiTable::uniformRate(std::vector<double>{2, 1, 0}));
    EXPECT_FALSE(AsciiTable::uniformRate(std::vector<double>{0, 1, NAN, 3}));
    EXPECT_FALSE(AsciiTable::uniformRate(std::vector<double>{7}));
}

TEST(AsciiTableTest, NegativeValuesAreTestedByTheirMagnitude)
{
    const auto rate = AsciiTable::uniformRate(std::vector<double>{-10, -9, -8, -7});
    ASSERT_TRUE(rate);
    EXPECT_NEAR(double(*rate), 1.0, 1e-12);
    EXPECT_FALSE(AsciiTable::uniformRate(std::vector<double>{-10, -9, -7.9}));
}

class AsciiReaderTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::filesystem::path write(const std::string& name, const std::string& text)
    {
        writeBytes(folder.path / name, text);
        return folder.path / name;
    }
};

TEST_F(AsciiReaderTest, TheHeadHoldsTheColumnCountAndUpTo513FirstValues)
{
    std::string text = "0\t5\t6\n";
    for (int i = 1; i < 600; ++i)
        text += std::to_string(i) + "\t1\n";
    const auto head = readAsciiTableHead(write("t.txt", text));
    ASSERT_TRUE(head);
    EXPECT_EQ(head->columns, 3);
    ASSERT_EQ(head->firstColumn.size(), 513u);
    EXPECT_EQ(head->firstColumn.back(), 512);

    const auto shortHead = readAsciiTableHead(write("s.txt", "1\t2\n3\t4"));
    ASSERT_TRUE(shortHead);
    EXPECT_EQ(shortHead->firstColumn, (std::vector<double>{1, 3}));
    EXPECT_FALSE(readAsciiTableHead(write("empty.txt", "")));
    EXPECT_FALSE(readAsciiTableHead(folder.path / "missing.txt"));
}

TEST_F(AsciiReaderTest, AMillionLinesAreReadCompletely)
{
    std::string text;
    for (int i = 0; i < 1000000; ++i)
        text += std::to_string(i) + "\t" + std::to_string(i % 1000) + ".5\n";
    const auto result = readAsciiColumns(write("big.txt", text), 1, 2, 1000, 0);
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result.signals.size(), 1u);
    const Signal& s = *result.signals[0];
    EXPECT_EQ(s.kind(), SignalKind::AsciiColumn);
    ASSERT_EQ(s.count(), 1000000u);
    EXPECT_EQ(s.samples()[0], 0.5f);
    EXPECT_EQ(s.samples()[32768], 768.5f);
    EXPECT_EQ(s.samples()[999999], 999.5f);
    EXPECT_EQ(s.sampleRate(), 1000.0L);
}

TEST_F(AsciiReaderTest, RaggedLongAndOddLinesReadWithoutHarm)
{
    const std::string longField = std::string(3000, ' ') + "7";
    const auto path = write("odd.txt", "1\t2\t3\r\n"
                                       "4\n"
                                       "\t\t\n"
                                       "5\t" + longField + "\t8\t9\t10\n"
                                       "nan\tinf\t1,5\n"
                                       "\n");
    const auto result = readAsciiColumns(path, 0, 3, 50, 2.5L);
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result.signals.size(), 3u);
    const auto column = [&](int c) {
        const Signal& s = *result.signals[std::size_t(c)];
        return std::vector<float>(s.samples(), s.samples() + s.count());
    };
    const std::vector<float> first = column(0);
    ASSERT_EQ(first.size(), 6u);
    EXPECT_EQ(first[0], 1);
    EXPECT_EQ(first[3], 5);
    EXPECT_TRUE(std::isnan(first[4]));
    EXPECT_EQ(column(1), (std::vector<float>{2, 0, 0, 7, INFINITY, 0}));
    EXPECT_EQ(column(2), (std::vector<float>{3, 0, 0, 8, 1, 0}));
    EXPECT_EQ(result.signals[2]->xOffset(), 2.5L);
}
