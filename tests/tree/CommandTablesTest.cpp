#include <gtest/gtest.h>

#include <map>
#include <string>

#include "kinds/WindowKindRegistration.h"
#include "support/ScriptedUi.h"
#include "tree/CommandIds.h"
#include "tree/ControlSelection.h"
#include "tree/WorkspaceCommands.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

// A number in two tables of a signal window would be carried out by the first alone, and a kind's
// command in one of them would never reach the kind: the list says who handles each number.
TEST(CommandTables, EachNumberOfASignalWindowHasOneHandler)
{
    ScriptedUi ui;
    marluneMDIClient client(ui, "/nonexistent/");
    registerWindowKinds(client, nullptr);
    std::map<int, std::string> handler;
    for (const CommandTable<marluneMDIChild>* table : marluneMDIChild::commandTables())
        for (const int id : table->ids()) {
            const auto [found, fresh] = handler.emplace(id, table->name());
            EXPECT_TRUE(fresh) << id << " is in \"" << found->second << "\" and in \"" << table->name() << "\"";
            EXPECT_FALSE(id >= Cmd::OverlayWithBase && id < Cmd::OverlayWithBase + marluneMDIClient::MaxWindows)
                << id << " is an \"Overlay with\" number";
        }
    for (const WindowKind& entry : client.kinds().entries())
        for (const int command : entry.commands())
            if (command != 0)
                EXPECT_FALSE(handler.contains(command))
                    << "the command of kind " << entry.kind << " is taken by \"" << handler[command] << "\"";
    EXPECT_GE(handler.size(), 25u);
}

// The client asks its own table before the workspace commands and the targets folders above it add; a
// number in both would never reach the second. The 3D window's and the control window's tables hold
// each number once.
TEST(CommandTables, TheClientsTablesShareNoNumberAndEachTableHoldsANumberOnce)
{
    std::map<int, std::string> handler;
    for (const int id : marluneMDIClient::Table.ids())
        handler.emplace(id, marluneMDIClient::Table.name());
    for (const int id : WorkspaceCommands::Table.ids())
        EXPECT_TRUE(handler.emplace(id, WorkspaceCommands::Table.name()).second) << id << " is in both";
    for (const std::vector<int>& ids : {marlune3DChild::Table.ids(), ControlSelection::Table.ids()}) {
        std::map<int, int> seen;
        for (const int id : ids)
            EXPECT_EQ(++seen[id], 1) << id << " is in a table twice";
    }
}
