#pragma once
#include <cstdint>
#include <optional>
#include <utility>

// How a tree window tells the pane that shows it what changed. The core never waits for a view.
class ChildView {
public:
    virtual void repaint() = 0;
    virtual void captionChanged() = 0;
    // The window is about to be destroyed; the view must drop every pointer to it.
    virtual void closing() = 0;
    // The selected range as ordered sample indices clamped to the visible range, if there is one.
    virtual std::optional<std::pair<uint32_t, uint32_t>> selectedSamples() const { return std::nullopt; }

protected:
    ~ChildView() = default;
};
