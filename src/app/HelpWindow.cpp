#include "app/HelpWindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window), folder_(folder), browser_(new QTextBrowser(this))
{
    setWindowTitle("Marlune Help");
    resize(760, 620);
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({folder});

    auto* tools = new QToolBar(this);
    QAction* contents = tools->addAction("Contents");
    QAction* back = tools->addAction("Back");
    QAction* forward = tools->addAction("Forward");
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QAction::triggered, this, [this] { showTopic(ContentsPage); });
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] { setWindowTitle(browser_->documentTitle()); });

    auto* usingHelp = new QAction(this);
    usingHelp->setShortcut(Qt::Key_F1);
    addAction(usingHelp);
    connect(usingHelp, &QAction::triggered, this, [this] {
        if (helpOnHelpRequested)
            helpOnHelpRequested();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(browser_);
}

bool HelpWindow::showTopic(const QString& page, const QString& anchor)
{
    const QString path = QDir(folder_).filePath(page);
    if (!QFileInfo(path).isFile())
        return false;
    QUrl url = QUrl::fromLocalFile(path);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    browser_->setSource(url);
    show();
    raise();
    activateWindow();
    return true;
}
