#include "FuzzFile.h"
#include "PictureChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const FuzzFile file(".bmp");
    checkPicture(PictureMatrix::read(file.write(data, size)), size, 765);
    return 0;
}
