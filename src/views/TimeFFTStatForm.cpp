#include "views/TimeFFTStatForm.h"

#include <cstdio>
#include <limits>
#include <sstream>

#include "base/CLocale.h"
#include "base/FormatText.h"
#include "base/NumberText.h"
#include "base/RegularFile.h"
#include "views/FFTSignal.h"

namespace {
constexpr const char* NoBand = "****\t***\t****\t****\t****\t****\r\n\r\n";
}  // namespace

TimeFFTStatForm::TimeFFTStatForm(const FFTSignal& data, const std::filesystem::path& bandFile)
    : data_(data), sets_(readBandSets(bandFile))
{
    if (!sets_.empty())
        chooseSet(0);
}

std::vector<BandSet> TimeFFTStatForm::readBandSets(const std::filesystem::path& file)
{
    std::vector<BandSet> sets;
    std::istringstream in(readRegularFile(file, MaxFileBytes).value_or(std::string()));
    const CLocaleScope numbersInC;
    for (std::string line; sets.size() < MaxSets && std::getline(in, line);) {
        BandSet set;
        char name[256] = {};
        auto& v = set.values;
        // The name is one blank-delimited word after the last band.
        if (std::sscanf(line.c_str(), "%f-%f;%f-%f;%f-%f;%f-%f;%f-%f;%255s", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5],
                        &v[6], &v[7], &v[8], &v[9], name) != 11)
            continue;
        set.name = name;
        sets.push_back(std::move(set));
    }
    return sets;
}

void TimeFFTStatForm::chooseSet(std::size_t index)
{
    if (index >= sets_.size())
        return;
    for (std::size_t band = 0; band < Bands; ++band) {
        fromText[band] = formatText("%f", double(sets_[index].values[2 * band]));
        toText[band] = formatText("%f", double(sets_[index].values[2 * band + 1]));
    }
    calculate();
}

void TimeFFTStatForm::calculate()
{
    results_ = "From\tTo\tMin\tMax\tSum\tAvg\r\n"
               "----------\t----------\t----------\t----------\t----------\t----------\r\n";
    for (std::size_t band = 0; band < Bands; ++band) {
        const double a = parseDouble(fromText[band].substr(0, FieldLength));
        const double b = parseDouble(toText[band].substr(0, FieldLength));
        if (!(a < b)) {
            results_ += NoBand;
            continue;
        }
        const BandStatistics s = data_.bandStatistics(a, b);
        if (s.minimum == std::numeric_limits<double>::max()) {
            results_ += NoBand;
            continue;
        }
        results_ += formatText("%.8g\t%.8g\t%.8g\t%.8g\t%.8g\t%.8g\r\n\r\n", a, b, s.minimum, s.maximum, s.sum, s.average);
    }
}
