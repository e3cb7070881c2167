#pragma once
// A subwindow's frame in the MDI client area and its placement in ten-thousandths of that area.
#include <QRect>
#include <QSize>
#include <algorithm>

#include "tree/WindowPlacement.h"

inline WindowPlacement placementOf(const QRect& frame, QSize area)
{
    return {WindowPlacement::toStored(frame.left(), area.width()), WindowPlacement::toStored(frame.top(), area.height()),
            WindowPlacement::toStored(frame.left() + frame.width(), area.width()),
            WindowPlacement::toStored(frame.top() + frame.height(), area.height())};
}

inline QRect geometryOf(const WindowPlacement& p, QSize area)
{
    const int left = int(WindowPlacement::toPixels(p.left, area.width()));
    const int top = int(WindowPlacement::toPixels(p.top, area.height()));
    const int right = int(WindowPlacement::toPixels(p.right, area.width()));
    const int bottom = int(WindowPlacement::toPixels(p.bottom, area.height()));
    return {left, top, std::max(right - left, 1), std::max(bottom - top, 1)};
}
