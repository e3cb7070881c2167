#include "app/CommandCatalogue.h"

#include <algorithm>

#include "app/MainFrame.h"
#include "app/marluneApp.h"
#include "instruments/marlune1DChild.h"
#include "soundcard/AcquisitionCommands.h"
#include "soundcard/Playback.h"
#include "soundcard/marluneSB.h"
#include "tree/ControlSelection.h"
#include "tree/RecentFiles.h"
#include "tree/WindowKindTable.h"
#include "tree/WorkspaceCommands.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneJoinChild.h"
#include "tree/marluneMDIClient.h"

namespace {
template <class Table>
CatalogueTable entry(const Table& table)
{
    return {table.name(), table.ids()};
}

CatalogueTable kindCommands(const WindowKindTable& kinds)
{
    CatalogueTable table{"commands that make a kind", {}};
    for (const WindowKind& kind : kinds.entries())
        for (const int command : kind.commands())
            if (command != 0 && std::find(table.ids.begin(), table.ids.end(), command) == table.ids.end())
                table.ids.push_back(command);
    return table;
}

// What every window asks after its own tables.
std::vector<CatalogueTable> everyWindow(const WindowKindTable& kinds)
{
    return {kindCommands(kinds), entry(marluneChild::Table)};
}

// The links after the active window.
std::vector<CatalogueTable> links()
{
    return {entry(marluneMDIClient::Table), entry(WorkspaceCommands::Table), entry(RecentFiles::Table),
            entry(AcquisitionCommands::Table), entry(MainFrame::Table), entry(marluneApp::Table)};
}

std::vector<CatalogueTable> signalWindow()
{
    std::vector<CatalogueTable> tables;
    for (const CommandTable<marluneMDIChild>* table : marluneMDIChild::commandTables())
        tables.push_back(entry(*table));
    tables.push_back(entry(Playback::Table));
    return tables;
}

CatalogueTable listed(const char* name, std::span<const int> ids, bool refuses = false)
{
    return {name, {ids.begin(), ids.end()}, refuses};
}

CommandChain chain(std::string window, std::vector<CatalogueTable> own, const WindowKindTable& kinds)
{
    for (CatalogueTable& table : everyWindow(kinds))
        own.push_back(std::move(table));
    const std::size_t windowTables = own.size();
    for (CatalogueTable& table : links())
        own.push_back(std::move(table));
    return {std::move(window), std::move(own), windowTables};
}
}  // namespace

namespace CommandCatalogue {
std::vector<CommandChain> chains(const WindowKindTable& kinds)
{
    std::vector<CatalogueTable> acquisition{entry(marluneSB::Table)};
    for (CatalogueTable& table : signalWindow())
        acquisition.push_back(std::move(table));
    std::vector<CommandChain> all{chain("signal window", signalWindow(), kinds),
                                  chain("acquisition window", std::move(acquisition), kinds),
                                  chain("3D window", {entry(marlune3DChild::Table), listed("3D window: palettes", marlune3DChild::paletteCommands())}, kinds),
                                  chain("overlay", {listed("overlay: refused", marluneJoinChild::refusedCommands(), true), entry(marluneJoinChild::Table)}, kinds),
                                  chain("instrument", {entry(marlune1DChild::Table)}, kinds)};
    // The control window's drawing area is asked in place of a window: no window is active then.
    std::vector<CatalogueTable> control{entry(ControlSelection::Table)};
    for (CatalogueTable& table : links())
        control.push_back(std::move(table));
    all.push_back({"control window", std::move(control), 1});
    return all;
}

std::vector<std::string> handlersOf(const WindowKindTable& kinds, int id)
{
    std::vector<std::string> names;
    for (const CommandChain& chain : chains(kinds))
        for (const CatalogueTable& table : chain.tables)
            if (std::find(table.ids.begin(), table.ids.end(), id) != table.ids.end() &&
                std::find(names.begin(), names.end(), table.name) == names.end())
                names.push_back(table.name);
    return names;
}
}  // namespace CommandCatalogue
