#pragma once
#include <cstdint>
#include <optional>
#include <utility>

// How a tree window tells the pane that shows it what changed. The core never waits for a view.
class ChildView {
public:
    virtual void repaint() = 0;
    virtual void captionChanged() = 0;
    // The samples or the visible part changed: whatever the view marked by its pixels marks other samples now.
    virtual void samplesChanged() {}
    // The window is about to be destroyed; the view must drop every pointer to it.
    virtual void closing() = 0;
    // The selected range as ordered sample indices clamped to the visible range, if there is one.
    virtual std::optional<std::pair<uint32_t, uint32_t>> selectedSamples() const { return std::nullopt; }
    // The selected range as the sample edits and the clipboard count it: in proportion to the plot width.
    virtual std::optional<std::pair<uint32_t, uint32_t>> selectedForEdit() const { return std::nullopt; }
    // Offset from the zoom start of the sample under the cursor, where Paste writes.
    virtual std::optional<uint32_t> cursorOffset() const { return std::nullopt; }
    // The harmonic ruler of a spectrum pane.
    virtual bool harmonicRuler() const { return false; }
    virtual void toggleHarmonicRuler() {}
    // Puts the pane's picture on the clipboard.
    virtual void copyPicture() {}

protected:
    ~ChildView() = default;
};
