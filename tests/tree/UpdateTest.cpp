#include "tree/TreeFixture.h"

using Log = std::vector<std::string>;

TEST_F(TreeTest, ChainRecomputesOnceEachInOrder)
{
    auto* file = fileWindow();
    auto* fft = derived("fft", {file});
    derived("smooth", {fft});
    file->updateAfterChange();
    EXPECT_EQ(log, (Log{"fft", "smooth"}));
    file->updateAfterChange();
    EXPECT_EQ(log, (Log{"fft", "smooth", "fft", "smooth"})) << "counters came back to zero";
}

TEST_F(TreeTest, LatticeRecomputesEachWindowOnceAfterAllItsParents)
{
    auto* a = fileWindow();
    auto* b = derived("B", {a});
    auto* c = derived("C", {a, b});
    derived("D", {c});
    a->updateAfterChange();
    EXPECT_EQ(log, (Log{"B", "C", "D"}));
    EXPECT_EQ(c->notificationsExpected(), 0);
    EXPECT_EQ(c->notificationsReceived(), 0);
    log.clear();
    a->updateAfterChange();
    EXPECT_EQ(log, (Log{"B", "C", "D"}));
}

TEST_F(TreeTest, UnlinkedWindowStopsItsSubtreeButKeepsCountersBalanced)
{
    auto* file = fileWindow();
    auto* fft = derived("fft", {file});
    auto* smooth = derived("smooth", {fft});
    auto* calc = derived("calc", {file, smooth});
    ASSERT_TRUE(fft->command(103));
    file->updateAfterChange();
    // calc still follows the file through its other path; fft and smooth stay as they are.
    EXPECT_EQ(log, (Log{"calc"}));
    EXPECT_EQ(smooth->notificationsExpected(), 0);
    EXPECT_EQ(calc->notificationsExpected(), 0);
    log.clear();
    ASSERT_TRUE(fft->command(102));
    EXPECT_EQ(log, (Log{"fft", "smooth", "calc"})) << "linking recomputes the window and its subtree";
    log.clear();
    file->updateAfterChange();
    EXPECT_EQ(log, (Log{"fft", "smooth", "calc"}));
}

TEST_F(TreeTest, InvalidResultStopsSubtreeAndLaterUpdatesStillReachIt)
{
    auto* file = fileWindow();
    auto* part = derived("part", {file});
    derived("fft", {part});
    part->failNext = true;
    file->updateAfterChange();
    EXPECT_EQ(log, (Log{"part"}));
    EXPECT_TRUE(part->invalid());
    log.clear();
    file->updateAfterChange();
    EXPECT_EQ(log, (Log{"part", "fft"}));
    EXPECT_FALSE(part->invalid());
}

TEST_F(TreeTest, ClosingAParentMakesRootsThatKeepTheirData)
{
    auto* file = fileWindow();
    auto* fft = derived("fft", {file});
    auto* smooth = derived("smooth", {fft});
    auto* other = fileWindow();
    auto* calc = derived("calc", {fft, other});
    const float before = fft->signal()->samples()[5];
    client.closeWindow(file);
    EXPECT_TRUE(fft->isRoot());
    EXPECT_TRUE(fft->linked()) << "keeps its linked flag";
    EXPECT_EQ(fft->signal()->samples()[5], before);
    EXPECT_EQ(smooth->parent(), fft);
    fft->updateAfterChange();
    EXPECT_EQ(log, (Log{"smooth", "calc"}));

    // A window of several parents leaves every parent's list when it closes.
    client.closeWindow(calc);
    EXPECT_EQ(std::count(other->children().begin(), other->children().end(), nullptr), 1);
    EXPECT_EQ(std::count(fft->children().begin(), fft->children().end(), nullptr), 1);
    log.clear();
    other->updateAfterChange();
    fft->updateAfterChange();
    EXPECT_EQ(log, (Log{"smooth"}));
}

TEST_F(TreeTest, ClosingOneOfSeveralParentsDetachesTheChildFromAll)
{
    auto* a = fileWindow();
    auto* b = fileWindow();
    auto* calc = derived("calc", {a, b});
    client.closeWindow(a);
    EXPECT_TRUE(calc->isRoot());
    b->updateAfterChange();
    EXPECT_TRUE(log.empty()) << "a calculation without all its inputs is not recomputed";
    EXPECT_EQ(std::count(b->children().begin(), b->children().end(), nullptr), 1);
}

TEST_F(TreeTest, AWindowCanHaveMoreThan64ChildrenOverItsLife)
{
    auto* file = fileWindow();
    for (int i = 0; i < 70; ++i)
        client.closeWindow(derived("short", {file}));
    derived("last", {file});
    log.clear();
    file->updateAfterChange();
    EXPECT_EQ(log, (Log{"last"}));
}
