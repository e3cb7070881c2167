#include "tree/ChildSubscription.h"

#include "tree/marluneChild.h"

ChildSubscription::ChildSubscription(ChildListener& changes, DesktopListener* requests)
    : changes_(changes), requests_(requests)
{
}

ChildSubscription::ChildSubscription(marluneChild& window, ChildListener& changes, DesktopListener* requests)
    : ChildSubscription(changes, requests)
{
    follow(&window);
}

ChildSubscription::~ChildSubscription()
{
    follow(nullptr);
}

void ChildSubscription::follow(marluneChild* window)
{
    if (window == window_)
        return;
    if (window_) {
        window_->unsubscribe(*this);
        if (requests_)
            window_->unsubscribeRequests(*this);
    }
    window_ = window;
    if (window_) {
        window_->subscribe(*this);
        if (requests_)
            window_->subscribeRequests(*this);
    }
}

void ChildSubscription::childChanged(marluneChild& child, const ChildEvent& event)
{
    if (event.change == ChildChange::Closing)
        follow(nullptr);
    changes_.childChanged(child, event);
}

void ChildSubscription::desktopRequested(marluneChild& child, DesktopRequest request)
{
    if (requests_)
        requests_->desktopRequested(child, request);
}
