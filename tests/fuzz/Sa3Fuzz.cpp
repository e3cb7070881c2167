#include "FuzzFile.h"
#include "RateAnswer.h"
#include "ReadChecks.h"
#include "fileio/Sa3Reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const FuzzFile file(".sa3");
    const RateAnswer answer(data, size);
    checkRead(readSa3File(file.write(answer.file, answer.fileSize), answer.ask), answer.fileSize);
    return 0;
}
