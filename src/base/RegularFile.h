#pragma once
// Reads regular files only: a FIFO, a device or a directory in a file's place is refused.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// A descriptor open for reading on a regular file, and the file's size when it was opened.
struct OpenedFile {
    int descriptor = -1;
    uint64_t size = 0;
};

// Opens `path` for reading only when it is a regular file: a FIFO does not block the open, and the check
// is made on the opened descriptor, so nothing can be put in the file's place in between. Nothing for a
// missing or unreadable name, a directory, a FIFO, a device or a socket; the caller closes the descriptor.
std::optional<OpenedFile> openRegularFile(const std::filesystem::path& path);

// Reads exactly `count` bytes at `offset`; false when the file ends first or the read fails.
bool readFileAt(int descriptor, uint64_t offset, void* buffer, std::size_t count);

// The size of a regular file that openRegularFile can open; nothing where it cannot.
std::optional<uint64_t> readableFileSize(const std::filesystem::path& path);

// The content of a regular file of at most `maxBytes`, read whole; nothing where openRegularFile gives
// nothing, for a larger file, and when the read fails.
std::optional<std::string> readRegularFile(const std::filesystem::path& path, uint64_t maxBytes);
