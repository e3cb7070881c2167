#pragma once
// The export run's writing: each window's signal, ASCII export and picture, and the manifest.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class marluneChild;
class marluneMDIClient;

// Writes a picture of a window's pane; false when it could not.
using PictureWriter = std::function<bool(marluneChild& window, const std::filesystem::path& file)>;

// Where the windows of an export run come from.
struct ExportSources {
    // A workspace to load first; "#2", "#3" ... in it name the files, in order.
    std::string workspace = {};
    // A custom tool applied to every window each file opened with.
    std::string tool = {};
    std::vector<std::string> files = {};
};

// Opens the sources and writes, for every window, its signal as a float .bin file and its ASCII export
// (a 3D window its matrix as text), a picture, and manifest.ini describing them (an instrument's
// reading as its Value). 0 when everything opened and was written; 1 otherwise, with the reason on
// the client's messages ("No more memory !!!" when an allocation failed).
int exportWindows(marluneMDIClient& client, const std::filesystem::path& folder, const ExportSources& sources,
                  const PictureWriter& writePicture);
