#include "views/MarkerLayout.h"

#include <algorithm>

#include "base/FormatText.h"

MarkerLayout MarkerLayout::of(const Marker& marker, int x, int y, long double firstVisibleX, long double sampleRate,
                              const std::function<TextExtent(const std::string&)>& measure)
{
    std::vector<std::string> labels;
    if (marker.showValue)
        labels.push_back(formatText("%.4LG", static_cast<long double>(marker.value)));
    if (marker.showPosition)
        labels.push_back(formatText("%.4LG", firstVisibleX + marker.position / sampleRate));
    if (!marker.name.empty())
        labels.push_back(marker.name);

    int widest = 0;
    int tallest = 0;
    for (const std::string& label : labels) {
        const TextExtent extent = measure(label);
        widest = std::max(widest, extent.width);
        tallest = std::max(tallest, extent.height);
    }
    const int boxWidth = widest + 5;
    const int h = tallest + 3;
    const int count = int(labels.size());
    // Near the top of the plot the boxes would leave it: they go below the point instead.
    const int o = y < h * (count + 1) ? h : -h;

    MarkerLayout layout;
    layout.x = x;
    layout.y = y;
    layout.stemFromY = y + o;
    layout.stemToY = y + o / 2;
    layout.headY = y + o / 2;
    const int left = x - boxWidth / 2;
    for (int i = 0; i < count; ++i) {
        const int near = y + o + i * o;
        const int far = near + o;
        layout.boxes.push_back({left, std::min(near, far), left + boxWidth, std::max(near, far), labels[i]});
    }
    return layout;
}
