#pragma once
// Looks up a Python argument's name in a table of names, in the order of the codes they stand for.
#include <array>
#include <cstddef>
#include <optional>
#include <string>

// The index of `name` among `names`; none when it is not one of them.
template <std::size_t N>
std::optional<std::size_t> indexOfName(const std::array<const char*, N>& names, const std::string& name)
{
    for (std::size_t i = 0; i < N; ++i)
        if (name == names[i])
            return i;
    return std::nullopt;
}
