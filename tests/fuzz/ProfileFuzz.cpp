#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzFile.h"
#include "settings/PrivateProfile.h"

namespace {
// Every section with every key and its value, as the program can see them.
std::vector<std::string> visible(const PrivateProfile& profile)
{
    std::vector<std::string> all;
    for (const std::string& section : profile.sectionNames()) {
        all.push_back("[" + section + "]");
        for (const std::string& key : profile.keys(section))
            all.push_back(key + "=" + profile.getString(section, key, "\x01missing"));
    }
    return all;
}
}  // namespace

// The parser, every lookup, an edit, and a save that reads back as the same document.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const FuzzFile file(".ini");
    PrivateProfile profile(file.write(data, size));
    profile.setString("Fuzz section", "Fuzz key", "a value");
    if (profile.getString("FUZZ SECTION", "fuzz KEY", "") != "a value")
        std::abort();
    const std::vector<std::string> edited = visible(profile);
    if (!profile.save())
        std::abort();
    if (visible(PrivateProfile(file.path())) != edited)
        std::abort();
    return 0;
}
