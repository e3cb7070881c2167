#pragma once
// Looks up a Python argument's name in a table of names, in the order of the codes they stand for.
#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "ScriptSession.h"

// The index of `name` among `names`; none when it is not one of them.
template <std::size_t N>
std::optional<std::size_t> indexOfName(const std::array<const char*, N>& names, const std::string& name)
{
    for (std::size_t i = 0; i < N; ++i)
        if (name == names[i])
            return i;
    return std::nullopt;
}

// The index of `name` among `names`; a ValueError naming `argument` and every name it may take otherwise.
template <std::size_t N>
std::size_t codeOfName(const std::array<const char*, N>& names, const std::string& name, const char* argument)
{
    if (const auto found = indexOfName(names, name))
        return *found;
    std::string known;
    for (const char* each : names)
        known += std::string(known.empty() ? "" : ", ") + "\"" + each + "\"";
    throw ScriptValueError(std::string(argument) + " must be one of " + known + ", not \"" + name + "\"");
}
