#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

// A fresh folder under the system's temporary folder, removed with its content afterwards.
struct TempFolder {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("marlune-test-" + std::to_string(std::random_device{}()));

    TempFolder() { std::filesystem::create_directories(path); }
    ~TempFolder()
    {
        std::error_code error;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(path, error);
    }
    std::size_t entries() const
    {
        const std::filesystem::directory_iterator all(path);
        return static_cast<std::size_t>(std::distance(begin(all), end(all)));
    }
};

inline std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& file, std::string_view bytes)
{
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
