#include <gtest/gtest.h>

#include <QListWidget>
#include <vector>

#include "DialogDriving.h"
#include "QtTestApp.h"
#include "support/ScriptedUi.h"
#include "tree/CalcForm.h"
#include "tree/ui/CalcDlg.h"

// Buttons are enabled where the grammar lets them act; pressing them builds the list; closing the
// dialog un-flashes the window the list flashed.
TEST(CalcDlg, ButtonsFollowTheExpressionAndClosingUnflashes)
{
    qtApp();
    ScriptedUi ui;
    std::vector<std::pair<uint32_t, bool>> flashes;
    CalcForm form(ui, {{0, " 1#a"}, {3, " 4#b"}}, [&](uint32_t index, bool on) { flashes.emplace_back(index, on); });
    CalcDlg dialog(form);
    EXPECT_EQ(dialog.windowTitle(), "Signal calculator");
    auto lists = dialog.findChildren<QListWidget*>();
    ASSERT_EQ(lists.size(), 2);
    QListWidget* available = lists[0]->count() == 2 ? lists[0] : lists[1];
    QListWidget* expression = available == lists[0] ? lists[1] : lists[0];
    QPushButton* add = labelled(dialog, ">");
    QPushButton* minus = labelled(dialog, "-");
    QPushButton* root = labelled(dialog, "sqrt");
    QPushButton* coherence = labelled(dialog, "cross coherence");
    QPushButton* clear = labelled(dialog, "AC");
    ASSERT_TRUE(add && minus && root && coherence && clear);
    EXPECT_FALSE(add->isEnabled());
    EXPECT_FALSE(minus->isEnabled());
    EXPECT_TRUE(root->isEnabled());

    available->setCurrentRow(1);
    EXPECT_EQ(flashes.back(), std::make_pair(3u, true));
    EXPECT_TRUE(add->isEnabled());
    add->click();
    EXPECT_EQ(expression->count(), 1);
    EXPECT_EQ(expression->item(0)->text(), " 4#b");
    EXPECT_FALSE(add->isEnabled());
    EXPECT_TRUE(coherence->isEnabled());
    EXPECT_FALSE(root->isEnabled());
    coherence->click();
    EXPECT_EQ(expression->item(1)->text(), "cross coherence");
    root->click();
    EXPECT_FALSE(root->isEnabled());
    clear->click();
    EXPECT_EQ(expression->count(), 0);

    dialog.reject();
    EXPECT_EQ(flashes.back(), std::make_pair(3u, false));
}
