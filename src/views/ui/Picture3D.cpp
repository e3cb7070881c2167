#include "views/ui/Picture3D.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <array>

#include "tree/marlune3DChild.h"
#include "views/Axes3DLayout.h"
#include "views/ColumnMaxima.h"
#include "views/FFTSignal.h"
#include "views/Palette.h"
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
        return {at.x(), at.y() - width, metrics.height(), width};
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
      order_(DrawingOrder::of(data.azimuth))
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
    points_.reserve(std::size_t(sampling_->rows()) * std::size_t(sampling_->bins()));
    for (int k = 0; k < sampling_->rows(); ++k)
        for (int m = 0; m < sampling_->bins(); ++m)
            points_.push_back(projection_->ofCell(level, sampling_->row(k), sampling_->bin(m), sampling_->value(k, m)));
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
    painter.setViewport(0, 0, size_.width(), size_.height());
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
        if (cells_->rectangles())
            drawSpectrogram(painter, data_.level().firstRow, data_.level().lastRow - 1);
        else
            drawBlocks(image);
    } else {
        drawMesh(painter);
    }
    if (display_.axes)
        drawAxes(painter);
    painter.end();
    if (data_.rulerOn)
        invertRuler(image);
}

void Picture3D::drawSpectrogram(QPainter& painter, int fromRow, int toRow) const
{
    const ViewLevel& level = data_.level();
    const int width = cells_->wholeWidth() + 1;
    const int height = cells_->wholeHeight() + 1;
    painter.setPen(Qt::NoPen);
    for (int r = fromRow; r <= toRow; ++r) {
        const float* here = data_.row(uint32_t(r));
        const float* next = data_.row(uint32_t(r + 1));
        for (int j = level.firstBin; j < level.lastBin; ++j) {
            const double sum = double(here[j]) + here[j + 1] + next[j] + next[j + 1];
            const ScreenPoint at = cells_->cellTop(r, j);
            painter.fillRect(at.x, at.y, width, height, colour(SpectrogramCells::cellColour(sum, level.zMin, level.zMax)));
        }
    }
}

void Picture3D::drawBlocks(QImage& image) const
{
    const ViewLevel& level = data_.level();
    const int k = cells_->rowsPerPixel();
    const int kb = cells_->binsPerPixel();
    std::array<QRgb, SpectrogramCells::Colours> shade{};
    for (int i = 0; i < SpectrogramCells::Colours; ++i)
        shade[std::size_t(i)] = colour(i).rgb();
    const auto bins = std::size_t(level.binCount);
    ColumnMaxima column(bins);
    const QImage::Format format = image.format();
    for (int r0 = level.firstRow, x = 0; r0 <= level.lastRow && x < image.width(); r0 += k, ++x) {
        const int r1 = std::min(r0 + k - 1, level.lastRow);
        column.start(data_.row(uint32_t(r0)) + level.firstBin);
        for (int r = r0 + 1; r <= r1; ++r)
            column.add(data_.row(uint32_t(r)) + level.firstBin);
        // With the bins upwards the pixel rows of the blocks are taken from the bottom one up.
        const std::size_t blocks = std::min((bins + std::size_t(kb) - 1) / std::size_t(kb), std::size_t(image.height()));
        for (std::size_t j0 = 0, b = 0; b < blocks; j0 += std::size_t(kb), ++b) {
            const std::size_t j1 = std::min(j0 + std::size_t(kb), bins);
            const float maximum = *std::max_element(column.values() + j0, column.values() + j1);
            const QRgb pixel = shade[std::size_t(SpectrogramCells::blockColour(maximum, level.zMin, level.zMax))];
            const int y = int(cells_->lowAtBottom() ? blocks - 1 - b : b);
            if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32)
                reinterpret_cast<QRgb*>(image.scanLine(y))[x] = pixel;
            else
                image.setPixel(x, y, pixel);
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
        // A height in logical units becomes pixels through the vertical scale only.
        fontScale = double(size_.height()) / data_.virtualHeight;
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
    painter.setPen(pixelPen(Qt::white, spectrogram() ? 1 : 4));
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
    if (!cells.rectangles() || cells.cellWidth() < 1)
        return false;
    if (data_.rulerOn)
        invertRuler(image);
    // The cells, which end on the frame, move; the frame, the ticks and the labels are drawn again.
    const QRect area(0, 0, int(cells.pictureWidth()) + 1, int(cells.pictureHeight()) + 1);
    const QImage moved = image.copy(area);
    QPainter painter(&image);
    setUpPainter(painter);
    painter.setClipRect(area);
    painter.drawImage(QPoint(-direction * cells.wholeWidth(), 0), moved);
    painter.setClipping(false);
    const QRegion outside = QRegion(image.rect()).subtracted(area);
    for (const QRect& rect : outside)
        painter.fillRect(rect, Qt::white);
    // The new column. A cell reaches one pixel into its right neighbour, which a full draw covers with
    // the neighbour: a new first column stops short of it, and the last column, whose reach moved
    // off the edge, is drawn again.
    if (direction < 0) {
        painter.setClipRect(0, 0, point(level.firstRow + 1, level.firstBin).x, area.height());
        drawSpectrogram(painter, level.firstRow, level.firstRow);
        painter.setClipping(false);
    }
    drawSpectrogram(painter, level.lastRow - 1, level.lastRow - 1);
    if (display_.axes)
        drawAxes(painter);
    painter.end();
    if (data_.rulerOn)
        invertRuler(image);
    return true;
}
