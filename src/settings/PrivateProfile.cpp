#include "settings/PrivateProfile.h"

#include <utility>

#include "base/RegularFile.h"
#include "base/ReplacingFile.h"

namespace fs = std::filesystem;

namespace {
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

std::string_view trim(std::string_view text)
{
    constexpr std::string_view blanks = " \t\r\f\v";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string_view unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The name as the index finds it: names match without regard to case.
std::string folded(std::string_view name)
{
    std::string key(name);
    for (char& c : key)
        c = lower(c);
    return key;
}

// A line break (or a NUL) inside a name or a value would end its line and start keys or sections of
// its own, so each is stored as a blank: a value always stays the one value of its key.
std::string oneLine(std::string_view text)
{
    std::string line(text);
    for (char& c : line)
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    return line;
}

}  // namespace

PrivateProfile::PrivateProfile(fs::path file) : file_(std::move(file))
{
    // A missing, oversized or non-regular file and a read fault all give no content: the caller's defaults apply.
    const std::string content = readRegularFile(file_, MaxFileBytes).value_or(std::string());
    std::string_view rest = content;
    if (rest.starts_with(ByteOrderMark)) {
        byteOrderMark_ = true;
        rest.remove_prefix(ByteOrderMark.size());
    }
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const std::string_view trimmed = trim(line);
        if (trimmed.starts_with('[')) {
            const auto close = trimmed.find(']');
            const auto nameLength = close == std::string_view::npos ? close : close - 1;
            addSection(std::string(trim(trimmed.substr(1, nameLength))), std::string(line));
        } else if (sections_.empty()) {
            preamble_.push_back({std::string(line), {}, {}});
        } else {
            sections_.back().lines.push_back(parseLine(std::string(line)));
        }
    }
}

bool PrivateProfile::readable(const fs::path& file)
{
    const std::optional<uint64_t> size = readableFileSize(file);
    return size && *size <= MaxFileBytes;
}

PrivateProfile::Line PrivateProfile::parseLine(std::string text)
{
    const std::string_view trimmed = trim(text);
    const auto equals = trimmed.find('=');
    if (trimmed.starts_with(';') || equals == std::string_view::npos)
        return {std::move(text), {}, {}};
    std::string key(trim(trimmed.substr(0, equals)));
    std::string value(unquote(trim(trimmed.substr(equals + 1))));
    return {std::move(text), std::move(key), std::move(value)};
}

void PrivateProfile::addSection(std::string name, std::string header)
{
    // The first of duplicate sections stays the one that is found.
    sectionIndex_.try_emplace(folded(name), sections_.size());
    sections_.push_back({std::move(name), std::move(header), {}});
}

const PrivateProfile::Section* PrivateProfile::findSection(std::string_view name) const
{
    const auto found = sectionIndex_.find(folded(trim(name)));
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

PrivateProfile::Section* PrivateProfile::findSection(std::string_view name)
{
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

PrivateProfile::Section& PrivateProfile::sectionForWriting(std::string_view name)
{
    if (Section* section = findSection(name))
        return *section;
    name = trim(name);
    addSection(std::string(name), "[" + std::string(name) + "]");
    modified_ = true;
    return sections_.back();
}

std::string PrivateProfile::getString(std::string_view section, std::string_view key,
                                      std::string_view defaultValue) const
{
    if (const Section* found = findSection(section))
        if (const Line* line = findKey(*found, trim(key)))
            return line->value;
    return std::string(defaultValue);
}

const PrivateProfile::Line* PrivateProfile::findKey(const Section& section, std::string_view key)
{
    if (!section.indexed) {
        section.keyIndex.clear();
        for (std::size_t i = 0; i < section.lines.size(); ++i)
            if (!section.lines[i].key.empty())
                section.keyIndex.try_emplace(folded(section.lines[i].key), i);
        section.indexed = true;
    }
    const auto found = section.keyIndex.find(folded(key));
    return found == section.keyIndex.end() ? nullptr : &section.lines[found->second];
}

void PrivateProfile::setString(std::string_view section, std::string_view key, std::string_view value)
{
    Section& target = sectionForWriting(oneLine(section));
    const std::string safeKey = oneLine(trim(key));
    key = safeKey;
    const std::string safeValue = oneLine(value);
    value = safeValue;
    if (const Line* found = findKey(target, key)) {
        Line& line = const_cast<Line&>(*found);
        std::string text = line.key + "=" + std::string(value);
        if (text != line.text) {
            line = parseLine(std::move(text));
            modified_ = true;
        }
        return;
    }
    // After the section's last non-blank line, so blank lines that separate it from the next stay.
    auto position = target.lines.end();
    while (position != target.lines.begin() && trim(std::prev(position)->text).empty())
        --position;
    if (position == target.lines.end())
        target.keyIndex.try_emplace(folded(key), target.lines.size());
    else
        target.indexed = false;
    target.lines.insert(position, parseLine(std::string(key) + "=" + std::string(value)));
    modified_ = true;
}

void PrivateProfile::clearSection(std::string_view section)
{
    Section& target = sectionForWriting(oneLine(section));
    if (!target.lines.empty()) {
        target.lines.clear();
        target.keyIndex.clear();
        modified_ = true;
    }
}

void PrivateProfile::clear()
{
    preamble_.clear();
    sections_.clear();
    sectionIndex_.clear();
    byteOrderMark_ = false;
    modified_ = true;
}

std::vector<std::string> PrivateProfile::sectionNames() const
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < sections_.size(); ++i)
        if (sectionIndex_.at(folded(sections_[i].name)) == i)
            names.push_back(sections_[i].name);
    return names;
}

std::vector<std::string> PrivateProfile::keys(std::string_view section) const
{
    std::vector<std::string> names;
    if (const Section* found = findSection(section))
        for (std::size_t i = 0; i < found->lines.size(); ++i)
            if (const Line& line = found->lines[i]; !line.key.empty() && findKey(*found, line.key) == &line)
                names.push_back(line.key);
    return names;
}

std::string PrivateProfile::serialize() const
{
    std::string content(byteOrderMark_ ? ByteOrderMark : std::string_view());
    const auto append = [&content](const std::string& line) { content.append(line).append("\r\n"); };
    for (const Line& line : preamble_)
        append(line.text);
    for (const Section& section : sections_) {
        append(section.header);
        for (const Line& line : section.lines)
            append(line.text);
    }
    return content;
}

bool PrivateProfile::save()
{
    if (file_.empty())
        return false;
    const std::string content = serialize();
    ReplacingFile out(file_);
    out.write(content.data(), content.size());
    if (!out.commit())
        return false;
    modified_ = false;
    return true;
}
