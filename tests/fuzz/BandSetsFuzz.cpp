#include <cstdlib>

#include "FuzzFile.h"
#include "views/TimeFFTStatForm.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const FuzzFile file(".rng");
    const auto sets = TimeFFTStatForm::readBandSets(file.write(data, size));
    if (sets.size() > TimeFFTStatForm::MaxSets)
        std::abort();
    return 0;
}
