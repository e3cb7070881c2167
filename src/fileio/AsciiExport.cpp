#include "fileio/AsciiExport.h"

#include "fileio/OutputFile.h"

bool exportAscii(const std::filesystem::path& path, const Signal& signal)
{
    OutputFile out(path, true);
    const long double step = 1 / signal.sampleRate();
    long double x = signal.firstVisibleX();
    const float* samples = signal.visibleSamples();
    for (uint32_t i = 0; i < signal.visibleCount(); ++i, x += step)
        out.writeLine(double(x), samples[i]);
    return out.finish();
}
