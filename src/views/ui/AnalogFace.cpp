#include "views/ui/AnalogFace.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>

#include "base/FormatText.h"
#include "views/InstrumentDial.h"

namespace {
const QColor Green(0, 255, 0);
const QColor Yellow(255, 255, 0);
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

QFont arial(int pixels, bool bold)
{
    QFont font("Arial");
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Text whose top is at y, its left end, centre or right end at x.
void drawText(QPainter& painter, double x, double y, const QString& text, InstrumentDial::Align align)
{
    const QFontMetrics metrics(painter.font());
    const int width = metrics.horizontalAdvance(text);
    const double left = align == InstrumentDial::Align::Left ? x : align == InstrumentDial::Align::Centre ? x - width / 2.0 : x - width;
    painter.drawText(QPointF(left, y + metrics.ascent()), text);
}

int sixteenths(double degrees)
{
    return int(std::lround(degrees * 16));
}

// "    %.5G %s    " in bold 18 pixels, centred at x, 30 pixels above the bottom.
void valueText(QPainter& painter, const InstrumentReading& reading, double x, int height)
{
    painter.setFont(arial(18, true));
    painter.setPen(Qt::black);
    drawText(painter, x, height - 30, QString::fromStdString(formatText("    %.5G %s    ", reading.value, reading.units.c_str())),
             InstrumentDial::Align::Centre);
}

void dial(QPainter& painter, QImage& image, const InstrumentReading& reading)
{
    const InstrumentDial dial(image.width(), image.height(), reading.rangeFrom, reading.rangeTo);
    const int s = dial.side();
    const QRect circle(0, 20, s, s);
    const InstrumentDial::Sector scale = dial.scale();
    const auto arc = [&](const QRect& rect, const QColor& colour, int width) {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(rect, sixteenths(scale.startDegrees), sixteenths(scale.spanDegrees));
    };
    arc(circle, Green, 7);
    arc(circle.adjusted(10, 10, -10, -10), Yellow, 7);
    arc(circle, Qt::black, 1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Red);
    for (const InstrumentDial::Sector& sector : dial.criticalSectors(reading))
        painter.drawPie(circle, sixteenths(sector.startDegrees), sixteenths(sector.spanDegrees));
    painter.setPen(QPen(Qt::black, 1));
    for (const InstrumentDial::Tick& tick : dial.ticks())
        painter.drawLine(QPointF(tick.outer.x, tick.outer.y), QPointF(tick.inner.x, tick.inner.y));
    painter.setFont(arial(14, false));
    for (const InstrumentDial::Label& label : dial.labels())
        drawText(painter, label.at.x, label.at.y, QString::fromStdString(label.text), label.align);

    // The needle inverts what lies beneath it, so it shows on every colour of the dial.
    const auto tip = dial.needle(reading.clampedValue());
    QPolygonF needle;
    for (const InstrumentDial::Point& p : tip)
        needle << QPointF(p.x, p.y);
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPolygon(needle);
    painter.restore();
    const InstrumentDial::Point o = dial.centre();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPointF(o.x, o.y), 7, 7);
    valueText(painter, reading, s / 2.0, image.height());
}

void bar(QPainter& painter, const QImage& image, const InstrumentReading& reading)
{
    const int w = image.width();
    const int bottom = image.height() < 120 ? 100 : image.height() - 20;
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(0, 20, w - 1, bottom - 20));
    const double span = reading.rangeTo - reading.rangeFrom;
    const auto xOf = [&](double v) { return span != 0 ? (v - reading.rangeFrom) * (w - 10) / span : 0.0; };
    const double end = xOf(reading.clampedValue());
    painter.setPen(Qt::NoPen);
    painter.setBrush(Blue);
    if (end > 5)
        painter.drawRect(QRectF(5, 25, end - 5, bottom - 30));
    if (reading.hasCriticalRange()) {
        const auto mark = [&](double from, double to, int width) {
            painter.setPen(QPen(Red, width, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QPointF(xOf(from), 20), QPointF(xOf(to), 20));
            painter.drawLine(QPointF(xOf(from), 20), QPointF(xOf(from), bottom));
            painter.drawLine(QPointF(xOf(to), 20), QPointF(xOf(to), bottom));
        };
        if (reading.inner) {
            mark(reading.criticalFrom, reading.criticalTo, 3);
        } else {
            mark(reading.rangeFrom, reading.criticalFrom, 2);
            mark(reading.criticalTo, reading.rangeTo, 2);
        }
    }
    painter.setFont(arial(14, false));
    painter.setPen(Qt::black);
    drawText(painter, 0, bottom + 2, QString::fromStdString(formatText("%.4G", reading.rangeFrom)), InstrumentDial::Align::Left);
    drawText(painter, w, bottom + 2, QString::fromStdString(formatText("%.4G", reading.rangeTo)), InstrumentDial::Align::Right);
    valueText(painter, reading, w / 2.0, image.height());
}

void number(QPainter& painter, const QImage& image, const InstrumentReading& reading)
{
    painter.setFont(arial(36, false));
    painter.setPen(Qt::black);
    drawText(painter, image.width() / 2.0, 10,
             QString::fromStdString(formatText("%.6G %s", reading.value, reading.units.c_str())), InstrumentDial::Align::Centre);
}
}  // namespace

void AnalogFace::paint(QImage& image, const InstrumentReading& reading)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    switch (reading.type) {
    case InstrumentReading::Dial:
        dial(painter, image, reading);
        break;
    case InstrumentReading::Bar:
        bar(painter, image, reading);
        break;
    default:
        number(painter, image, reading);
        break;
    }
}
