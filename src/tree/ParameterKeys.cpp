#include "tree/ParameterKeys.h"

#include "settings/TIniHelper.h"

void writeParameterKeys(TIniHelper& ini, const std::string& section, std::span<const ParameterKey> keys,
                        const PendingParameters& values)
{
    for (std::size_t i = 0; i < keys.size() && i < values.size(); ++i) {
        switch (keys[i].format) {
        case ParameterKey::Format::Int:
            ini.writeInt(section, keys[i].name, int(values[i]));
            break;
        case ParameterKey::Format::Long:
            ini.writeLong(section, keys[i].name, long(values[i]));
            break;
        case ParameterKey::Format::Extended:
            ini.writeExtended(section, keys[i].name, values[i]);
            break;
        }
    }
}

PendingParameters readParameterKeys(const TIniHelper& ini, const std::string& section,
                                    std::span<const ParameterKey> keys)
{
    PendingParameters values;
    for (const ParameterKey& key : keys) {
        switch (key.format) {
        case ParameterKey::Format::Int:
            values.push_back(ini.readInt(section, key.name));
            break;
        case ParameterKey::Format::Long:
            values.push_back((long double)ini.readLong(section, key.name));
            break;
        case ParameterKey::Format::Extended:
            values.push_back(ini.readExtended(section, key.name));
            break;
        }
    }
    return values;
}
