#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class marluneChild;
class marluneMDIClient;

// Writes a picture of a window's pane; false when it could not.
using PictureWriter = std::function<bool(marluneChild& window, const std::filesystem::path& file)>;

// Opens the files as the command line does and writes, for every window, its signal as a float .bin
// file, its ASCII export and a picture, plus manifest.ini describing them. 0 when every file opened.
int exportWindows(marluneMDIClient& client, const std::filesystem::path& folder, const std::vector<std::string>& files,
                  const PictureWriter& writePicture);
