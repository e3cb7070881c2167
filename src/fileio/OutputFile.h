#pragma once
#include <cstddef>
#include <cstdio>
#include <filesystem>

// A file created for writing that remembers whether anything went wrong, so a writer checks once at
// the end. When the file cannot be created nothing is written at all.
class OutputFile {
public:
    explicit OutputFile(const std::filesystem::path& path, bool text = false);
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    bool isOpen() const { return stream_ != nullptr; }
    void write(const void* data, std::size_t bytes);
    // One line of the ASCII export: two reals with "%lg\t%lg\n".
    void writeLine(double x, double y);
    // Flushes and closes; true when the file was created and every write reached it.
    bool finish();

private:
    std::FILE* stream_ = nullptr;
    bool failed_ = false;
};
