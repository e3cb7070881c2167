#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <set>
#include <string>

#include "app/CommandCatalogue.h"
#include "app/ControlBar.h"
#include "app/MenuTree.h"
#include "kinds/WindowKindRegistration.h"
#include "signal/SignalKind.h"
#include "soundcard/AcquisitionSettings.h"
#include "soundcard/Playback.h"
#include "soundcard/VirtualSoundDevices.h"
#include "soundcard/marluneSB.h"
#include "support/ScriptedUi.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"
#include "tree/GeneratorCommand.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneJoinChild.h"
#include "tree/marluneMDIClient.h"

namespace {
// The client with what the application adds to it: every family and the player of signal windows.
struct Catalogue {
    ScriptedUi ui;
    VirtualSoundDevices devices;
    marluneMDIClient client{ui, "/nonexistent/"};
    Playback playback{client, devices};
    Catalogue() { registerWindowKinds(client, &devices); }
};

// The undo and clear keys send numbers that no window of the program takes, as they always did.
bool keptForTheirKeysAlone(int id)
{
    return id == Cmd::Undo || id == Cmd::Clear;
}

std::set<int> offeredCommands()
{
    std::set<int> ids;
    for (const MenuItem* item : MenuTree::commandItems())
        ids.insert(item->id);
    for (const Accelerator& key : MenuTree::extraAccelerators())
        ids.insert(key.id);
    for (const int id : ControlBar::layout())
        if (id > 0)
            ids.insert(id);
    return ids;
}

const CommandChain& chainNamed(const std::vector<CommandChain>& chains, const std::string& window)
{
    for (const CommandChain& chain : chains)
        if (chain.window == window)
            return chain;
    throw std::invalid_argument(window);
}

bool inWindowTables(const CommandChain& chain, int id)
{
    for (std::size_t i = 0; i < chain.windowTables; ++i)
        if (std::find(chain.tables[i].ids.begin(), chain.tables[i].ids.end(), id) != chain.tables[i].ids.end())
            return true;
    return false;
}
}  // namespace

// A menu item, key or button whose number no table holds would stay disabled for ever.
TEST(CommandCatalogue, EveryOfferedCommandHasAHandler)
{
    Catalogue catalogue;
    for (const int id : offeredCommands())
        if (!keptForTheirKeysAlone(id))
            EXPECT_FALSE(CommandCatalogue::handlersOf(catalogue.client.kinds(), id).empty())
            << id << " (" << (MenuTree::find(id) ? MenuTree::find(id)->label : std::string("no menu item"))
            << ") has no handler";
}

// A number held by two tables of one chain reaches only the first. Where a window's own table
// comes first on purpose, its row declines the command when it does not apply, and the list says why;
// a table of refusals is there to keep its numbers from the rest.
TEST(CommandCatalogue, NoChainHoldsANumberTwiceBeyondItsDeclaredOverrides)
{
    Catalogue catalogue;
    const std::map<std::pair<std::string, int>, std::string> overrides{
        {{"acquisition window", Cmd::Stop}, "stops recording; while stopped it declines, and the player stops"}};
    for (const CommandChain& chain : CommandCatalogue::chains(catalogue.client.kinds())) {
        std::map<int, const CatalogueTable*> first;
        for (const CatalogueTable& table : chain.tables)
            for (const int id : table.ids) {
                const auto [found, fresh] = first.emplace(id, &table);
                if (!fresh && found->second != &table && !found->second->refuses)
                    EXPECT_TRUE(overrides.contains({chain.window, id}))
                        << "in a " << chain.window << ", " << id << " is in \"" << found->second->name << "\" and in \""
                        << table.name << "\"";
            }
    }
}

// The catalogue is the answer only while it holds every table the windows ask: a window of each
// family that takes a number the catalogue does not list for its family has a handler it does not know.
TEST(CommandCatalogue, EveryNumberAWindowTakesIsInItsFamilysTables)
{
    Catalogue catalogue;
    marluneMDIClient& client = catalogue.client;
    GeneratorParameters generator = client.generatorSettings;
    marluneMDIChild* signal = GeneratorCommand::create(client, generator);
    ASSERT_NE(signal, nullptr);
    AcquisitionSettings acquisition;
    acquisition.sampleRate = 8000;
    marluneChild* recording = marluneSB::create(client, catalogue.devices, acquisition);
    marluneChild* timeFFT = marlune3DChild::createTimeFFT(client, *signal, {256, 8, 15, 3, 31.25, 4000});
    marluneChild* overlay = marluneJoinChild::create(client, {signal, signal}, SignalKind::Overlay);
    marluneChild* instrument = nullptr;
    for (const WindowKind& entry : client.kinds().entries())
        if (!instrument && SignalKind::isInstrument(entry.kind) && entry.acceptsParent(signal->kind()))
            instrument = DerivedWindows::createChild(client, *signal, entry.kind, PendingParameters{1, 9, 2, 3});
    ASSERT_TRUE(recording && timeFFT && overlay && instrument);

    const std::vector<CommandChain> chains = CommandCatalogue::chains(client.kinds());
    std::set<int> every = offeredCommands();
    for (const CommandChain& chain : chains)
        for (const CatalogueTable& table : chain.tables)
            every.insert(table.ids.begin(), table.ids.end());
    const std::pair<const char*, marluneChild*> windows[] = {{"signal window", signal},
                                                             {"acquisition window", recording},
                                                             {"3D window", timeFFT},
                                                             {"overlay", overlay},
                                                             {"instrument", instrument}};
    for (const auto& [family, window] : windows) {
        const CommandChain& chain = chainNamed(chains, family);
        for (const int id : every)
            if (window->commandState(id))
                EXPECT_TRUE(inWindowTables(chain, id)) << "a " << family << " takes " << id << " outside its tables";
    }
}
