#include "fileio/AsciiTable.h"

#include <cmath>
#include <cstdlib>

#include "base/NumberText.h"
#include "fileio/FileReadResult.h"

namespace {

double parseField(const char* text)
{
    while (*text == ' ')
        ++text;
    // A tab here starts the next field: the conversion would skip it and read that field instead.
    if (*text == '\t' || *text == '\0')
        return 0;
    return parseDouble(text);
}

// Where the field after the one at `at` starts; npos when the line has no more.
std::size_t nextField(const std::string& line, std::size_t at)
{
    const std::size_t tab = line.find('\t', at);
    return tab == std::string::npos ? tab : tab + 1;
}

}  // namespace

namespace AsciiTable {

int columnCount(std::string_view firstLine)
{
    int columns = 1;
    for (std::size_t i = 0; i + 1 < firstLine.size(); ++i)
        if (firstLine[i] == '\t')
            ++columns;
    return columns;
}

void readFields(const std::string& line, int first, std::span<double> values)
{
    std::size_t at = 0;
    for (int column = 0; column < first && at != std::string::npos; ++column)
        at = nextField(line, at);
    for (double& value : values) {
        value = at == std::string::npos ? 0 : parseField(line.c_str() + at);
        if (at != std::string::npos)
            at = nextField(line, at);
    }
}

std::optional<long double> uniformRate(std::span<const double> x)
{
    if (x.size() < 2)
        return std::nullopt;
    long double mean = std::fabs((long double)x[1] - x[0]);
    for (std::size_t j = 2; j < x.size(); ++j) {
        const long double step = ((long double)x[j] - x[0]) / j;
        // Written so that a NaN anywhere fails the test.
        if (!(std::fabs(step - mean) <= std::fabs(x[j]) * 0.001L))
            return std::nullopt;
        mean = (j * step + mean) / (j + 1);
    }
    const long double rate = 1 / mean;
    if (!isUsableSampleRate(rate))
        return std::nullopt;
    return rate;
}

}  // namespace AsciiTable
