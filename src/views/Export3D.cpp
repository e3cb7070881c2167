#include "views/Export3D.h"

#include "base/FormatText.h"
#include "base/ReplacingFile.h"
#include "views/FFTSignal.h"

namespace {
// A Time FFT exports its rows one row step later than its read-out shows them.
double exportedX(const FFTSignal& data, int32_t r)
{
    return data.source() == FFTSignal::Source::TimeFFT ? data.rowOrigin + double(r + 1) * data.rowStep : data.rowX(r);
}

// The exported Y counts from 0 for a Time FFT, whose read-out starts at one bin step.
double exportedY(const FFTSignal& data, int32_t j)
{
    const double origin = data.source() == FFTSignal::Source::TimeFFT ? 0.0 : data.yOrigin;
    return origin + double(j) * data.binStep;
}

void put(ReplacingFile& file, const std::string& text)
{
    file.write(text.data(), text.size());
}
}  // namespace

bool Export3D::writeTriples(const FFTSignal& data, const std::filesystem::path& path)
{
    ReplacingFile file(path);
    if (!file.isOpen())
        return false;
    const ViewLevel& level = data.level();
    for (int32_t r = level.firstRow; r <= level.lastRow; ++r)
        for (int32_t j = level.firstBin; j <= level.lastBin; ++j)
            put(file, formatText("%g\t%g\t%g\n", exportedX(data, r), exportedY(data, j),
                                 double(data.value(uint32_t(r), uint32_t(j)))));
    return file.commit();
}

bool Export3D::writeMatrix(const FFTSignal& data, const std::filesystem::path& path, const std::string& xLabel,
                           const std::string& yLabel)
{
    ReplacingFile file(path);
    if (!file.isOpen())
        return false;
    const ViewLevel& level = data.level();
    std::string line = formatText("%s/%s\t", xLabel.c_str(), yLabel.c_str());
    for (int32_t j = level.firstBin; j <= level.lastBin; ++j)
        line += formatText(j == level.firstBin ? "%g" : "\t%g", exportedY(data, j));
    put(file, line + "\n");
    for (int32_t r = level.firstRow; r <= level.lastRow; ++r) {
        const float* values = data.row(uint32_t(r));
        line = formatText("%g\t%g", exportedX(data, r), double(values[level.firstBin]));
        for (int32_t j = level.firstBin + 1; j <= level.lastBin; ++j)
            line += formatText("\t%g", double(values[j]));
        put(file, line + "\n");
    }
    return file.commit();
}
