#pragma once
// One window's section of a workspace or tool file while it is read.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "dsp/SpectralSettings.h"

class TIniHelper;
class marluneChild;
class marluneMDIClient;

// With the windows already made from other sections of the same file.
struct WorkspaceSection {
    marluneMDIClient& client;
    const TIniHelper& ini;
    std::string name;
    // The window made from another section of the file ("Window_%i"), or null while it is not made.
    std::function<marluneChild*(const std::string& section)> made;
    // A stored file name resolved as for the signal files (the command line, the workspace's folder, the
    // person); none when it was not found. A missing file has been reported.
    std::function<std::optional<std::filesystem::path>(const std::string& stored)> locate;
    // The spectral settings the window is made with: the section's "FFT_" keys for the kinds that keep
    // them, the application's otherwise.
    const SpectralSettings& spectral;
};
