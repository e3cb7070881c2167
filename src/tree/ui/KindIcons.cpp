#include "tree/ui/KindIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "base/ui/IconShapes.h"

namespace {
constexpr int Size = 32;
const QColor Ink(40, 40, 40);
const QColor Paper(255, 255, 255);
const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);
const QColor Grey(160, 160, 160);
const QColor Green(20, 150, 60);

// A curve y = f(x) across the tile, x and y in pixels.
void curve(QPainter& p, const std::function<double(double)>& f, const QColor& colour, double width = 1.6,
           double from = 4, double to = 28)
{
    QPainterPath path;
    path.moveTo(from, f(from));
    for (double x = from + 0.5; x <= to; x += 0.5)
        path.lineTo(x, f(x));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, width));
    p.drawPath(path);
}

double wave(double x)
{
    return 16 - 8 * std::sin((x - 4) * 0.42);
}

void baseline(QPainter& p, double y = 28.5)
{
    p.setPen(QPen(Ink, 1));
    p.drawLine(QPointF(2, y), QPointF(30, y));
}

// A sheet with a folded corner: the window of a signal read from a file.
void page(QPainter& p)
{
    QPainterPath sheet;
    sheet.moveTo(4.5, 1.5);
    sheet.lineTo(21.5, 1.5);
    sheet.lineTo(27.5, 7.5);
    sheet.lineTo(27.5, 30.5);
    sheet.lineTo(4.5, 30.5);
    sheet.closeSubpath();
    p.setPen(QPen(Ink, 1));
    p.setBrush(Paper);
    p.drawPath(sheet);
    p.drawLine(QPointF(21.5, 1.5), QPointF(21.5, 7.5));
    p.drawLine(QPointF(21.5, 7.5), QPointF(27.5, 7.5));
    curve(p, [](double x) { return 19 - 6 * std::sin((x - 7) * 0.55); }, Blue, 1.6, 7, 25);
}

void spectrum(QPainter& p, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const double heights[] = {22, 12, 17, 8, 5, 10, 3};
    for (int i = 0; i < 7; ++i)
        p.drawRect(QRectF(3 + i * 4, 28 - heights[i], 3, heights[i]));
    baseline(p);
}

void part(QPainter& p)
{
    p.fillRect(QRectF(11, 3, 10, 26), QColor(200, 215, 255));
    curve(p, wave, Blue);
    p.setPen(QPen(Ink, 1.5));
    for (const double x : {11.0, 21.0})
        p.drawLine(QPointF(x, 3), QPointF(x, 29));
}

void filter(QPainter& p)
{
    baseline(p);
    QPainterPath band;
    band.moveTo(3, 27);
    band.cubicTo(9, 27, 10, 7, 13, 7);
    band.lineTo(19, 7);
    band.cubicTo(22, 7, 23, 27, 29, 27);
    p.setPen(QPen(Blue, 2));
    p.setBrush(QColor(200, 215, 255));
    p.drawPath(band);
}

void cepstrum(QPainter& p)
{
    baseline(p);
    curve(p, [](double x) { return 27 - 20 * std::exp(-(x - 4) * 0.5) - 9 * std::exp(-std::pow(x - 20, 2)); }, Red);
}

void smoothed(QPainter& p)
{
    curve(p, [](double x) { return wave(x) + 3 * std::sin(x * 3.1); }, Grey, 1);
    curve(p, wave, Blue, 2.2);
}

void detrended(QPainter& p)
{
    p.setPen(QPen(Grey, 1.2, Qt::DashLine));
    p.drawLine(QPointF(3, 27), QPointF(29, 6));
    curve(p, wave, Blue);
}

void peaksRemoved(QPainter& p)
{
    curve(p, [](double x) { return std::clamp(wave(x), 11.0, 21.0); }, Blue);
    p.setPen(QPen(Red, 1.5));
    for (const double y : {11.0, 21.0})
        p.drawLine(QPointF(2, y), QPointF(30, y));
}

void averager(QPainter& p)
{
    for (const double phase : {-0.6, 0.6})
        curve(p, [phase](double x) { return 16 - 8 * std::sin((x - 4) * 0.42 + phase); }, Grey, 1);
    curve(p, wave, Blue, 2.2);
}

void peakHold(QPainter& p)
{
    curve(p, wave, Blue);
    QPainterPath steps;
    steps.moveTo(3, 12);
    const double levels[] = {9, 7, 7.5, 9.5, 12, 15};
    for (int i = 0; i < 6; ++i) {
        steps.lineTo(3 + i * 4.5, levels[i]);
        steps.lineTo(3 + (i + 1) * 4.5, levels[i]);
    }
    p.setPen(QPen(Red, 1.6));
    p.drawPath(steps);
}

