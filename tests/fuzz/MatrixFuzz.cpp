#include "FuzzFile.h"
#include "PictureChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const FuzzFile file(".mat");
    checkPicture(PictureMatrix::read(file.write(data, size)), size, 4294967296.0f);
    return 0;
}
