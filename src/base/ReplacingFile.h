#pragma once
// A file saved whole or not at all: written beside its target, then renamed over it.
#include <cstddef>
#include <cstdio>
#include <filesystem>

// commit() puts it in place, so the target is always either the old file or the complete new one: a full
// disk or a failed write never costs the old file. A symbolic link is followed, so the file it points to is
// replaced and the link stays. The new file keeps the old file's permissions. Without commit() the
// temporary file is removed.
class ReplacingFile {
public:
    explicit ReplacingFile(const std::filesystem::path& target);
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    ~ReplacingFile();

    bool isOpen() const { return stream_ != nullptr; }
    // For formatted output; a writer that fails on it calls markFailed().
    std::FILE* stream() const { return stream_; }
    void write(const void* data, std::size_t bytes);
    void markFailed() { failed_ = true; }
    // Flushes the data to the disk and puts the file in place; false (the target untouched) when
    // the file could not be created, any write failed or the rename failed.
    [[nodiscard]] bool commit();

private:
    void discard();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* stream_ = nullptr;
    bool failed_ = false;
};
