#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "fileio/AsciiTable.h"
#include "fileio/AsciiTableReader.h"
#include "signal/SignalKind.h"
#include "support/CommaLocale.h"
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
    const CommaLocale german;
    REQUIRE_COMMA_LOCALE(german);
    EXPECT_EQ(fields("1.5\t2,5", 0, 2), (std::vector<double>{1.5, 2}));
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

// Whichever editor wrote the table, it gives the same windows with the same samples.
TEST_F(AsciiReaderTest, CrlfAndByteOrderMarkGiveTheSameTableAsPlainLf)
{
    const std::string lf = "0\t1.5\t\n1\t2.5\t\n2\t3.5\t\n";
    std::string crlf;
    for (const char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const auto plain = readAsciiTableHead(write("lf.txt", lf));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->columns, 2);
    for (const std::string& text : {crlf, "\xEF\xBB\xBF" + lf, "\xEF\xBB\xBF" + crlf}) {
        const auto path = write("other.txt", text);
        const auto head = readAsciiTableHead(path);
        ASSERT_TRUE(head);
        EXPECT_EQ(head->columns, plain->columns);
        EXPECT_EQ(head->firstColumn, (std::vector<double>{0, 1, 2})) << "the mark is not part of the first number";
        const auto result = readAsciiColumns(path, 0, head->columns, 10, 0);
        ASSERT_TRUE(result.ok());
        ASSERT_EQ(result.signals.size(), 2u);
        const Signal& second = *result.signals[1];
        EXPECT_EQ(std::vector<float>(second.samples(), second.samples() + second.count()),
                  (std::vector<float>{1.5f, 2.5f, 3.5f}));
    }
}

// Lines are counted before they are read; a last line without its line end still counts.
TEST_F(AsciiReaderTest, TheLastLineCountsWithOrWithoutItsLineEnd)
{
    for (const std::string& text : {std::string("1\n2\n3"), std::string("1\n2\n3\n"), std::string("1\r\n2\r\n3\r\n")}) {
        const auto result = readAsciiColumns(write("n.txt", text), 0, 1, 10, 0);
        ASSERT_TRUE(result.ok());
        const Signal& s = *result.signals[0];
        EXPECT_EQ(std::vector<float>(s.samples(), s.samples() + s.count()), (std::vector<float>{1, 2, 3}));
    }
    const auto blankLines = readAsciiColumns(write("b.txt", "\n\n"), 0, 1, 10, 0);
    ASSERT_TRUE(blankLines.ok());
    EXPECT_EQ(blankLines.signals[0]->count(), 2u);
}

// Short lines read their missing columns as 0, up to a bound on the cells per byte of the file: a first
// line of many tabs over many empty lines would otherwise ask for memory out of all proportion to it.
TEST_F(AsciiReaderTest, CellsBeyondTheirShareOfTheFileAreRefused)
{
    const auto tableOf = [](int columns, std::size_t emptyLines) {
        std::string text = "1";
        for (int c = 1; c < columns; ++c)
            text += "\t1";
        return text + "\n" + std::string(emptyLines, '\n');
    };
    // 16 columns over 16 lines in 47 bytes: 256 cells, within 16 a byte.
    const auto sparse = readAsciiColumns(write("sparse.txt", tableOf(16, 15)), 0, 16, 10, 0);
    ASSERT_TRUE(sparse.ok());
    ASSERT_EQ(sparse.signals.size(), 16u);
    EXPECT_EQ(sparse.signals[15]->count(), 16u);
    EXPECT_EQ(sparse.signals[15]->samples()[0], 1.0f);
    EXPECT_EQ(sparse.signals[15]->samples()[15], 0.0f);

    // 4000 columns over 20000 lines in 28000 bytes: 80 million cells, 2857 a byte.
    const auto hostile = readAsciiColumns(write("hostile.txt", tableOf(4000, 19999)), 0, 4000, 10, 0);
    EXPECT_EQ(hostile.error, FileReadError::Invalid);
    EXPECT_TRUE(hostile.signals.empty());

    // The bound scales with the file: the same shape, each line holding its columns, is read.
    std::string dense;
    for (int line = 0; line < 200; ++line)
        dense += tableOf(40, 0);
    const auto full = readAsciiColumns(write("dense.txt", dense), 0, 40, 10, 0);
    ASSERT_TRUE(full.ok());
    EXPECT_EQ(full.signals.size(), 40u);
    EXPECT_EQ(full.signals[39]->count(), 200u);
}
