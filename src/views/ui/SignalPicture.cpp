#include "views/ui/SignalPicture.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPoint>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <vector>

#include "signal/Signal.h"
#include "tree/XAxisUnit.h"
#include "tree/marluneMDIChild.h"
#include "views/AxisLayout.h"
#include "views/MarkerLayout.h"
#include "views/ui/LogicalText.h"

namespace {
constexpr double TitleHeight = 36;
const QColor Black(0, 0, 0);
const QColor Grid(192, 192, 192);
const QColor Zero(0, 255, 0);
const QColor Alarm(255, 0, 0);
const QColor LabelBox(192, 192, 192);

QPen onePixel(const QColor& colour, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(colour, 1, style);
    pen.setCosmetic(true);
    return pen;
}
}  // namespace

SignalPicture::Look SignalPicture::Look::of(const marluneMDIChild& window)
{
    const Signal* signal = window.signal();
    Look look{signal ? signal->yMax() : 1, signal ? signal->yMin() : -1, window.curveColour(), window.drawAxes(),
              window.logXAxis(), window.xLabel(), window.yLabel()};
    look.secondsX = XAxisUnit::seconds(window);
    return look;
}

SignalPicture::SignalPicture(const marluneMDIChild& window, QSize size) : SignalPicture(window, size, Look::of(window))
{
}

SignalPicture::SignalPicture(const marluneMDIChild& window, QSize size, const Look& look)
    : window_(window), signal_(window.signal()), look_(look), size_(size),
      drawable_(window.showsSamples()),
      space_(PlotSpace::of(size.width(), size.height(), look.axes)),
      plot_(size.width(), signal_ ? signal_->visibleCount() : 0, look.yMin, look.yMax, look.logX)
{
}

double SignalPicture::pixelsPerSample() const
{
    return double(size_.width()) / (double(signal_->visibleCount()) - 1);
}

void SignalPicture::setUp(QPainter& painter) const
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setWindow(0, 0, space_.windowWidth, space_.windowHeight);
    painter.setViewport(space_.viewportX, space_.viewportY, space_.viewportWidth, space_.viewportHeight);
}

void SignalPicture::draw(QImage& image) const
{
    image.fill(Qt::white);
    if (drawable_)
        drawOver(image, Everything);
    else
        drawNotice(image, InvalidText);
}

