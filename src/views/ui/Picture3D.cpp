#include "views/ui/Picture3D.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <array>
#include <cmath>

#include "tree/marlune3DChild.h"
#include "views/Axes3DLayout.h"
#include "views/ColumnMaxima.h"
#include "views/FFTSignal.h"
#include "views/Palette.h"
#include "views/PaneFit.h"
#include "views/SpectrogramCells.h"
#include "views/ui/LogicalText.h"

namespace {
QPoint qpoint(ScreenPoint p)
{
    return {p.x, p.y};
}

QFont axisFont(int pixels)
{
    QFont font("Arial");
    font.setPixelSize(std::max(pixels, 1));
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Where the label's text lies, in device pixels, for the font of `metrics`.
QRect labelBox(const QFontMetrics& metrics, QPoint at, const QString& text, Axes3DLayout::Anchor anchor)
{
    const int width = metrics.horizontalAdvance(text);
    switch (anchor) {
    case Axes3DLayout::Anchor::TopCentre:
        return {at.x() - width / 2, at.y(), width, metrics.height()};
    case Axes3DLayout::Anchor::TopRight:
        return {at.x() - width, at.y(), width, metrics.height()};
    case Axes3DLayout::Anchor::Upward:
        // Turned to read upwards, the glyphs rise from the baseline to the left of the point.
        return {at.x() - metrics.ascent(), at.y() - width, metrics.height(), width};
    case Axes3DLayout::Anchor::TopLeft:
        break;
    }
    return {at.x(), at.y(), width, metrics.height()};
}

// Text at a device point, with the window mapping reset so glyphs keep their proportions.
void drawLabel(QPainter& painter, QPoint at, const QString& text, Axes3DLayout::Anchor anchor)
{
    const QFontMetrics metrics(painter.font());
    painter.save();
    painter.resetTransform();
    if (anchor == Axes3DLayout::Anchor::Upward) {
        painter.translate(at);
        painter.rotate(-90);
        painter.drawText(0, 0, text);
    } else {
        painter.drawText(labelBox(metrics, at, text, anchor).left(), at.y() + metrics.ascent(), text);
    }
    painter.restore();
}

// As in the signal panes, labels stay readable in a small pane and modest in a large one.
QFont labelFont(const Axes3DLayout& layout, double scale)
{
    return axisFont(std::clamp(int(layout.fontHeight * scale), LogicalText::MinPixels, LogicalText::MaxPixels));
}

void setUpPainter(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
}

QPen pixelPen(const QColor& colour, int width = 1)
{
    QPen pen(colour, width);
    pen.setCosmetic(true);
    return pen;
}
}  // namespace

Picture3D::Picture3D(const FFTSignal& data, const Display3D& display, const Palette& palette, bool invalid, QSize size)
    : data_(data), display_(display), palette_(palette), invalid_(invalid || data.rows() == 0), size_(size),
      meshArea_(QPoint(0, 0), size), order_(DrawingOrder::of(data.azimuth))
{
    if (invalid_)
        return;
    const ViewLevel& level = data.level();
    // A cell's place in the spectrogram costs a multiplication: it is not stored for millions of cells.
    if (spectrogram()) {
        cells_.emplace(level, size.width(), size.height(), data.lowAtBottom);
        if (display.axes)
            makeRoomForLabels();
        return;
    }
    sampling_.emplace(data, level);
    const auto [azimuth, elevation] = Projection3D::meshView(data.azimuth, data.elevation);
    order_ = DrawingOrder::of(azimuth);
    projection_.emplace(azimuth, elevation);
    if (display.axes)
        makeRoomForMeshLabels();
    points_.reserve(std::size_t(sampling_->rows()) * std::size_t(sampling_->bins()));
    for (int k = 0; k < sampling_->rows(); ++k)
        for (int m = 0; m < sampling_->bins(); ++m)
            points_.push_back(projection_->ofCell(level, sampling_->row(k), sampling_->bin(m), sampling_->value(k, m)));
}

double Picture3D::meshFontScale() const
{
    // A height in logical units becomes pixels through the vertical scale of the whole pane.
    return double(size_.height()) / data_.virtualHeight;
}

void Picture3D::makeRoomForMeshLabels()
{
    // The end values and titles lie just outside the box, near the pane's edges; at a small pane's
    // smallest readable font a five-digit frequency would run over the edge. The picture shrinks about
    // the pane's centre until they and the axes' lines fit, as it is shown at its normal scale; a
    // picture the person enlarged beyond it runs over the pane, its axes with it, as it is meant to.
    const Axes3DLayout layout = Axes3DLayout::mesh(data_, titles());
    const QFontMetrics metrics(labelFont(layout, meshFontScale()));
    const int extentX = std::max(data_.virtualWidth, 800);
    const int extentY = std::max(data_.virtualHeight, 630);
    const auto inPane = [&](ScreenPoint p) {
        return std::pair{(p.x - (800 - extentX) / 2) * double(size_.width()) / extentX,
                         (p.y - (630 - extentY) / 2) * double(size_.height()) / extentY};
    };
    std::vector<AnchoredBox> boxes;
    // A pixel clear of the edge, and one more the viewport's rounding may take.
    const auto add = [&](ScreenPoint p, const QRect& box) {
        const auto [x, y] = inPane(p);
        boxes.push_back({x, y, box.left() - 2, box.top() - 2, box.right() + 3, box.bottom() + 3});
    };
    for (const Axes3DLayout::Line& line : layout.lines) {
        add(line.from, QRect(0, 0, 1, 1));
        add(line.to, QRect(0, 0, 1, 1));
    }
    for (const Axes3DLayout::Label& label : layout.labels)
        add(label.at, labelBox(metrics, {0, 0}, QString::fromStdString(label.text), label.anchor));
    const double s = PaneFit::scale(boxes, size_.width(), size_.height());
    const int width = int(std::lround(s * size_.width()));
    const int height = int(std::lround(s * size_.height()));
    meshArea_ = QRect((size_.width() - width) / 2, (size_.height() - height) / 2, width, height);
}

void Picture3D::makeRoomForLabels()
{
    // The cells leave 40 pixels right of them and 30 below for the tick labels and titles; a label wider
    // than that (a five-digit frequency in a large font) would be cut by the pane's edge, and read as
    // another number. The cells then shrink until every label fits; a few rounds settle the truncations.
    const ViewLevel& level = data_.level();
    QSize area = size_;
    for (int round = 0; round < 4; ++round) {
        const Axes3DLayout layout = Axes3DLayout::spectrogram(data_, *cells_, titles());
        const QFontMetrics metrics(labelFont(layout, 1));
        QRect used;
        for (const Axes3DLayout::Label& label : layout.labels)
            used |= labelBox(metrics, qpoint(label.at), QString::fromStdString(label.text), label.anchor);
        if (const auto& bar = layout.colourBar)
            used |= QRect(bar->from.x, bar->from.y, bar->to.x - bar->from.x + 1, bar->thickness);
        const int right = used.right() + 1 - size_.width();
        const int below = used.bottom() + 1 - size_.height();
        if (right <= 0 && below <= 0)
            return;
        area -= QSize(std::max(right, 0), std::max(below, 0));
        if (area.width() < 1 || area.height() < 1)
            return;
        cells_.emplace(level, area.width(), area.height(), data_.lowAtBottom);
    }
}

Axes3DLayout::Titles Picture3D::titles() const
{
    return {display_.xLabel, display_.yLabel, display_.zLabel};
}

bool Picture3D::spectrogram() const
{
    return data_.elevation == 0;
}

ScreenPoint Picture3D::point(int r, int j) const
{
    if (cells_)
        return cells_->point(r, j);
    return projection_->ofCell(data_.level(), r, j, data_.row(uint32_t(r))[j]);
}

ScreenPoint Picture3D::sampledPoint(int k, int m) const
{
    if (cells_)
        return cells_->point(sampling_->row(k), sampling_->bin(m));
    return points_[std::size_t(k) * std::size_t(sampling_->bins()) + std::size_t(m)];
}

QColor Picture3D::colour(int index) const
{
    const Rgb rgb = palette_.shown(std::size_t(index), data_.invertColours);
    return QColor(rgb.r, rgb.g, rgb.b);
}

void Picture3D::setMeshSpace(QPainter& painter) const
{
    const int width = data_.virtualWidth;
    const int height = data_.virtualHeight;
    painter.setWindow((800 - width) / 2, (630 - height) / 2, width, height);
    painter.setViewport(meshArea_);
}

void Picture3D::draw(QImage& image) const
{
    image.fill(Qt::white);
    QPainter painter(&image);
    setUpPainter(painter);
    if (invalid_) {
        painter.setFont(axisFont(14));
        drawLabel(painter, {10, 10}, InvalidText, Axes3DLayout::Anchor::TopLeft);
        return;
    }
    if (!spectrogram())
        setMeshSpace(painter);
    if (!data_.fillSegments) {
        // Wire lines: one red polyline per drawn row through the drawn bins, in drawing order.
        painter.setPen(pixelPen(Qt::red));
        if (!sampling_)
            sampling_.emplace(data_, data_.level());
        const int rows = sampling_->rows();
        for (int i = 0; i < rows; ++i) {
            const int k = order_.rowsForward ? i : rows - 1 - i;
            QPolygon line;
            for (int m = 0; m < sampling_->bins(); ++m)
                line << qpoint(sampledPoint(k, m));
            painter.drawPolyline(line);
        }
    } else if (spectrogram()) {
        drawCells(image, 0, cells_->pictureWidth());
    } else {
        drawMesh(painter);
    }
    if (display_.axes)
        drawAxes(painter);
    painter.end();
    if (data_.rulerOn)
        invertRuler(image);
}

void Picture3D::drawCells(QImage& image, int fromX, int toX) const
{
    const ViewLevel& level = data_.level();
    const SpectrogramCells& cells = *cells_;
    std::array<QRgb, SpectrogramCells::Colours> shade{};
    for (int i = 0; i < SpectrogramCells::Colours; ++i)
        shade[std::size_t(i)] = colour(i).rgb();
    const int height = std::min(cells.pictureHeight(), image.height());
    // The bins of each pixel row, counted from the level's first bin: the same for every column.
    std::vector<SpectrogramCells::Run> bins(std::size_t(std::max(height, 0)));
    for (int y = 0; y < height; ++y) {
        const SpectrogramCells::Run run = cells.binsAt(y);
        bins[std::size_t(y)] = {run.first - level.firstBin, run.last - level.firstBin};
    }
    ColumnMaxima column(std::size_t(level.binCount));
    std::vector<QRgb> pixels(bins.size());
    std::optional<SpectrogramCells::Run> shown;
    // 32-bit pixels are written straight into the image's lines, found once: scanLine() checks for
    // sharing on every call.
    const bool direct = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
    QRgb* const lines = direct ? reinterpret_cast<QRgb*>(image.bits()) : nullptr;
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    for (int x = std::max(fromX, 0); x < std::min({toX, cells.pictureWidth(), image.width()}); ++x) {
        // Columns wider than a pixel show the same rows: their colours are taken once.
        const SpectrogramCells::Run rows = cells.rowsAt(x);
        if (rows != shown) {
            column.start(data_.row(uint32_t(rows.first)) + level.firstBin);
            for (int64_t r = rows.first + 1; r <= rows.last; ++r)
                column.add(data_.row(uint32_t(r)) + level.firstBin);
            for (std::size_t y = 0; y < bins.size(); ++y) {
                const float* values = column.values();
                const float maximum =
                    *std::max_element(values + bins[y].first, values + bins[y].last + 1);
                pixels[y] = shade[std::size_t(SpectrogramCells::blockColour(maximum, level.zMin, level.zMax))];
            }
            shown = rows;
        }
        for (int y = 0; y < height; ++y) {
            if (direct)
                lines[y * stride + x] = pixels[std::size_t(y)];
            else
                image.setPixel(x, y, pixels[std::size_t(y)]);
        }
    }
}

void Picture3D::drawMesh(QPainter& painter) const
{
    const ViewLevel& level = data_.level();
    const MeshSampling& grid = *sampling_;
    const int dr = order_.rowStep();
    const int dm = order_.binStep();
    for (int i = 0; i + 1 < grid.rows(); ++i) {
        const int k = order_.rowsForward ? i : grid.rows() - 1 - i;
        for (int n = 0; n + 1 < grid.bins(); ++n) {
            const int m = order_.binsForward ? n : grid.bins() - 1 - n;
            const double sum = double(grid.value(k, m)) + grid.value(k, m + dm) + grid.value(k + dr, m) +
                               grid.value(k + dr, m + dm);
            const QColor c = colour(SpectrogramCells::cellColour(sum, level.zMin, level.zMax));
            painter.setPen(pixelPen(c));
            painter.setBrush(c);
            const QPoint quad[4] = {qpoint(sampledPoint(k, m)), qpoint(sampledPoint(k + dr, m)),
                                    qpoint(sampledPoint(k + dr, m + dm)), qpoint(sampledPoint(k, m + dm))};
            painter.drawPolygon(quad, 4);
        }
    }
}

void Picture3D::drawAxes(QPainter& painter) const
{
    Axes3DLayout layout;
    double fontScale = 1;
    if (spectrogram()) {
        layout = Axes3DLayout::spectrogram(data_, *cells_, titles());
    } else {
        layout = Axes3DLayout::mesh(data_, titles());
        fontScale = meshFontScale();
    }
    painter.setPen(pixelPen(Qt::black));
    for (const Axes3DLayout::Line& line : layout.lines)
        painter.drawLine(qpoint(line.from), qpoint(line.to));
    painter.setFont(labelFont(layout, fontScale));
    const QTransform mapping = painter.combinedTransform();
    for (const Axes3DLayout::Label& label : layout.labels)
        drawLabel(painter, mapping.map(qpoint(label.at)), QString::fromStdString(label.text), label.anchor);
    if (const auto& bar = layout.colourBar) {
        // Each column the colour the cells give its share of the Z range, as a block of one value does.
        const int width = std::max(bar->to.x - bar->from.x, 1);
        for (int x = 0; x <= width; ++x) {
            const double value = bar->zMin + (double(bar->zMax) - bar->zMin) * x / width;
            painter.fillRect(bar->from.x + x, bar->from.y, 1, bar->thickness,
                             colour(SpectrogramCells::blockColour(value, bar->zMin, bar->zMax)));
        }
    }
}

void Picture3D::invertRuler(QImage& image) const
{
    if (invalid_)
        return;
    const ViewLevel& level = data_.level();
    QPainter painter(&image);
    setUpPainter(painter);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    if (!spectrogram())
        setMeshSpace(painter);
    if (cells_) {
        // Straight through the ruler cell's centre, from one edge of the cells to the other.
        painter.setPen(pixelPen(Qt::white));
        const ScreenPoint at = cells_->point(level.rulerRow, level.rulerBin);
        painter.drawLine(at.x, 0, at.x, cells_->pictureHeight() - 1);
        painter.drawLine(0, at.y, cells_->pictureWidth() - 1, at.y);
        return;
    }
    painter.setPen(pixelPen(Qt::white, 4));
    QPolygon alongRow;
    for (int j = level.firstBin; j <= level.lastBin; ++j)
        alongRow << qpoint(point(level.rulerRow, j));
    // Along the bin, through the rows the picture draws when it draws only some of them.
    QPolygon alongBin;
    if (!sampling_ && !data_.fillSegments)
        sampling_.emplace(data_, level);
    if (sampling_)
        for (int k = 0; k < sampling_->rows(); ++k)
            alongBin << qpoint(point(sampling_->row(k), level.rulerBin));
    else
        for (int r = level.firstRow; r <= level.lastRow; ++r)
            alongBin << qpoint(point(r, level.rulerBin));
    painter.drawPolyline(alongRow);
    painter.drawPolyline(alongBin);
}

bool Picture3D::scroll(QImage& image, int direction) const
{
    const ViewLevel& level = data_.level();
    if (invalid_ || !spectrogram() || !data_.fillSegments || level.rowCount < 3 || (direction != 1 && direction != -1))
        return false;
    const SpectrogramCells& cells = *cells_;
    const int step = cells.wholeRowWidth();
    if (step == 0)
        return false;
    if (data_.rulerOn)
        invertRuler(image);
    // The cells move by one row; the frame, the ticks and the labels are drawn again.
    const QRect area(0, 0, cells.pictureWidth(), cells.pictureHeight());
    const QImage moved = image.copy(area);
    QPainter painter(&image);
    setUpPainter(painter);
    painter.setClipRect(area);
    painter.drawImage(QPoint(-direction * step, 0), moved);
    painter.setClipping(false);
    const QRegion outside = QRegion(image.rect()).subtracted(area);
    for (const QRect& rect : outside)
        painter.fillRect(rect, Qt::white);
    if (direction > 0)
        drawCells(image, area.width() - step, area.width());
    else
        drawCells(image, 0, step);
    if (display_.axes)
        drawAxes(painter);
    painter.end();
    if (data_.rulerOn)
        invertRuler(image);
    return true;
}

std::optional<std::pair<int64_t, int64_t>> Picture3D::cellAt(QPoint at) const
{
    if (!cells_)
        return std::nullopt;
    const auto runs = cells_->cellsAt(at.x(), at.y());
    if (!runs)
        return std::nullopt;
    // The value the pixel's colour stands for, so the read-out and a click on a lone peak find the peak.
    const auto [rows, bins] = *runs;
    std::pair<int64_t, int64_t> best{rows.first, bins.first};
    float highest = data_.row(uint32_t(rows.first))[bins.first];
    for (int64_t r = rows.first; r <= rows.last; ++r) {
        const float* values = data_.row(uint32_t(r));
        for (int64_t j = bins.first; j <= bins.last; ++j)
            if (values[j] > highest || (std::isnan(highest) && !std::isnan(values[j]))) {
                highest = values[j];
                best = {r, j};
            }
    }
    return best;
}
