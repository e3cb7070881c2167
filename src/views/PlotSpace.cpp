#include "views/PlotSpace.h"

PlotSpace PlotSpace::of(int width, int height, bool axes)
{
    if (!axes)
        return {width, PlotHeight, 0, 0, width, height};
    // Extents are whole logical units, so 1.1 × W is truncated as the old drawing layer did.
    return {width * 11 / 10, PlotHeight * 11 / 10, width / 10, 0, width, height};
}

int PlotSpace::toDeviceX(double x) const
{
    return viewportX + int(x * scaleX());
}

int PlotSpace::toDeviceY(double y) const
{
    return viewportY + int(y * scaleY());
}
