#pragma once
// A regular file open for reading, with its size taken once at opening; all counts derive from it.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

class InputFile {
public:
    // Nothing for a missing or unreadable name, a directory, a FIFO or any other non-regular file
    // (openRegularFile).
    static std::optional<InputFile> open(const std::filesystem::path& path);

    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    uint64_t size() const { return size_; }
    // Reads exactly `count` bytes at `offset`; false when the file ends first or the read fails.
    bool readAt(uint64_t offset, void* buffer, std::size_t count) const;

private:
    InputFile(int fd, uint64_t size) : fd_(fd), size_(size) {}

    int fd_ = -1;
    uint64_t size_ = 0;
};
