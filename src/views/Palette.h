#pragma once
// A 48-colour ramp of the 3D views, read from a ".pal" text file.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "base/Rgb.h"

// One colour a line, red, green and blue as unsigned decimals separated by any white space. Entries the
// file does not give are black.
class Palette {
public:
    static constexpr std::size_t Colours = 48;
    // The palettes of the program folder, in the order of their index: 0 gray ... 5 white.
    static constexpr std::array<std::string_view, 6> FileNames{"gray.pal", "hsv.pal", "blue.pal",
                                                               "copper.pal", "hot.pal", "white.pal"};

    // 48 lines of three numbers take a few hundred bytes; a larger file is no palette.
    static constexpr uint64_t MaxFileBytes = uint64_t(64) << 10;

    // Nothing when the file cannot be opened, is not a regular file or is larger than MaxFileBytes.
    // Reading stops at the 48th line or at the first line that does not hold three numbers; a number
    // above 255 is taken as 255.
    static std::optional<Palette> read(const std::filesystem::path& file);

    // All black, as a palette whose file is missing.
    Palette() { colours_.fill(Rgb{0, 0, 0}); }

    Rgb colour(std::size_t index) const { return colours_[index < Colours ? index : Colours - 1]; }
    // The colour as drawn, complemented when the window inverts its colours.
    Rgb shown(std::size_t index, bool invert) const;

private:
    std::array<Rgb, Colours> colours_{};
};
