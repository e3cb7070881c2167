#pragma once
// The one way the program writes and reads its settings files.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "settings/PrivateProfile.h"

// Numbers are stored as printf texts and read back with scanf, so a missing number reads 0 and a missing
// text reads empty. An empty section argument means the default section. The file is read on first use and
// written once, by flush() or at destruction; reads see the helper's own unwritten changes. Failures are
// silent: reads give the defaults, flush() answers false.
class TIniHelper {
public:
    TIniHelper() = default;
    explicit TIniHelper(std::string fileName, std::string defaultSection = {});
    ~TIniHelper();

    TIniHelper(const TIniHelper&) = delete;
    TIniHelper& operator=(const TIniHelper&) = delete;

    // Addresses `fileName` from now on (pending changes of the previous file are flushed first).
    // With `emptyFile` the content is dropped; the file is then empty once flushed.
    void create(std::string fileName, bool emptyFile);
    const std::string& fileName() const { return fileName_; }
    void setDefaultSection(std::string section) { defaultSection_ = std::move(section); }
    const std::string& defaultSection() const { return defaultSection_; }

    void writeInt(std::string_view section, std::string_view key, int value);                  // "%i"
    void writeLong(std::string_view section, std::string_view key, long value);                // "%li"
    void writeDouble(std::string_view section, std::string_view key, double value);            // "%g"
    void writeExtended(std::string_view section, std::string_view key, long double value);     // "%Lg"
    void writeText(std::string_view section, std::string_view key, std::string_view value);
    void clearSection(std::string_view section);

    int readInt(std::string_view section, std::string_view key) const;                // "%i"
    long readLong(std::string_view section, std::string_view key) const;              // "%li"
    double readDouble(std::string_view section, std::string_view key) const;          // "%lG"
    long double readExtended(std::string_view section, std::string_view key) const;   // "%Lg"
    // A missing key or a value of one blank reads as the empty text.
    std::string readText(std::string_view section, std::string_view key) const;
    // The same without the cut at 255 characters, for texts that are read to be shown (a workspace's
    // message) or that name a file: both are whole only at their full length.
    std::string readWholeText(std::string_view section, std::string_view key) const;
    // The number of keys of the section: a count of keyed items read from the file holds no more.
    std::size_t keyCount(std::string_view section) const;

    // Writes the file when it has unwritten changes; false when writing failed.
    [[nodiscard]] bool flush();

private:
    PrivateProfile& profile() const;
    std::string_view sectionOrDefault(std::string_view section) const;
    template <typename T>
    void writeFormatted(std::string_view section, std::string_view key, const char* format, T value);
    template <typename T>
    T readScanned(std::string_view section, std::string_view key, const char* format) const;
    std::string readValue(std::string_view section, std::string_view key, std::string_view defaultText) const;

    std::string fileName_;
    std::string defaultSection_;
    mutable std::optional<PrivateProfile> profile_;
};
