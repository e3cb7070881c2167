#include "FuzzFile.h"
#include "ReadChecks.h"
#include "fileio/SignalFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const FuzzFile file(".eeg");
    checkRead(readEegFile(file.write(data, size)), size);
    return 0;
}
