#include "settings/TIniHelper.h"

#include <cstdio>

#include "base/CLocale.h"

namespace {
// Values are read into a buffer of 256 characters.
constexpr std::size_t MaxValueLength = 255;
}  // namespace

TIniHelper::TIniHelper(std::string fileName, std::string defaultSection)
    : fileName_(std::move(fileName)), defaultSection_(std::move(defaultSection))
{
}

// Changes still unwritten are written on the way out; a caller that must know whether that worked
// calls flush() itself first.
TIniHelper::~TIniHelper()
{
    static_cast<void>(flush());
}

void TIniHelper::create(std::string fileName, bool emptyFile)
{
    static_cast<void>(flush());
    fileName_ = std::move(fileName);
    profile_.reset();
    if (emptyFile)
        profile().clear();
}

PrivateProfile& TIniHelper::profile() const
{
    if (!profile_)
        profile_.emplace(fileName_);
    return *profile_;
}

std::string_view TIniHelper::sectionOrDefault(std::string_view section) const
{
    return section.empty() ? std::string_view(defaultSection_) : section;
}

template <typename T>
void TIniHelper::writeFormatted(std::string_view section, std::string_view key, const char* format, T value)
{
    const CLocaleScope numbersInC;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    writeText(section, key, buffer);
}

void TIniHelper::writeInt(std::string_view section, std::string_view key, int value)
{
    writeFormatted(section, key, "%i", value);
}

void TIniHelper::writeLong(std::string_view section, std::string_view key, long value)
{
    writeFormatted(section, key, "%li", value);
}

void TIniHelper::writeDouble(std::string_view section, std::string_view key, double value)
{
    writeFormatted(section, key, "%g", value);
}

void TIniHelper::writeExtended(std::string_view section, std::string_view key, long double value)
{
    writeFormatted(section, key, "%Lg", value);
}

void TIniHelper::writeText(std::string_view section, std::string_view key, std::string_view value)
{
    profile().setString(sectionOrDefault(section), key, value);
}

void TIniHelper::clearSection(std::string_view section)
{
    profile().clearSection(sectionOrDefault(section));
}

std::string TIniHelper::readValue(std::string_view section, std::string_view key,
                                  std::string_view defaultText) const
{
    std::string value = profile().getString(sectionOrDefault(section), key, defaultText);
    if (value.size() > MaxValueLength)
        value.resize(MaxValueLength);
    return value;
}

// A text that does not scan leaves the value 0.
template <typename T>
T TIniHelper::readScanned(std::string_view section, std::string_view key, const char* format) const
{
    const CLocaleScope numbersInC;
    T value{};
    std::sscanf(readValue(section, key, "0").c_str(), format, &value);
    return value;
}

int TIniHelper::readInt(std::string_view section, std::string_view key) const
{
    return readScanned<int>(section, key, "%i");
}

long TIniHelper::readLong(std::string_view section, std::string_view key) const
{
    return readScanned<long>(section, key, "%li");
}

double TIniHelper::readDouble(std::string_view section, std::string_view key) const
{
    return readScanned<double>(section, key, "%lG");
}

long double TIniHelper::readExtended(std::string_view section, std::string_view key) const
{
    return readScanned<long double>(section, key, "%Lg");
}

std::string TIniHelper::readText(std::string_view section, std::string_view key) const
{
    std::string value = readWholeText(section, key);
    if (value.size() > MaxValueLength)
        value.resize(MaxValueLength);
    return value;
}

std::string TIniHelper::readWholeText(std::string_view section, std::string_view key) const
{
    // Trimmed values are never a lone blank, so only a missing key reads the default.
    std::string value = profile().getString(sectionOrDefault(section), key, " ");
    return value == " " ? std::string() : value;
}

std::size_t TIniHelper::keyCount(std::string_view section) const
{
    return profile().keys(sectionOrDefault(section)).size();
}

bool TIniHelper::flush()
{
    return !profile_ || !profile_->modified() || profile_->save();
}
