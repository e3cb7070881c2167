#include "FuzzFile.h"
#include "ReadChecks.h"
#include "fileio/BinFile.h"

// Both variants: a start of 1, 1 selects the float one, anything else the legacy one.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const FuzzFile file(".bin");
    checkRead(readBinFile(file.write(data, size)), size);
    return 0;
}