void SignalPicture::drawNotice(QImage& image, const char* text)
{
    QPainter painter(&image);
    painter.setFont(LogicalText::font(13));
    painter.setPen(Black);
    painter.drawText(image.rect().adjusted(10, 10, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
}

void SignalPicture::drawOver(QImage& image, int parts) const
{
    QPainter painter(&image);
    setUp(painter);
    if ((parts & Axes) && look_.axes)
        drawAxes(painter);
    if (parts & Curve)
        drawCurve(painter, image, image.rect(), 0, signal_->visibleCount());
    if (parts & Markers)
        drawMarkers(painter);
}

void SignalPicture::drawStrip(QImage& image, const QRect& strip, uint32_t first, uint32_t end) const
{
    QPainter painter(&image);
    painter.setClipRect(strip);
    painter.fillRect(strip, Qt::white);
    setUp(painter);
    if (look_.axes)
        drawAxes(painter);
    drawCurve(painter, image, strip & image.rect(), first, end);
    drawMarkers(painter);
}

void SignalPicture::drawAxes(QPainter& painter) const
{
    const int width = size_.width();
    const AxisLayout layout = AxisLayout::of(double(signal_->firstVisibleX()), double(signal_->lastVisibleX()),
                                             look_.yMin, look_.yMax, width, look_.logX, look_.secondsX);
    const QPen black = onePixel(Black);
    const QPen grid = onePixel(Grid, Qt::DotLine);
    // Labels and titles near the pane's edges are moved in rather than cut off.
    const QRect pane(QPoint(0, 0), size_);
    const LogicalText labels(painter, look_.tickLabelHeight, pane);
    constexpr int Bottom = PlotSpace::PlotHeight;
    for (const AxisTick& tick : layout.xTicks) {
        painter.setPen(black);
        painter.drawLine(tick.position, Bottom, tick.position, Bottom - AxisLayout::XTickLength);
        painter.setPen(grid);
        painter.drawLine(tick.position, Bottom - AxisLayout::XTickLength, tick.position, 0);
        painter.setPen(black);
        labels.topLeft(tick.position - layout.xLabelShift, AxisLayout::XLabelTop, QString::fromStdString(tick.label));
    }
    for (const AxisTick& tick : layout.yTicks) {
        painter.setPen(black);
        painter.drawLine(0, tick.position, AxisLayout::YTickLength, tick.position);
        painter.setPen(grid);
        painter.drawLine(AxisLayout::YTickLength, tick.position, width, tick.position);
        painter.setPen(black);
        labels.topRight(AxisLayout::YLabelRight, tick.position - AxisLayout::YLabelRaise,
                        QString::fromStdString(tick.label));
    }
    painter.setPen(black);
    painter.drawLine(0, 0, 0, Bottom);
    painter.drawLine(0, Bottom, width, Bottom);
    if (layout.zeroLineY) {
        painter.setPen(onePixel(Zero));
        painter.drawLine(0, *layout.zeroLineY, width, *layout.zeroLineY);
    }
    const LogicalText titles(painter, TitleHeight, pane);
    painter.setPen(black);
    titles.upwardEndingAt(-width / 10, 600, QString::fromStdString(look_.yLabel));
    titles.bottomRight(-10, Bottom * 11 / 10, QString::fromStdString(look_.xLabel));
}

void SignalPicture::drawCurve(QPainter& painter, QImage& image, const QRect& clip, uint32_t first,
                              uint32_t end) const
{
    // Only the filled part of a log shows: nothing right of its last filled column.
    int rightmost = space_.windowWidth;
    if (signal_->filledCount() < signal_->count())
        rightmost = CurvePlot::filledRight(size_.width(), signal_->filledCount(), signal_->count());
    if (plot_.drawsColumns()) {
        drawColumns(painter, image, clip, rightmost, first, end);
        return;
    }
    painter.save();
    painter.setClipRect(QRect(-space_.windowWidth, -space_.windowHeight, space_.windowWidth + rightmost + 1,
                              3 * space_.windowHeight),
                        Qt::IntersectClip);
    const Rgb colour = look_.colour;
    painter.setPen(onePixel(QColor(colour.r, colour.g, colour.b)));
    QPolygon polyline;
    for (const CurvePoint& point : plot_.polyline(signal_->visibleSamples(), first, end))
        polyline << QPoint(point.x, point.y);
    painter.drawPolyline(polyline);
    painter.restore();
}

void SignalPicture::drawColumns(const QPainter& painter, QImage& image, const QRect& clip, int rightmost,
                                uint32_t first, uint32_t end) const
{
    // Vertical one-pixel lines are written straight into the image: the painter would blend them one
    // pixel-wide span at a time. The pixels are the painter's own: device coordinates rounded down,
    // both ends included.
    const uint32_t start = signal_->firstVisible();
    const auto extremes = [this, start](uint32_t from, uint32_t to) {
        return signal_->extremes(start + from, start + to);
    };
    const QTransform t = painter.combinedTransform();
    const Rgb colour = look_.colour;
    const QRgb pixel = qRgb(colour.r, colour.g, colour.b);
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (const CurveColumn& column : plot_.columns(extremes, plot_.columnOf(first), plot_.columnOf(end - 1))) {
        if (column.x > rightmost)
            break;
        const int x = int(std::floor(t.map(QPointF(column.x, 0)).x()));
        if (x < clip.left() || x > clip.right())
            continue;
        const int top = std::max(int(std::floor(t.map(QPointF(0, column.top)).y())), clip.top());
        const int bottom = std::min(int(std::floor(t.map(QPointF(0, column.bottom)).y())), clip.bottom());
        for (int y = top; y <= bottom; ++y)
            reinterpret_cast<QRgb*>(bits + y * stride)[x] = pixel;
    }
}

void SignalPicture::drawMarkers(QPainter& painter) const
{
    const std::vector<Marker> markers = window_.childMarkers();
    if (markers.empty())
        return;
    const LogicalText text(painter, TickLabelHeight);
    const auto measure = [&text](const std::string& label) {
        const QSizeF size = text.extent(QString::fromStdString(label));
        return TextExtent{int(size.width()), int(size.height())};
    };
    for (const Marker& marker : markers) {
        const MarkerLayout layout = MarkerLayout::of(marker, plot_.sampleToX(marker.position),
                                                     plot_.valueToY(marker.value), signal_->firstVisibleX(),
                                                     signal_->sampleRate(), measure);
        const QColor colour = marker.alarm ? Alarm : Black;
        painter.setPen(onePixel(colour));
        painter.setBrush(colour);
        painter.drawLine(layout.x, layout.stemFromY, layout.x, layout.stemToY);
        const QPoint head[] = {{layout.x, layout.y}, {layout.x - 3, layout.headY}, {layout.x + 3, layout.headY}};
        painter.drawPolygon(head, 3);
        painter.setBrush(LabelBox);
        for (const MarkerBox& box : layout.boxes) {
            painter.drawRect(QRect(QPoint(box.left, box.top), QPoint(box.right, box.bottom)));
            text.topCentre((box.left + box.right) / 2.0, box.top, QString::fromStdString(box.label));
        }
        painter.setBrush(Qt::NoBrush);
    }
}
