#pragma once
// One private-profile (INI) file held in memory: "[section]" headers and "key=value" lines.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Section and key names match without regard to case; the first of duplicate sections or keys wins. Lines
// that are not keys (comments starting with ';', blank or malformed lines) are kept in place. Changes stay
// in memory until save(), which replaces the whole file atomically.
class PrivateProfile {
public:
    // No settings file of the program comes near this; a larger one, or anything but a regular file (a
    // FIFO would block the read, a link to a device would never end), is read as a missing file.
    static constexpr uint64_t MaxFileBytes = uint64_t(64) << 20;

    // Reads `file`; a missing or unreadable file gives an empty document.
    explicit PrivateProfile(std::filesystem::path file);

    // Whether `file` would be read: a regular file of at most MaxFileBytes that can be opened.
    static bool readable(const std::filesystem::path& file);

    const std::filesystem::path& file() const { return file_; }

    // The value trimmed of blanks and of one pair of enclosing quotes, or `defaultValue`
    // when the section or the key is missing.
    std::string getString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // Replaces the value in place (the stored spelling of the key stays), or appends the key to
    // its section, or appends a new section holding the key at the end of the file.
    void setString(std::string_view section, std::string_view key, std::string_view value);
    // Removes every line of the section but its header; a missing section is appended empty.
    void clearSection(std::string_view section);
    // Drops the whole content, as if the file were empty.
    void clear();

    // Section names in file order, each once, spelled as first stored.
    std::vector<std::string> sectionNames() const;
    // The section's key names in file order, each once; empty for a missing section.
    std::vector<std::string> keys(std::string_view section) const;

    // Whether the document differs from what was last read or saved.
    bool modified() const { return modified_; }
    // Writes every line with CRLF into a temporary file beside the target and renames it over
    // the target, so the file is either the old or the new one. False when that failed.
    [[nodiscard]] bool save();

private:
    struct Line {
        std::string text;  // as written to the file, without the line end
        std::string key;   // empty when the line is not a key
        std::string value;
    };
    struct Section {
        std::string name;
        std::string header;
        std::vector<Line> lines;
        // Each key, folded to lower case, to its first line; made when first asked for, so a section of
        // many keys (a workspace's list of roots) is read in time proportional to its size.
        mutable std::unordered_map<std::string, std::size_t> keyIndex = {};
        mutable bool indexed = false;
    };

    static Line parseLine(std::string text);
    void addSection(std::string name, std::string header);
    // The line of `key` in the section, or null.
    static const Line* findKey(const Section& section, std::string_view key);
    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;
    Section& sectionForWriting(std::string_view name);
    std::string serialize() const;

    std::filesystem::path file_;
    std::vector<Line> preamble_;  // lines before the first header; kept but not addressable
    std::vector<Section> sections_;
    // Each section name, folded to lower case, to the first section of that name: a workspace of many
    // windows is read and written in time proportional to its size.
    std::unordered_map<std::string, std::size_t> sectionIndex_;
    bool byteOrderMark_ = false;
    bool modified_ = false;
};
