#pragma once
// The start-up window: product name and version, topmost and frameless, closing itself after 1.5 s.
#include <QWidget>

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int LifetimeMs = 1500;

    SplashWindow();

    // Shows the window with its top-left corner at (screen width / 2 - 115, screen height / 2 - 30).
    void showCentred();

protected:
    void paintEvent(QPaintEvent* event) override;
};
