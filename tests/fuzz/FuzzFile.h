#pragma once
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

// The fuzz input as a file of the given name ending, since every reader starts from a path. One name per
// process, rewritten on each run; removed when the process ends normally.
class FuzzFile {
public:
    explicit FuzzFile(const std::string& ending)
        : path_(std::filesystem::temp_directory_path() /
                ("marlune-fuzz-" + std::to_string(::getpid()) + ending))
    {
    }
    ~FuzzFile()
    {
        std::error_code error;
        std::filesystem::remove(path_, error);
    }
    FuzzFile(const FuzzFile&) = delete;
    FuzzFile& operator=(const FuzzFile&) = delete;

    const std::filesystem::path& write(const uint8_t* data, std::size_t size) const
    {
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        if (!file)
            std::abort();
        if (size)
            std::fwrite(data, 1, size, file);
        std::fclose(file);
        return path_;
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};
