// Before Qt's headers, whose "signals" keyword is a parameter's name there.
#include "tree/SignalOpener.h"

#include <QFileDialog>

#include "DesktopTest.h"

using namespace desktop;

namespace {
// The Open dialog that Ctrl+O shows, seen through its filters and closed again at once.
class OpenKeyTest : public DesktopTest {
protected:
    QStringList openedFilters()
    {
        QStringList filters;
        bool shown = false;
        QTimer watch;
        watch.callOnTimeout([&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                filters = dialog->nameFilters();
                shown = true;
                dialog->reject();
            }
        });
        watch.start(20);
        press("ctrl+o");
        EXPECT_TRUE(waitFor([&shown] { return shown; })) << "no Open dialog";
        return filters;
    }
};
}  // namespace

TEST_F(OpenKeyTest, CtrlOOpensTheDialogWhoseFirstFilterShowsEveryType)
{
    activate(firstChannel());
    const QStringList filters = openedFilters();
    ASSERT_EQ(filters.size(), qsizetype(SignalOpener::fileTypes().size() + 2));
    const QString every = filters.front();
    EXPECT_TRUE(every.startsWith("Every file Marlune reads (")) << every.toStdString();
    for (const char* pattern : {"*.wav", "*.bin", "*.eeg", "*.sa3", "*.raw", "*.flac", "*.ogg", "*.mp3", "*.m4a"})
        EXPECT_TRUE(every.contains(QString(" ") + pattern) || every.contains(QString("(") + pattern)) << pattern;
    EXPECT_EQ(filters.back(), "Other files types (*.*)");
    // Nothing else took the key: the windows are as they were.
    EXPECT_EQ(area()->subWindowList().size(), 3);
    expectNoShortcutClash();
}

TEST_F(OpenKeyTest, CtrlOWorksWhileTheControlWindowIsActive)
{
    area()->setActiveSubWindow(area()->subWindowList(QMdiArea::CreationOrder)[0]);
    ASSERT_TRUE(waitFor([this] { return area()->activeSubWindow() == area()->subWindowList(QMdiArea::CreationOrder)[0]; }));
    EXPECT_FALSE(openedFilters().isEmpty());
    expectNoShortcutClash();
}
