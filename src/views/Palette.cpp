#include "views/Palette.h"

#include <algorithm>
#include <sstream>
#include <string>

#include "base/RegularFile.h"

std::optional<Palette> Palette::read(const std::filesystem::path& file)
{
    const std::optional<std::string> content = readRegularFile(file, MaxFileBytes);
    if (!content)
        return std::nullopt;
    std::istringstream in(*content);
    Palette palette;
    std::string line;
    for (std::size_t i = 0; i < Colours && std::getline(in, line); ++i) {
        std::istringstream fields(line);
        unsigned long r = 0, g = 0, b = 0;
        if (!(fields >> r >> g >> b))
            break;
        const auto byte = [](unsigned long v) { return uint8_t(std::min<unsigned long>(v, 255)); };
        palette.colours_[i] = Rgb{byte(r), byte(g), byte(b)};
    }
    return palette;
}

Rgb Palette::shown(std::size_t index, bool invert) const
{
    const Rgb c = colour(index);
    return invert ? Rgb{uint8_t(255 - c.r), uint8_t(255 - c.g), uint8_t(255 - c.b)} : c;
}
