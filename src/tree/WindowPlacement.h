#pragma once
// Where a window stands in the client area of the frame, kept through a change of screen size.

// Each edge is in ten-thousandths of the area's width (left, right) or height (top, bottom).
struct WindowPlacement {
    static constexpr long Scale = 10000;

    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;

    bool operator==(const WindowPlacement&) const = default;

    // stored = truncate(pixel x 10000 / client size); a client of no size stores 0.
    static long toStored(long pixels, long clientSize) { return clientSize > 0 ? pixels * Scale / clientSize : 0; }
    static long toPixels(long stored, long clientSize) { return stored * clientSize / Scale; }
};
