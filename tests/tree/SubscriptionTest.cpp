#include "tree/TreeFixture.h"

#include "tree/ChildSubscription.h"
#include "tree/CommandIds.h"
#include "tree/DesktopRequest.h"

namespace {
// Records what a window asks of the desktop, and whether its hold still named the window meanwhile.
class FakeDesktop : public DesktopListener {
public:
    std::vector<DesktopRequest> heard;
    void desktopRequested(marluneChild&, DesktopRequest request) override { heard.push_back(request); }
};

// Hears the changes through a hold and notes what the hold names when Closing arrives.
class HeldView : public FakeView {
public:
    const ChildSubscription* hold = nullptr;
    bool namedOnClosing = true;
    void childChanged(marluneChild& child, const ChildEvent& event) override
    {
        FakeView::childChanged(child, event);
        if (event.change == ChildChange::Closing)
            namedOnClosing = hold->window() != nullptr;
    }
};
}  // namespace

// Changes and desktop requests travel apart: a change listener hears no request, and the other way round.
TEST_F(TreeTest, AHoldHearsChangesAndRequestsApartUntilTheWindowCloses)
{
    marluneMDIChild* file = fileWindow();
    HeldView changes;
    FakeDesktop desktop;
    ChildSubscription hold(*file, changes, &desktop);
    changes.hold = &hold;
    file->repaint();
    file->setVisible(false);
    file->raise();
    file->setFlashing(true);
    file->command(Cmd::CopyPicture);
    EXPECT_EQ(changes.heard, (std::vector<ChildChange>{ChildChange::Repaint}));
    EXPECT_EQ(desktop.heard, (std::vector<DesktopRequest>{DesktopRequest::Visibility, DesktopRequest::Visibility,
                                                          DesktopRequest::Raise, DesktopRequest::Flash,
                                                          DesktopRequest::CopyPicture}));
    EXPECT_TRUE(file->flashing()) << "the request carries nothing: the listener reads the window";

    client.closeWindow(file);
    EXPECT_TRUE(changes.closed);
    EXPECT_FALSE(changes.namedOnClosing) << "the hold lets go before its listener hears Closing";
    EXPECT_EQ(hold.window(), nullptr);
}

// A listener whose hold went first is never told again, and a hold moves from window to window.
TEST_F(TreeTest, AHoldThatGoesFirstLeavesNothingBehind)
{
    marluneMDIChild* first = fileWindow();
    marluneMDIChild* second = fileWindow();
    FakeView changes;
    FakeDesktop desktop;
    {
        ChildSubscription hold(*first, changes, &desktop);
        first->repaint();
        hold.follow(second);
        EXPECT_EQ(hold.window(), second);
        first->repaint();
        first->raise();
        second->raise();
    }
    second->repaint();
    second->raise();
    client.closeWindow(first);
    client.closeWindow(second);
    EXPECT_EQ(changes.repaints, 1);
    EXPECT_FALSE(changes.closed);
    EXPECT_EQ(desktop.heard, (std::vector<DesktopRequest>{DesktopRequest::Raise}));
}
