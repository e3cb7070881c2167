#include "FuzzFile.h"
#include "views/Palette.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const FuzzFile file(".pal");
    if (const auto palette = Palette::read(file.write(data, size)))
        for (std::size_t i = 0; i <= Palette::Colours; ++i)
            static_cast<void>(palette->shown(i, i % 2 == 0));
    return 0;
}
