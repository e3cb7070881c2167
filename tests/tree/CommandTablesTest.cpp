#include <gtest/gtest.h>

#include <map>
#include <string>

#include "kinds/WindowKindRegistration.h"
#include "support/ScriptedUi.h"
#include "tree/CommandIds.h"
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
        if (entry.command != 0)
            EXPECT_FALSE(handler.contains(entry.command))
                << "the command of kind " << entry.kind << " is taken by \"" << handler[entry.command] << "\"";
    EXPECT_GE(handler.size(), 25u);
}
