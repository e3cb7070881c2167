#include "FuzzFile.h"
#include "RateAnswer.h"
#include "ReadChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const FuzzFile file(".raw");
    const RateAnswer answer(data, size);
    checkRead(readRawFile(file.write(answer.file, answer.fileSize), answer.ask), answer.fileSize);
    return 0;
}
