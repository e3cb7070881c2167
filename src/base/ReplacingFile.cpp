#include "base/ReplacingFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace fs = std::filesystem;

namespace {
// Links are followed to the file they name; a chain that does not end is left as it is and fails later.
fs::path followLinks(fs::path path)
{
    std::error_code error;
    for (int hop = 0; hop < 40 && fs::is_symlink(fs::symlink_status(path, error)); ++hop) {
        const fs::path next = fs::read_symlink(path, error);
        if (error)
            break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

// A new file gets what the user's umask allows; a replacement keeps the old file's permission bits.
mode_t modeFor(const fs::path& target)
{
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0)
        return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}
}  // namespace

ReplacingFile::ReplacingFile(const fs::path& target) : target_(followLinks(target))
{
    // Beside the target, so that the final rename never crosses file systems.
    std::string pattern = (target_.parent_path() / ("." + target_.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return;
    temporary_ = pattern;
    ::fchmod(fd, modeFor(target_));
    stream_ = ::fdopen(fd, "wb");
    if (!stream_) {
        ::close(fd);
        discard();
    }
}

ReplacingFile::~ReplacingFile()
{
    if (stream_)
        std::fclose(stream_);
    discard();
}

void ReplacingFile::write(const void* data, std::size_t bytes)
{
    if (stream_ && bytes > 0 && std::fwrite(data, 1, bytes, stream_) != bytes)
        failed_ = true;
}

bool ReplacingFile::commit()
{
    if (!stream_)
        return false;
    bool written = !failed_ && std::fflush(stream_) == 0 && ::fsync(::fileno(stream_)) == 0;
    written = std::fclose(stream_) == 0 && written;
    stream_ = nullptr;
    if (!written || std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void ReplacingFile::discard()
{
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}
