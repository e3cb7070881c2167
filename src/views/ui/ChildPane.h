#pragma once
// The base of the panes that show one tree window: its subscription, activation, status bar, back buffer, XOR marks and pictures.
#include <QImage>
#include <QWidget>

#include "tree/ChildSubscription.h"

class QMenu;

// The pane hears its window until either goes. A click activates the pane's subwindow and the focus
// shows the window's status bar. The picture lives on a back buffer that marks (cursor, band) are
// inverted on; "Copy picture" puts the buffer, as the screen shows it, on the clipboard through
// UiServices, and "Save picture..." writes it to a PNG file the person names.
class ChildPane : public QWidget, private ChildListener, private DesktopListener {
    Q_OBJECT
public:
    ~ChildPane() override;

    // Null once the window was destroyed or the pane let go of it.
    marluneChild* window() const { return subscription_.window(); }
    // Lets go of the window; the pane shows an empty picture from now on.
    void detach();

    // The pane's picture at any size, without the marks (pictures, exports, tests).
    virtual QImage render(QSize size) const = 0;
    // What the screen shows, marks included; it may be larger than the pane.
    const QImage& backBuffer() const { return backBuffer_; }
    // Appends "Save picture..." to a menu of the pane.
    void addSavePicture(QMenu& menu);

protected:
    ChildPane(marluneChild& window, QWidget* parent);

    // Every change of the window but Closing, after which the pane is detached.
    virtual void windowChanged(const ChildEvent&) {}
    // Brings the back buffer up to date before it is shown or copied; pictureValid() is false when it
    // must be drawn anew.
    virtual void refreshBackBuffer() = 0;
    bool pictureValid() const { return pictureValid_; }
    void setPictureValid() { pictureValid_ = true; }
    // The picture is drawn anew at the next paint.
    void redrawPicture();
    // The items of the right button's menu for a click at `at`.
    virtual void fillContextMenu(QMenu& menu, QPoint at) = 0;
    // Marks that go when the pane loses the keyboard to anything but a menu.
    virtual void eraseMarks() {}
    // What "Save picture..." writes; the overlay leaves its cursor out.
    virtual QImage savedPicture() { return shownPicture(); }
    // The back buffer, up to date, as large as the pane.
    QImage shownPicture();

    // XOR of white over `rect` of the back buffer: the same call again restores the pixels.
    void invert(const QRect& rect);
    // Makes the pane's subwindow the active one; a pane that takes the keyboard gets it.
    void activateSubWindow();

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    QImage backBuffer_;

private:
    void childChanged(marluneChild& child, const ChildEvent& event) override;
    void desktopRequested(marluneChild& child, DesktopRequest request) override;
    void copyPicture();

    bool pictureValid_ = false;
    ChildSubscription subscription_;
};
