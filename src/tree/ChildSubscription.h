#pragma once
// A listener's hold on one tree window: it hears the window while the hold lives, and the hold lets go by itself when the window closes first.
#include "tree/ChildEvent.h"
#include "tree/DesktopRequest.h"

class ChildSubscription : private ChildListener, private DesktopListener {
public:
    // `changes` hears the window's changes, `requests` (where given) what it asks of the desktop.
    explicit ChildSubscription(ChildListener& changes, DesktopListener* requests = nullptr);
    ChildSubscription(marluneChild& window, ChildListener& changes, DesktopListener* requests = nullptr);
    ~ChildSubscription();
    ChildSubscription(const ChildSubscription&) = delete;
    ChildSubscription& operator=(const ChildSubscription&) = delete;

    // Null once the window closed or the hold let go of it.
    marluneChild* window() const { return window_; }
    // Follows `window` instead of the one followed now; null follows none.
    void follow(marluneChild* window);

private:
    // The hold lets go before the listener hears Closing, so window() is null while it does, and the
    // listener may then destroy the hold.
    void childChanged(marluneChild& child, const ChildEvent& event) override;
    void desktopRequested(marluneChild& child, DesktopRequest request) override;

    marluneChild* window_ = nullptr;
    ChildListener& changes_;
    DesktopListener* requests_;
};