void logTrack(QPainter& p)
{
    baseline(p);
    QPainterPath track;
    track.moveTo(3, 24);
    const double values[] = {22, 23, 18, 19, 14, 15, 11, 12, 8};
    for (int i = 0; i < 9; ++i)
        track.lineTo(6 + i * 2.6, values[i]);
    p.setPen(QPen(Blue, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(track);
}

void dial(QPainter& p)
{
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(Paper);
    p.drawPie(QRectF(2, 6, 28, 28), 0, 180 * 16);
    for (int i = 0; i <= 6; ++i) {
        const double angle = std::numbers::pi * i / 6;
        p.drawLine(QPointF(16 + 12 * std::cos(angle), 20 - 12 * std::sin(angle)),
                   QPointF(16 + 14 * std::cos(angle), 20 - 14 * std::sin(angle)));
    }
    p.setPen(QPen(Red, 2));
    p.drawLine(QPointF(16, 20), QPointF(24, 11));
}

void colourGrid(QPainter& p)
{
    for (int row = 0; row < 6; ++row)
        for (int column = 0; column < 6; ++column) {
            const int level = (row * 37 + column * 53 + row * column * 11) % 256;
            p.fillRect(QRectF(2 + column * 4.7, 2 + row * 4.7, 4.7, 4.7), QColor::fromHsv(240 - level * 240 / 255, 220, 230));
        }
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, 28.5, 28.5));
}

void overlay(QPainter& p)
{
    curve(p, wave, Blue);
    curve(p, [](double x) { return 16 + 7 * std::sin((x - 4) * 0.3); }, Red);
}

void stacked(QPainter& p)
{
    curve(p, [](double x) { return 9 - 4 * std::sin((x - 4) * 0.5); }, Blue);
    p.setPen(QPen(Grey, 1));
    p.drawLine(QPointF(2, 16.5), QPointF(30, 16.5));
    curve(p, [](double x) { return 24 - 4 * std::sin((x - 4) * 0.3); }, Red);
}

void acquisition(QPainter& p)
{
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(QColor(190, 190, 200));
    p.drawRoundedRect(QRectF(5.5, 2.5, 8, 14), 4, 4);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3.5, 6.5, 12, 14), 180 * 16, 180 * 16);
    p.drawLine(QPointF(9.5, 20.5), QPointF(9.5, 27.5));
    p.drawLine(QPointF(5.5, 27.5), QPointF(13.5, 27.5));
    curve(p, [](double x) { return 15 - 5 * std::sin((x - 16) * 0.9); }, Green, 1.6, 16, 30);
}

void tree(QPainter& p)
{
    p.setPen(QPen(Red, 1.5));
    p.drawLine(QPointF(8, 16), QPointF(24, 7));
    p.drawLine(QPointF(8, 16), QPointF(24, 25));
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(200, 215, 255));
    for (const QPointF& node : {QPointF(8, 16), QPointF(24, 7), QPointF(24, 25)})
        p.drawRect(QRectF(node.x() - 4.5, node.y() - 4.5, 9, 9));
}

void redSpectrum(QPainter& p)
{
    spectrum(p, Red);
}

void calculator(QPainter& p)
{
    IconShapes::scaled(p, Size, IconShapes::calculator);
}

void ruler(QPainter& p)
{
    IconShapes::scaled(p, Size, IconShapes::ruler);
}

// The picture of each icon resource the kinds name; any other number shows the signal page.
const std::pair<int32_t, void (*)(QPainter&)> Pictures[] = {
    {56, redSpectrum},  {57, part},          {58, calculator},    {60, filter},      {30000, cepstrum},
    {11050, smoothed},  {17004, detrended},  {17005, peaksRemoved}, {24456, averager}, {24457, peakHold},
    {11001, logTrack},  {21134, ruler},      {17021, dial},       {110, colourGrid}, {11002, colourGrid},
    {27756, colourGrid}, {23346, overlay},   {21345, stacked},    {109, acquisition}, {22345, acquisition},
    {61, tree},         {20112, tree},
};

void draw(QPainter& p, int32_t resource)
{
    const auto found = std::find_if(std::begin(Pictures), std::end(Pictures),
                                    [resource](const auto& picture) { return picture.first == resource; });
    (found == std::end(Pictures) ? page : found->second)(p);
}
}  // namespace

QIcon kindIcon(int32_t resource)
{
    // The control window draws hundreds of icons on every repaint: each picture is drawn once.
    static QHash<int32_t, QIcon> drawn;
    if (const auto found = drawn.constFind(resource); found != drawn.cend())
        return *found;
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, resource);
    painter.end();
    return *drawn.insert(resource, QIcon(pixmap));
}
