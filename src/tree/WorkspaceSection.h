#pragma once
#include <functional>
#include <string>

class TIniHelper;
class marluneChild;
class marluneMDIClient;

// One window's section of a workspace or tool file while it is read, with the windows already made
// from other sections of the same file.
struct WorkspaceSection {
    marluneMDIClient& client;
    const TIniHelper& ini;
    std::string name;
    // The window made from another section of the file ("Window_%i"), or null while it is not made.
    std::function<marluneChild*(const std::string& section)> made;
};
