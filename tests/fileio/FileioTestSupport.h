#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Little-endian pieces for hand-made files.
inline void append16(Bytes& bytes, uint16_t value)
{
    bytes.insert(bytes.end(), {uint8_t(value), uint8_t(value >> 8)});
}
inline void append32(Bytes& bytes, uint32_t value)
{
    append16(bytes, uint16_t(value));
    append16(bytes, uint16_t(value >> 16));
}
inline void appendText(Bytes& bytes, const std::string& text)
{
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// A RIFF/WAVE file of the given chunks, each padded to an even size; an "RF64" file has the size
// 0xFFFFFFFF in its header.
inline Bytes riffWave(const std::vector<std::pair<std::string, Bytes>>& chunks, const std::string& id = "RIFF")
{
    Bytes body;
    appendText(body, "WAVE");
    for (const auto& [id, chunk] : chunks) {
        appendText(body, id);
        append32(body, uint32_t(chunk.size()));
        body.insert(body.end(), chunk.begin(), chunk.end());
        if (chunk.size() % 2)
            body.push_back(0);
    }
    Bytes file;
    appendText(file, id);
    append32(file, id == "RF64" ? 0xFFFFFFFF : uint32_t(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

inline Bytes fmtBody(uint16_t format, uint16_t channels, uint32_t rate, uint16_t blockAlign, uint16_t bits)
{
    Bytes fmt;
    append16(fmt, format), append16(fmt, channels), append32(fmt, rate), append32(fmt, rate * blockAlign);
    append16(fmt, blockAlign), append16(fmt, bits);
    return fmt;
}

// The extensible format: `subformat` is the format tag at the start of the subformat GUID.
inline Bytes extensibleFmtBody(uint16_t channels, uint32_t rate, uint16_t blockAlign, uint16_t bits,
                               uint16_t validBits, uint16_t subformat)
{
    Bytes fmt = fmtBody(0xFFFE, channels, rate, blockAlign, bits);
    append16(fmt, 22), append16(fmt, validBits), append32(fmt, 0), append16(fmt, subformat);
    fmt.insert(fmt.end(), {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71});
    return fmt;
}

// Each test works in a private folder, removed afterwards.
class FileioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "marlune-fileio-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::filesystem::path file(const std::string& name) const { return dir_ / name; }
    std::filesystem::path write(const std::string& name, const Bytes& bytes) const
    {
        std::ofstream(file(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return file(name);
    }
    static Bytes read(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static std::vector<float> readFloats(const std::filesystem::path& path)
    {
        const Bytes bytes = read(path);
        std::vector<float> values(bytes.size() / sizeof(float));
        std::memcpy(values.data(), bytes.data(), values.size() * sizeof(float));
        return values;
    }
    // A command line run in the folder; sox makes reference files this way.
    bool run(const std::string& command) const
    {
        return std::system(("cd '" + dir_.string() + "' && " + command).c_str()) == 0;
    }
    // Debian's Python with numpy, never the first python3 on PATH.
    bool python(const std::string& script) const
    {
        std::ofstream(file("script.py")) << script;
        return run("/usr/bin/python3 script.py");
    }

    std::filesystem::path dir_;
};
