#include <gtest/gtest.h>

#include <filesystem>

#include "QtTestApp.h"
#include "app/MenuTree.h"
#include "instruments/InstrumentKinds.h"
#include "kinds/WindowKindRegistration.h"
#include "signal/SignalKind.h"
#include "tree/CommandIds.h"
#include "soundcard/VirtualSoundDevices.h"
#include "support/ScriptedUi.h"
#include "tree/marluneMDIClient.h"
#include "tree/ui/KindIcons.h"

namespace {
QImage pictureOf(int32_t resource)
{
    return kindIcon(resource).pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The kinds the control window labels with their number alone.
bool labelledByNumberOnly(int32_t kind)
{
    return kind == SignalKind::Smoothed || SignalKind::isOverlay(kind) || kind == InstrumentKinds::Custom ||
           kind == InstrumentKinds::BandSum3D;
}

// Commands of the control window's selection that have no menu item of their own.
bool controlWindowOnly(int command)
{
    return command == Cmd::Cepstrum;
}
}  // namespace

// Every registered kind is complete: pictures of its own in its frame and in the control window, a
// label there, its command in a menu whose help page exists, and a way to be made again from a workspace.
TEST(KindCompleteness, EveryRegisteredKindHasItsPicturesLabelMenuItemAndHelp)
{
    qtApp();
    ScriptedUi ui;
    VirtualSoundDevices devices;
    marluneMDIClient client(ui, "/nonexistent/");
    registerWindowKinds(client, &devices);
    // 59 is the page of a signal read from a file, the picture of any number without one of its own.
    const QImage page = pictureOf(59);
    const std::filesystem::path help = std::filesystem::path(MARLUNE_SOURCE_DIR) / "resources" / "help";
    EXPECT_GE(client.kinds().entries().size(), 40u);
    for (const WindowKind& entry : client.kinds().entries()) {
        SCOPED_TRACE("kind " + std::to_string(entry.kind));
        ASSERT_NE(entry.icon, 0);
        for (const int32_t icon : {entry.icon, entry.controlIcon})
            if (icon != 0 && icon != 59)
                EXPECT_NE(pictureOf(icon), page) << "icon " << icon << " has no picture";
        if (!labelledByNumberOnly(entry.kind))
            EXPECT_NE(entry.controlDetail, nullptr) << "no detail in the control window";
        for (const int command : entry.commands())
            if (command != 0 && !controlWindowOnly(command)) {
                EXPECT_NE(MenuTree::find(command), nullptr) << "command " << command << " is in no menu";
                const std::string topic = MenuTree::helpPageOf(command);
                EXPECT_TRUE(!topic.empty() && std::filesystem::exists(help / topic)) << command << ": " << topic;
            }
        EXPECT_TRUE(entry.load || entry.build || entry.makeWindow) << "cannot be made again from a workspace";
        if (entry.saveKeys && !entry.load)
            EXPECT_NE(entry.readParameters, nullptr) << "writes keys it does not read back";
    }
}
