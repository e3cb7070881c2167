#include "FuzzFile.h"
#include "ReadChecks.h"
#include "fileio/WavReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const FuzzFile file(".wav");
    checkRead(readWavFile(file.write(data, size)), size);
    return 0;
}
