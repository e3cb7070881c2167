#pragma once
// The listeners of one source, told in the order they came; any may leave, or others join, while they are told.
#include <algorithm>
#include <cstddef>
#include <vector>

template <class Listener>
class ListenerList {
public:
    // A listener added twice is told once.
    void add(Listener& listener)
    {
        if (std::find(listeners_.begin(), listeners_.end(), &listener) == listeners_.end())
            listeners_.push_back(&listener);
    }

    void remove(Listener& listener)
    {
        const auto found = std::find(listeners_.begin(), listeners_.end(), &listener);
        if (found != listeners_.end())
            *found = nullptr;
    }

    // Calls tell(listener) for each. Entries of listeners that leave meanwhile stay null until the
    // outermost walk ends, so every walk, nested ones included, stays valid.
    template <class Tell>
    void tell(Tell&& tell)
    {
        ++walking_;
        for (std::size_t i = 0; i < listeners_.size(); ++i)
            if (Listener* listener = listeners_[i])
                tell(*listener);
        if (--walking_ == 0)
            std::erase(listeners_, nullptr);
    }

private:
    std::vector<Listener*> listeners_;
    int walking_ = 0;
};
