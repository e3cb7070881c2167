#pragma once
// Writes window trees into workspace (".mws") and custom tool (".mwt") files.
#include <string>

class TIniHelper;
class marluneChild;
class marluneMDIClient;

// One section per window, named after its slot in the client's table.
class WorkspaceWriter {
public:
    static constexpr const char* RootSection = "Root";
    // Present only while the control window is open.
    static constexpr const char* ControlSection = "ControlWindow";

    static std::string sectionOf(const marluneChild& window);

    // The whole tree: every root with its subtree, the active window. Reports a failed write and
    // answers false; the old file is then left as it was.
    static bool saveWorkspace(marluneMDIClient& client, const std::string& fileName);
    // One window, with its subtree when `withSubtree`, and the kind of its primary parent it applies to.
    static bool saveTool(const marluneChild& window, bool withSubtree, const std::string& fileName);

    // The window's section and, with `withChildren`, its children's sections below it.
    static void writeWindow(TIniHelper& ini, const marluneChild& window, bool withChildren);

private:
    static bool flush(TIniHelper& ini, marluneMDIClient& client);
};
