#pragma once
// The help viewer: the HTML pages of the program folder's help folder, with back, forward and contents.
#include <QWidget>
#include <functional>

class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* ContentsPage = "index.html";
    static constexpr const char* HelpOnHelpPage = "helponhelp.html";

    // `folder` holds the pages; `parent` keeps the viewer above the frame and ends it with the frame.
    HelpWindow(const QString& folder, QWidget* parent);

    // Shows a page, scrolled to the anchor when one is given; false when the page does not exist.
    bool showTopic(const QString& page, const QString& anchor = {});
    QTextBrowser* browser() const { return browser_; }

    // F1 inside the viewer asks for help on using help.
    std::function<void()> helpOnHelpRequested;

private:
    QString folder_;
    QTextBrowser* browser_;
};
