#include "views/Axes3DLayout.h"

#include <algorithm>

#include "base/FormatText.h"
#include "views/AxisTicks.h"
#include "views/FFTSignal.h"
#include "views/SpectrogramCells.h"
#include "views/TruncatedPixel.h"

namespace {
// A Time FFT's rows are seconds of its parent; a log's and a picture's only count.
bool readsAsClock(const FFTSignal& data)
{
    const ViewLevel& level = data.level();
    return data.source() == FFTSignal::Source::TimeFFT && ReadsAsClock(data.rowX(level.firstRow), data.rowX(level.lastRow));
}

// Right-aligned when the pair lies left of the picture's centre, so it reads away from the box.
Axes3DLayout::Anchor pairAnchor(int xSum, int extent)
{
    return xSum < extent ? Axes3DLayout::Anchor::TopRight : Axes3DLayout::Anchor::TopLeft;
}
}  // namespace

Axes3DLayout Axes3DLayout::spectrogram(const FFTSignal& data, const SpectrogramCells& cells, const Titles& titles)
{
    Axes3DLayout layout;
    const ViewLevel& level = data.level();
    const int W = cells.pictureWidth();
    const int H = cells.pictureHeight();
    layout.fontHeight = std::clamp(W / 32, 8, 14);

    // A tick lies where the cell of its value has its centre: the first row's and bin's value at the
    // centre of the first cell, the last's at the centre of the last.
    const double x0 = data.rowX(level.firstRow);
    const double x1 = data.rowX(level.lastRow);
    const double xStep = TickStep(x0, x1);
    const bool clock = readsAsClock(data);
    for (const double t : LinearTicks(x0, x1)) {
        const int px = truncatedPixel(cells.xOfRow((t - x0) / (x1 - x0) * (level.rowCount - 1)));
        layout.lines.push_back({{px, H}, {px, H + 5}});
        layout.labels.push_back({{px, truncatedPixel(1.02 * H)}, clock ? ClockLabel(t, xStep) : TickLabel(t, xStep),
                                 Anchor::TopCentre});
    }
    const double y0 = data.binY(level.firstBin);
    const double y1 = data.binY(level.lastBin);
    const double yStep = TickStep(y0, y1);
    for (const double t : LinearTicks(y0, y1)) {
        const int py = truncatedPixel(cells.yOfBin((t - y0) / (y1 - y0) * (level.binCount - 1)));
        layout.lines.push_back({{W, py}, {truncatedPixel(1.01 * W), py}});
        layout.labels.push_back({{truncatedPixel(1.02 * W), py - 8}, TickLabel(t, yStep), Anchor::TopLeft});
    }
    layout.lines.push_back({{W, 0}, {W, H}});
    layout.lines.push_back({{W, H}, {0, H}});
    layout.labels.push_back({{W / 2, H + 22}, titles.x, Anchor::TopCentre});
    layout.labels.push_back({{W + 5, 0}, titles.y, Anchor::TopLeft});
    // Below the time axis's title, as wide as the cells: which colour stands for which value.
    const int bar = H + 22 + layout.fontHeight + 6;
    layout.colourBar = ColourBar{{0, bar}, {W, bar}, 8, level.zMin, level.zMax};
    const int below = bar + 8 + 2;
    layout.labels.push_back({{0, below}, formatText("%.4G", double(level.zMin)), Anchor::TopLeft});
    layout.labels.push_back({{W, below}, formatText("%.4G", double(level.zMax)), Anchor::TopRight});
    if (!titles.z.empty())
        layout.labels.push_back({{W / 2, below}, titles.z, Anchor::TopCentre});
    return layout;
}

Axes3DLayout Axes3DLayout::mesh(const FFTSignal& data, const Titles& titles)
{
    Axes3DLayout layout;
    const ViewLevel& level = data.level();
    const auto [azimuth, elevation] = Projection3D::meshView(data.azimuth, data.elevation);
    const Projection3D projection(azimuth, elevation);
    const DrawingOrder order = DrawingOrder::of(azimuth);
    const double a = order.rowStep();
    const double b = order.binStep();
    const auto P = [&](double u, double v, double z) { return projection.at(u, v, z); };
    const auto line = [&](ScreenPoint from, ScreenPoint to) { layout.lines.push_back({from, to}); };

    const int extent = data.virtualWidth;
    layout.fontHeight = extent < 320 ? 10 : std::clamp(extent / 32, 10, 14);

    line(P(-505 * a, 505 * b, 510), P(-505 * a, 505 * b, -500));
    line(P(-505 * a, 505 * b, -500), P(510 * a, 505 * b, -500));
    line(P(510 * a, 505 * b, -500), P(510 * a, -505 * b, -500));
    line(P(-505 * a, 505 * b, -500), P(-505 * a, 550 * b, -500));
    line(P(505 * a, 505 * b, -500), P(505 * a, 550 * b, -500));
    line(P(505 * a, -505 * b, -500), P(550 * a, -505 * b, -500));
    line(P(505 * a, 505 * b, -500), P(550 * a, 505 * b, -500));
    line(P(-505 * a, 505 * b, 500), P(-550 * a, 550 * b, 500));
    line(P(-505 * a, 505 * b, -500), P(-550 * a, 550 * b, -500));

    const ScreenPoint firstRow = P(-505, 555 * b, -500);
    const ScreenPoint lastRow = P(505, 555 * b, -500);
    const Anchor rowAnchor = pairAnchor(firstRow.x + lastRow.x, extent);
    const double x0 = data.rowX(level.firstRow);
    const double x1 = data.rowX(level.lastRow);
    // The two ends as a clock take the digits a tick step between them needs, so they read apart.
    const auto rowLabel = [&](double x) { return readsAsClock(data) ? ClockLabel(x, TickStep(x0, x1)) : TickLabel(x); };
    layout.labels.push_back({firstRow, rowLabel(x0), rowAnchor});
    layout.labels.push_back({lastRow, rowLabel(x1), rowAnchor});
    const ScreenPoint top = P(-505 * a, 555 * b, 500);
    layout.labels.push_back({top, TickLabel(level.zMax), pairAnchor(2 * top.x, extent)});
    const ScreenPoint firstBin = P(555 * a, -505, -500);
    const ScreenPoint lastBin = P(555 * a, 505, -500);
    const Anchor binAnchor = pairAnchor(firstBin.x + lastBin.x, extent);
    layout.labels.push_back({firstBin, TickLabel(data.binY(level.firstBin)), binAnchor});
    layout.labels.push_back({lastBin, TickLabel(data.binY(level.lastBin)), binAnchor});

    layout.labels.push_back({P(0, 555 * b, -500), titles.x, Anchor::TopCentre});
    layout.labels.push_back({P(555 * a, 0, -500), titles.y, Anchor::TopCentre});
    layout.labels.push_back({P(-550 * a, 550 * b, -200), titles.z, Anchor::Upward});
    return layout;
}
