#pragma once
// Device-pixel conversions of a signal pane for the mouse, the cursor, the selection and the rulers.
#include <cstdint>
#include <optional>
#include <utility>

// With axes the plot starts a tenth of the client width in and spans 1/1.1 of it (f = 1.1).
class PixelMap {
public:
    PixelMap(int clientWidth, int clientHeight, bool axes, bool logX, uint32_t zoomStart, uint32_t visibleCount,
             float yMin, float yMax);

    int sampleToX(int64_t index) const;
    // Not clamped: a pixel outside the plot gives an index outside the visible range.
    int64_t xToSample(int x) const;
    int valueToY(float value) const;

    // The plot rectangle in device pixels.
    int plotLeft() const { return plotLeft_; }
    int plotRight() const { return plotRight_; }
    int plotBottom() const { return plotBottom_; }

    // Zoom In: both band ends by xToSample, ordered and clamped to the visible range.
    std::pair<uint32_t, uint32_t> zoomRange(int x1, int x2) const;
    // Ctrl+0, Ctrl+M, Copy and Cut: both band ends in proportion to the plot, ordered and clamped.
    std::pair<uint32_t, uint32_t> editRange(int x1, int x2) const;
    // Paste: the offset from the zoom start of the sample under the cursor; none left of the plot.
    std::optional<uint32_t> pasteOffset(int cursorX) const;

private:
    uint32_t clamped(int64_t index) const;

    int width_;
    int height_;
    double f_;
    bool logX_;
    uint32_t zoomStart_;
    uint32_t count_;
    double yMin_;
    double yMax_;
    int plotLeft_;
    int plotRight_;
    int plotBottom_;
};
