#include "tree/WorkspaceWriter.h"

#include "base/UiServices.h"
#include "settings/TIniHelper.h"
#include "tree/SignalWindowKeys.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

std::string WorkspaceWriter::sectionOf(const marluneChild& window)
{
    return "Window_" + std::to_string(window.index());
}

void WorkspaceWriter::writeWindow(TIniHelper& ini, const marluneChild& window, bool withChildren)
{
    const std::string section = sectionOf(window);
    ini.writeInt(section, "Type", window.kind());
    ini.writeInt(section, "Linked", window.linked());
    const WindowPlacement placement = window.placement().value_or(WindowPlacement{});
    ini.writeLong(section, "Window_Left", placement.left);
    ini.writeLong(section, "Window_Right", placement.right);
    ini.writeLong(section, "Window_Bottom", placement.bottom);
    ini.writeLong(section, "Window_Top", placement.top);
    ini.writeInt(section, "Visible", window.visible());
    if (window.titleSetByUser())
        ini.writeText(section, "WindowTitle", window.title());
    if (window.parents().size() >= 2)
        for (std::size_t i = 0; i < window.parents().size(); ++i)
            ini.writeText(section, "Parent_" + std::to_string(i + 1), sectionOf(*window.parents()[i]));
    std::vector<const marluneChild*> children;
    if (withChildren)
        for (const marluneChild* child : window.children())
            if (child)
                children.push_back(child);
    for (std::size_t i = 0; i < children.size(); ++i)
        ini.writeText(section, "Child_" + std::to_string(i + 1), sectionOf(*children[i]));

    if (const marluneMDIChild* signalWindow = signalWindowOf(&window)) {
        SignalWindowKeys::write(*signalWindow, ini, section);
        if (const marluneMDIChild* head = signalWindow->mainSignal(); head && head != signalWindow)
            ini.writeText(sectionOf(*head), "Channel_" + std::to_string(signalWindow->channelNumber()), section);
    } else {
        window.saveKindKeys(ini, section);
    }
    for (const marluneChild* child : children)
        writeWindow(ini, *child, true);
}

bool WorkspaceWriter::flush(TIniHelper& ini, marluneMDIClient& client)
{
    if (ini.flush())
        return true;
    client.ui().messageBox("Could not write " + ini.fileName() + ".", "Marlune", MessageButtons::Ok,
                           MessageIcon::Error);
    return false;
}

bool WorkspaceWriter::saveWorkspace(marluneMDIClient& client, const std::string& fileName)
{
    TIniHelper ini;
    ini.create(fileName, true);
    int roots = 0;
    for (int i = 0; i <= client.highestIndex(); ++i)
        if (const marluneChild* window = client.window(i); window && window->isRoot()) {
            ini.writeText(RootSection, "Root_" + std::to_string(++roots), sectionOf(*window));
            writeWindow(ini, *window, true);
        }
    if (const marluneChild* active = client.activeChild(); active && client.isRegistered(active))
        ini.writeText(RootSection, "ActiveWindow", sectionOf(*active));
    if (const std::optional<WindowPlacement>& control = client.controlWindow()) {
        ini.writeLong(ControlSection, "Window_Left", control->left);
        ini.writeLong(ControlSection, "Window_Top", control->top);
        ini.writeLong(ControlSection, "Window_Right", control->right);
        ini.writeLong(ControlSection, "Window_Bottom", control->bottom);
        ini.writeInt(ControlSection, "Visible", 1);
    }
    return flush(ini, client);
}

bool WorkspaceWriter::saveTool(const marluneChild& window, bool withSubtree, const std::string& fileName)
{
    TIniHelper ini;
    ini.create(fileName, true);
    const marluneChild* parent = window.parent();
    ini.writeText(RootSection, "AppliedTo", std::to_string(parent ? parent->kind() : 0));
    ini.writeText(RootSection, "Section", sectionOf(window));
    writeWindow(ini, window, withSubtree);
    return flush(ini, window.client());
}
