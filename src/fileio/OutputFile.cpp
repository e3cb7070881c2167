#include "fileio/OutputFile.h"

OutputFile::OutputFile(const std::filesystem::path& path, bool text)
    : stream_(std::fopen(path.c_str(), text ? "w" : "wb"))
{
}

OutputFile::~OutputFile()
{
    if (stream_)
        std::fclose(stream_);
}

void OutputFile::write(const void* data, std::size_t bytes)
{
    if (stream_ && bytes > 0 && std::fwrite(data, 1, bytes, stream_) != bytes)
        failed_ = true;
}

void OutputFile::writeLine(double x, double y)
{
    if (stream_ && std::fprintf(stream_, "%lg\t%lg\n", x, y) < 0)
        failed_ = true;
}

bool OutputFile::finish()
{
    if (!stream_)
        return false;
    const bool closed = std::fclose(stream_) == 0;
    stream_ = nullptr;
    return closed && !failed_;
}
