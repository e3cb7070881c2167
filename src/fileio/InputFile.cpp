#include "fileio/InputFile.h"

#include <unistd.h>
#include <utility>

#include "base/RegularFile.h"

std::optional<InputFile> InputFile::open(const std::filesystem::path& path)
{
    const std::optional<OpenedFile> file = openRegularFile(path);
    if (!file)
        return std::nullopt;
    return InputFile(file->descriptor, file->size);
}

InputFile::InputFile(InputFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), size_(other.size_)
{
}

InputFile& InputFile::operator=(InputFile&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        size_ = other.size_;
    }
    return *this;
}

InputFile::~InputFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool InputFile::readAt(uint64_t offset, void* buffer, std::size_t count) const
{
    return readFileAt(fd_, offset, buffer, count);
}
