#pragma once
// The rules of an ASCII table: tab-separated columns of numbers, one row per line.
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace AsciiTable {

// Lines examined by the test of the first column: the first line and up to 512 more.
constexpr std::size_t AxisTestLines = 513;

// A table may hold at most this many cells (columns of the first line × lines) per byte of its file.
// Short lines fill their missing columns with 0, so a long first line over many empty lines would
// otherwise ask for memory out of all proportion to the file; a real table has a byte or more per cell.
constexpr std::size_t MaxCellsPerByte = 16;

// 1 plus the tabs of the first line that have a value after them.
int columnCount(std::string_view firstLine);

// Fills values[i] with column first + i of the line, 0 where the line has fewer columns. Each field is
// read from its start like the C library's string-to-number conversion in the "C" locale, whatever
// locale the program runs in (a decimal comma ends the number); an empty or non-numeric field reads 0.
void readFields(const std::string& line, int first, std::span<double> values);

// The sample rate of a first column x_0 ... x_K that is spaced evenly within 0.1 % of each value,
// or nothing. The tolerance is taken on the magnitude of x_j, so negative values can pass.
std::optional<long double> uniformRate(std::span<const double> x);

}  // namespace AsciiTable
