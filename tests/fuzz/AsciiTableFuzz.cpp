#include <cstring>

#include "FuzzFile.h"
#include "ReadChecks.h"
#include "fileio/AsciiTable.h"
#include "fileio/AsciiTableReader.h"

// The import's path: the head, the test of the first column, then every column at the found rate or at
// a rate taken from the first bytes where the rate dialog would accept it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const FuzzFile file(".txt");
    long double typed = 1000;
    if (size >= sizeof typed) {
        std::memcpy(&typed, data, sizeof typed);
        data += sizeof typed;
        size -= sizeof typed;
    }
    if (!isUsableSampleRate(typed))
        typed = 1000;
    const auto& path = file.write(data, size);
    const auto head = readAsciiTableHead(path);
    if (!head)
        return 0;
    if (head->columns < 1 || head->firstColumn.empty() || std::size_t(head->columns) > size + 1)
        std::abort();
    const auto found = AsciiTable::uniformRate(head->firstColumn);
    if (found && !isUsableSampleRate(*found))
        std::abort();
    const bool xAxis = found && head->columns >= 2;
    const FileReadResult result = readAsciiColumns(path, xAxis ? 1 : 0, head->columns, xAxis ? *found : typed,
                                                   xAxis ? head->firstColumn.front() : 0);
    checkRead(result, AsciiTable::MaxCellsPerByte * size);
    return 0;
}
