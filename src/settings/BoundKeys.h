#pragma once
// Keys of a workspace section bound to the values a window holds: one row writes a key and reads it back.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <variant>

#include "settings/TIniHelper.h"

// A key's value: a number in the key's format, or a text.
using KeyValue = std::variant<long double, std::string>;

enum class KeyFormat { Int, Double, Extended, Text };  // "%i", "%g", "%Lg", text

template <class Owner>
struct BoundKey {
    const char* name;
    KeyFormat format;
    // The value to write; none when this owner does not write the key (a kind without it).
    std::optional<KeyValue> (*get)(const Owner& owner);
    // Takes the value read back; null for a key the creation routine reads itself.
    void (*set)(Owner& owner, const KeyValue& value) = nullptr;
};

template <class Owner>
void writeBoundKeys(TIniHelper& ini, const std::string& section, std::span<const BoundKey<Owner>> keys,
                    const Owner& owner)
{
    for (const BoundKey<Owner>& key : keys) {
        const std::optional<KeyValue> value = key.get(owner);
        if (!value)
            continue;
        switch (key.format) {
        case KeyFormat::Int:
            ini.writeInt(section, key.name, int(std::get<long double>(*value)));
            break;
        case KeyFormat::Double:
            ini.writeDouble(section, key.name, double(std::get<long double>(*value)));
            break;
        case KeyFormat::Extended:
            ini.writeExtended(section, key.name, std::get<long double>(*value));
            break;
        case KeyFormat::Text:
            ini.writeText(section, key.name, std::get<std::string>(*value));
            break;
        }
    }
}

// In the order of the rows, so a row may rely on those before it.
template <class Owner>
void readBoundKeys(const TIniHelper& ini, const std::string& section, std::span<const BoundKey<Owner>> keys,
                   Owner& owner)
{
    for (const BoundKey<Owner>& key : keys) {
        if (!key.set)
            continue;
        switch (key.format) {
        case KeyFormat::Int:
            key.set(owner, (long double)ini.readInt(section, key.name));
            break;
        case KeyFormat::Double:
            key.set(owner, (long double)ini.readDouble(section, key.name));
            break;
        case KeyFormat::Extended:
            key.set(owner, ini.readExtended(section, key.name));
            break;
        case KeyFormat::Text:
            key.set(owner, ini.readText(section, key.name));
            break;
        }
    }
}

// What a row writes: a number, or a text.
inline std::optional<KeyValue> keyNumber(long double value)
{
    return KeyValue{value};
}
inline std::optional<KeyValue> keyText(std::string text)
{
    return KeyValue{std::move(text)};
}

// What a row reads back.
inline long double numberOf(const KeyValue& value)
{
    return std::get<long double>(value);
}
inline int32_t intOf(const KeyValue& value)
{
    return int32_t(std::get<long double>(value));
}
inline const std::string& textOf(const KeyValue& value)
{
    return std::get<std::string>(value);
}
