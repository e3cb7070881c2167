#include "base/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::optional<OpenedFile> openRegularFile(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    return OpenedFile{fd, uint64_t(info.st_size)};
}

bool readFileAt(int descriptor, uint64_t offset, void* buffer, std::size_t count)
{
    auto* out = static_cast<char*>(buffer);
    while (count > 0) {
        const ssize_t got = ::pread(descriptor, out, count, off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        out += got;
        offset += uint64_t(got);
        count -= std::size_t(got);
    }
    return true;
}

std::optional<uint64_t> readableFileSize(const std::filesystem::path& path)
{
    const std::optional<OpenedFile> file = openRegularFile(path);
    if (!file)
        return std::nullopt;
    ::close(file->descriptor);
    return file->size;
}

std::optional<std::string> readRegularFile(const std::filesystem::path& path, uint64_t maxBytes)
{
    const std::optional<OpenedFile> file = openRegularFile(path);
    if (!file)
        return std::nullopt;
    std::optional<std::string> content;
    // The size taken at opening bounds the read: a file that grows meanwhile gives no more than that.
    if (file->size <= maxBytes) {
        content.emplace(std::size_t(file->size), '\0');
        if (!readFileAt(file->descriptor, 0, content->data(), content->size()))
            content.reset();
    }
    ::close(file->descriptor);
    return content;
}
