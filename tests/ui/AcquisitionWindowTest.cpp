#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "QtTestApp.h"
#include "app/ControlBar.h"
#include "app/MainFrame.h"
#include "app/PaneRegistry.h"
#include "app/marluneApp.h"
#include "soundcard/VirtualSoundDevices.h"
#include "soundcard/marluneSB.h"
#include "tree/CommandIds.h"

namespace {
class AcquisitionWindowTest : public ::testing::Test {
protected:
    void SetUp() override { qtApp(); }

    VirtualSoundDevices devices;
    marluneApp app_{scratchFolder("acquisition")};

    bool buttonEnabled(int id)
    {
        for (const QAction* action : app_.frame().controlBar()->commandActions())
            if (action->data().toInt() == id)
                return action->isEnabled();
        ADD_FAILURE() << "no button " << id;
        return false;
    }
};
}  // namespace

TEST_F(AcquisitionWindowTest, StartAndStopButtonsFollowTheRecording)
{
    AcquisitionSettings settings;
    settings.sampleRate = 1000;
    settings.windowLength = 500;
    settings.recordingLength = 1;  // three pages
    marluneSB* window = marluneSB::create(app_.client(), devices, settings);
    ASSERT_NE(window, nullptr);
    const QList<QMdiSubWindow*> shown = app_.frame().mdiArea()->subWindowList();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(PaneRegistry().initialSize(*window), QSize(400, 200));

    EXPECT_TRUE(buttonEnabled(Cmd::Start));
    EXPECT_FALSE(buttonEnabled(Cmd::Stop));
    app_.router().trigger(Cmd::Start);
    EXPECT_FALSE(buttonEnabled(Cmd::Start));
    EXPECT_TRUE(buttonEnabled(Cmd::Stop));
    devices.pump(2);
    EXPECT_TRUE(buttonEnabled(Cmd::Stop));
    devices.pump();
    EXPECT_TRUE(window->stopped()) << "the last page ends the recording";
    EXPECT_TRUE(buttonEnabled(Cmd::Start)) << "the bar follows a recording that ended by itself";
    EXPECT_FALSE(buttonEnabled(Cmd::Stop));
    app_.router().trigger(Cmd::Start);
    app_.router().trigger(Cmd::Stop);
    EXPECT_TRUE(buttonEnabled(Cmd::Start));
}
