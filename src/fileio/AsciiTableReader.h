#pragma once
// Reads an ASCII table: its head for the import's questions, then one signal per column.
#include <filesystem>
#include <optional>
#include <vector>

#include "fileio/FileReadResult.h"

// What the import needs to know before it asks anything: the column count (from the first line) and
// the first column of the first AsciiTable::AxisTestLines lines.
struct AsciiTableHead {
    int columns = 0;
    std::vector<double> firstColumn;
};

// Nothing when the file cannot be opened or has no line at all.
std::optional<AsciiTableHead> readAsciiTableHead(const std::filesystem::path& path);

// One signal of kind 24 for every column from `firstColumn` to `columns` - 1, one sample per line of
// the file, all with the given rate and X offset. Lines of any length are read whole. Invalid, with its
// reason, for a rate that cannot be used (as the readers of signal files refuse one) and for a table
// whose cells the file is too small to hold.
FileReadResult readAsciiColumns(const std::filesystem::path& path, int firstColumn, int columns,
                                long double sampleRate, long double xOffset);
