#include "fileio/AsciiExport.h"

#include "base/CLocale.h"
#include "base/ReplacingFile.h"

bool exportAscii(const std::filesystem::path& path, const Signal& signal)
{
    ReplacingFile out(path);
    if (!out.isOpen())
        return false;
    const CLocaleScope numbersInC;
    const long double step = 1 / signal.sampleRate();
    long double x = signal.firstVisibleX();
    const float* samples = signal.visibleSamples();
    for (uint32_t i = 0; i < signal.visibleCount(); ++i, x += step)
        if (std::fprintf(out.stream(), "%lg\t%lg\n", double(x), double(samples[i])) < 0) {
            out.markFailed();
            break;
        }
    return out.commit();
}
