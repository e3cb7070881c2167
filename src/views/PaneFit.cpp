#include "views/PaneFit.h"

#include <algorithm>

namespace {
// The largest s with centre + s × offset + far ≤ high for a point beyond the centre, or
// low ≤ centre + s × offset + near for one before it.
double fitAlong(double offset, double centre, int near, int far, double low, double high)
{
    if (offset > 0)
        return (high - far - centre) / offset;
    if (offset < 0)
        return (low - near - centre) / offset;
    return 1;
}
}  // namespace

double PaneFit::scale(const std::vector<AnchoredBox>& boxes, int width, int height, double smallest)
{
    const double cx = width / 2.0;
    const double cy = height / 2.0;
    double s = 1;
    // Shrinking moves a point towards the centre, so only the edge it lies towards can be crossed; a
    // box inside at full size gives a bound of 1 or more.
    for (const AnchoredBox& box : boxes) {
        s = std::min(s, fitAlong(box.x - cx, cx, box.left, box.right, 0, width));
        s = std::min(s, fitAlong(box.y - cy, cy, box.top, box.bottom, 0, height));
    }
    return std::clamp(s, smallest, 1.0);
}
