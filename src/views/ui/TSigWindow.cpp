#include "views/ui/TSigWindow.h"

#include <QLine>
#include <QPainter>
#include <QPoint>
#include <QPolygon>
#include <vector>

#include "signal/Signal.h"
#include "tree/marluneMDIChild.h"
#include "views/CurvePlot.h"
#include "views/PlotSpace.h"

namespace {
const char* const InvalidText = "Content of this window is not valid!";

QFont paneFont()
{
    QFont font("DejaVu Sans");
    font.setPixelSize(13);
    return font;
}
}  // namespace

TSigWindow::TSigWindow(marluneMDIChild& child, QWidget* parent) : QWidget(parent), child_(&child)
{
    // Every pixel comes from the back buffer.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TSigWindow::detach()
{
    child_ = nullptr;
    update();
}

QSize TSigWindow::sizeHint() const
{
    return {480, 240};
}

QImage TSigWindow::render(QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    drawInto(image);
    return image;
}

void TSigWindow::paintEvent(QPaintEvent*)
{
    if (backBuffer_.size() != size())
        backBuffer_ = QImage(size(), QImage::Format_RGB32);
    drawInto(backBuffer_);
    QPainter(this).drawImage(0, 0, backBuffer_);
}

void TSigWindow::drawInto(QImage& image) const
{
    image.fill(Qt::white);
    if (!child_)
        return;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const Signal* signal = child_->signal();
    if (!signal || !CurvePlot::drawable(signal->sampleRate(), child_->invalid(), signal->visibleCount())) {
        painter.setFont(paneFont());
        painter.setPen(Qt::black);
        // The text's top-left corner sits at (10, 10).
        painter.drawText(10, 10 + painter.fontMetrics().ascent(), InvalidText);
        return;
    }
    drawCurve(painter, *signal, image.size());
}

void TSigWindow::drawCurve(QPainter& painter, const Signal& signal, QSize size) const
{
    const PlotSpace space = PlotSpace::of(size.width(), size.height(), child_->drawAxes());
    painter.setWindow(0, 0, space.windowWidth, space.windowHeight);
    painter.setViewport(space.viewportX, space.viewportY, space.viewportWidth, space.viewportHeight);

    const Rgb colour = child_->curveColour();
    QPen pen(QColor(colour.r, colour.g, colour.b), 1);
    pen.setCosmetic(true);
    painter.setPen(pen);

    const CurvePlot plot(size.width(), signal.visibleCount(), signal.yMin(), signal.yMax(), child_->logXAxis());
    if (plot.drawsColumns()) {
        // One pass over the visible samples gives W - 1 columns, drawn in two batched calls.
        const auto columns = plot.columns(signal.visibleSamples());
        std::vector<QPoint> tops;
        std::vector<QLine> lines;
        tops.reserve(columns.size());
        lines.reserve(columns.size());
        for (const CurveColumn& column : columns) {
            tops.emplace_back(column.x, column.top);
            lines.emplace_back(column.x, column.top, column.x, column.bottom);
        }
        painter.drawPoints(tops.data(), int(tops.size()));
        painter.drawLines(lines.data(), int(lines.size()));
        return;
    }
    QPolygon polyline;
    for (const CurvePoint& point : plot.polyline(signal.visibleSamples()))
        polyline << QPoint(point.x, point.y);
    painter.drawPolyline(polyline);
}
