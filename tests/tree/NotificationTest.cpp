#include "tree/TreeFixture.h"

#include "tree/ClientListener.h"
#include "tree/CommandIds.h"

namespace {
// Unsubscribes itself the first time it hears anything, as a closing pane does.
class LeavingListener : public ChildListener {
public:
    int heard = 0;
    void childChanged(marluneChild& child, const ChildEvent&) override
    {
        ++heard;
        child.unsubscribe(*this);
    }
};

class RecordingClientListener : public ClientListener {
public:
    std::vector<std::string> heard;
    void childCreated(marluneChild& child) override { heard.push_back("created " + child.title()); }
    void treeChanged() override { heard.push_back("tree"); }
    void activeChanged() override { heard.push_back("active"); }
};
}  // namespace

// Any number of listeners hear what a window announces, and each may leave while it is being told.
TEST_F(TreeTest, EveryListenerHearsEachChangeAndMayLeaveMeanwhile)
{
    marluneMDIChild* file = fileWindow();
    FakeView first;
    LeavingListener leaving;
    FakeView last;
    file->subscribe(first);
    file->subscribe(leaving);
    file->subscribe(last);
    file->subscribe(last);
    file->repaint();
    file->changeTitle("renamed");
    EXPECT_EQ(first.heard, (std::vector<ChildChange>{ChildChange::Repaint, ChildChange::Caption}));
    EXPECT_EQ(last.heard, first.heard) << "a listener subscribed twice hears each change once";
    EXPECT_EQ(leaving.heard, 1);

    file->unsubscribe(first);
    file->scrolled(-12);
    EXPECT_EQ(first.heard.size(), 2u);
    EXPECT_EQ(last.heard.back(), ChildChange::Scrolled);
    client.closeWindow(file);
    EXPECT_TRUE(last.closed);
    EXPECT_FALSE(first.closed);
}

// The selection lives on the window in samples: a command works on it without any pane, and a change
// of the samples takes it away, telling the listeners.
TEST_F(TreeTest, TheSelectionIsTheWindowsAndGoesWithTheSamples)
{
    marluneMDIChild* file = fileWindow(1000);
    file->subscribe(view);
    client.setActiveChild(file);
    EXPECT_FALSE(client.dispatchState(Cmd::Cut)->enabled);
    file->setSelection(SampleSelection{{100, 199}, {100, 199}});
    EXPECT_EQ(view.heard.back(), ChildChange::Marks);
    EXPECT_TRUE(client.dispatchState(Cmd::Cut)->enabled);
    ASSERT_TRUE(client.dispatch(Cmd::ZoomIn));
    EXPECT_EQ(file->signal()->firstVisible(), 100u);
    EXPECT_FALSE(file->selection()) << "the band marked samples that moved";
    EXPECT_NE(std::find(view.heard.begin(), view.heard.end(), ChildChange::Samples), view.heard.end());
    EXPECT_FALSE(client.dispatchState(Cmd::Cut)->enabled);
}

TEST_F(TreeTest, ClientListenersHearCreationTreeAndActivation)
{
    RecordingClientListener one;
    RecordingClientListener two;
    client.subscribe(one);
    client.subscribe(two);
    marluneMDIChild* file = fileWindow();
    client.setActiveChild(file);
    client.setActiveChild(file);
    client.unsubscribe(two);
    client.closeWindow(file);
    // Titling the window before it is registered counts as a change of the tree too; activating the
    // active window again is no change.
    EXPECT_EQ(one.heard, (std::vector<std::string>{"tree", "created 1#file", "tree", "active", "tree", "active"}));
    EXPECT_EQ(two.heard, (std::vector<std::string>{"tree", "created 1#file", "tree", "active"}));
    client.unsubscribe(one);
}
