#include "app/ControlBarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "base/ui/IconShapes.h"
#include "tree/CommandIds.h"

namespace {
constexpr int Size = 24;
const QColor Ink(40, 40, 40);
const QColor Paper(255, 255, 255);
const QColor Blue(30, 90, 200);
const QColor Green(20, 150, 60);
const QColor Red(210, 30, 30);
const QColor Folder(235, 190, 60);

void triangle(QPainter& p, QPointF a, QPointF b, QPointF c, const QColor& fill)
{
    p.setBrush(fill);
    p.drawPolygon(QPolygonF{a, b, c});
}

void sheet(QPainter& p, QRectF r)
{
    p.setBrush(Paper);
    p.drawRect(r);
    for (qreal y = r.top() + 4; y < r.bottom() - 2; y += 3)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

// A magnifying glass with a mark inside: "+", "-" or a text.
void lens(QPainter& p, const QString& mark)
{
    p.setPen(QPen(Ink, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14.5, 14.5), QPointF(21, 21));
    p.setPen(QPen(Ink, 1.6));
    p.setBrush(QColor(225, 240, 255));
    p.drawEllipse(QPointF(9.5, 9.5), 7, 7);
    p.setPen(QPen(Blue, 2));
    if (mark == "+" || mark == "-") {
        p.drawLine(QPointF(6, 9.5), QPointF(13, 9.5));
        if (mark == "+")
            p.drawLine(QPointF(9.5, 6), QPointF(9.5, 13));
    } else {
        QFont font = p.font();
        font.setPixelSize(9);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(2.5, 2.5, 14, 14), Qt::AlignCenter, mark);
    }
}

void link(QPainter& p, bool broken)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Ink, 2.2));
    p.save();
    p.translate(12, 12);
    p.rotate(-45);
    const qreal gap = broken ? 3.5 : 0;
    p.drawRoundedRect(QRectF(-10 - gap, -3.5, 11, 7), 3.5, 3.5);
    p.drawRoundedRect(QRectF(-1 + gap, -3.5, 11, 7), 3.5, 3.5);
    p.restore();
    if (broken) {
        p.setPen(QPen(Red, 1.6));
        p.drawLine(QPointF(13, 5), QPointF(15, 2));
        p.drawLine(QPointF(9, 19), QPointF(7, 22));
    }
}

// "<<|" at the beginning or "|>>" at the end.
void jump(QPainter& p, bool toEnd)
{
    p.save();
    if (toEnd) {
        p.translate(Size, 0);
        p.scale(-1, 1);
    }
    p.setPen(QPen(Ink, 1));
    p.setBrush(Ink);
    p.drawRect(QRectF(3, 6, 2, 12));
    triangle(p, {6, 12}, {13, 6}, {13, 18}, Blue);
    triangle(p, {13, 12}, {20, 6}, {20, 18}, Blue);
    p.restore();
}

void play(QPainter& p, bool sound)
{
    p.setPen(QPen(Ink, 1));
    const qreal right = sound ? 14 : 19;
    triangle(p, {4, 4}, {right, 12}, {4, 20}, Green);
    if (!sound)
        return;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Ink, 1.5));
    for (int arc = 0; arc < 2; ++arc) {
        const qreal radius = 4 + 3.5 * arc;
        p.drawArc(QRectF(13 - radius, 12 - radius, 2 * radius, 2 * radius), -45 * 16, 90 * 16);
    }
}

void scissors(QPainter& p)
{
    p.setPen(QPen(Ink, 1.8));
    p.drawLine(QPointF(7, 2), QPointF(15, 15));
    p.drawLine(QPointF(17, 2), QPointF(9, 15));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Red, 2));
    p.drawEllipse(QPointF(7, 18), 3.5, 3.5);
    p.drawEllipse(QPointF(17, 18), 3.5, 3.5);
}

void copy(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    sheet(p, QRectF(2.5, 2.5, 12, 14));
    sheet(p, QRectF(9.5, 7.5, 12, 14));
}

void paste(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(190, 140, 80));
    p.drawRoundedRect(QRectF(2.5, 3.5, 14, 18), 2, 2);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(6.5, 1.5, 6, 4));
    sheet(p, QRectF(10.5, 9.5, 11, 13));
}

void spectrumBars(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Red);
    const qreal heights[] = {16, 9, 13, 6, 4, 3};
    for (int i = 0; i < 6; ++i)
        p.drawRect(QRectF(2 + i * 3.5, 21 - heights[i], 2.5, heights[i]));
    p.setPen(QPen(Ink, 1));
    p.drawLine(QPointF(1, 21.5), QPointF(23, 21.5));
}

void filter(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.drawLine(QPointF(1, 20.5), QPointF(23, 20.5));
    QPainterPath band;
    band.moveTo(2, 19);
    band.cubicTo(6, 19, 7, 5, 10, 5);
    band.lineTo(14, 5);
    band.cubicTo(17, 5, 18, 19, 22, 19);
    p.setPen(QPen(Blue, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(band);
}

void properties(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    sheet(p, QRectF(4.5, 2.5, 15, 19));
    p.setPen(QPen(Green, 2));
    p.drawLine(QPointF(11, 16), QPointF(14, 19));
    p.drawLine(QPointF(14, 19), QPointF(21, 11));
}

void mesh(QPainter& p)
{
    p.setPen(QPen(Blue, 1));
    const auto at = [](qreal u, qreal v) { return QPointF(3 + u * 12 + v * 6, 19 - v * 10 - 4 * std::sin(u * 3.1)); };
    for (int i = 0; i <= 4; ++i) {
        QPolygonF along, across;
        for (int j = 0; j <= 8; ++j) {
            along << at(j / 8.0, i / 4.0);
            across << at(i / 4.0, j / 8.0);
        }
        p.drawPolyline(along);
        p.drawPolyline(across);
    }
}

void spectrogram(QPainter& p)
{
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 5; ++column) {
            const int heat = (row * 37 + column * 53) % 100;
            p.setBrush(QColor::fromHsv(240 - heat * 24 / 10, 220, 230));
            p.drawRect(QRectF(2 + column * 4, 2 + row * 4, 4, 4));
        }
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, 20, 20));
}

void crossRuler(QPainter& p)
{
    spectrogram(p);
    p.setPen(QPen(Paper, 1.5));
    p.drawLine(QPointF(12, 2), QPointF(12, 22));
    p.drawLine(QPointF(2, 9), QPointF(22, 9));
}

// Four arrows pointing out of (grow) or into (shrink) the picture.
void scale(QPainter& p, bool grow)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(225, 235, 250));
    p.drawRect(QRectF(7.5, 7.5, 9, 9));
    p.setPen(QPen(Blue, 1.8, Qt::SolidLine, Qt::RoundCap));
    for (int corner = 0; corner < 4; ++corner) {
        p.save();
        p.translate(12, 12);
        p.rotate(90 * corner);
        const QPointF tip = grow ? QPointF(-10, -10) : QPointF(-5, -5);
        const QPointF tail = grow ? QPointF(-5, -5) : QPointF(-10, -10);
        const qreal d = grow ? 3.5 : -3.5;
        p.drawLine(tail, tip);
        p.drawLine(tip, tip + QPointF(d, 0));
        p.drawLine(tip, tip + QPointF(0, d));
        p.restore();
    }
}

void openFolder(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(Folder.darker(115));
    p.drawPolygon(QPolygonF{{2, 5}, {8, 5}, {10, 7}, {20, 7}, {20, 19}, {2, 19}});
    p.setBrush(Folder);
    p.drawPolygon(QPolygonF{{5, 10}, {23, 10}, {20, 19}, {2, 19}});
}

void save(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(Blue);
    p.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 2, 2);
    p.setBrush(Paper);
    p.drawRect(QRectF(5.5, 2.5, 13, 8));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(6.5, 14.5, 11, 7));
}

void help(QPainter& p)
{
    p.setPen(QPen(Blue.darker(120), 1));
    p.setBrush(Blue);
    p.drawEllipse(QPointF(12, 12), 10, 10);
    QFont font = p.font();
    font.setPixelSize(16);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Paper);
    p.drawText(QRectF(0, 0, Size, Size), Qt::AlignCenter, "?");
}

// The picture of each button's command.
struct ButtonPicture {
    int command;
    void (*draw)(QPainter& p);
};

constexpr ButtonPicture Pictures[] = {
    {Cmd::OpenSignal, openFolder},
    {Cmd::SaveSignal, save},
    {Cmd::SignalBeginning, [](QPainter& p) { jump(p, false); }},
    {Cmd::SignalEnd, [](QPainter& p) { jump(p, true); }},
    {Cmd::PlayNoSound, [](QPainter& p) { play(p, false); }},
    {Cmd::PlayWithSound, [](QPainter& p) { play(p, true); }},
    {Cmd::Start,
     [](QPainter& p) {
         p.setPen(QPen(Red.darker(130), 1));
         p.setBrush(Red);
         p.drawEllipse(QPointF(12, 12), 8, 8);
     }},
    {Cmd::Stop,
     [](QPainter& p) {
         p.setPen(QPen(Ink, 1));
         p.setBrush(Ink);
         p.drawRect(QRectF(5.5, 5.5, 13, 13));
     }},
    {Cmd::Cut, scissors},
    {Cmd::Copy, copy},
    {Cmd::Paste, paste},
    {Cmd::ZoomIn, [](QPainter& p) { lens(p, "+"); }},
    {Cmd::ZoomOut, [](QPainter& p) { lens(p, "-"); }},
    {Cmd::ZoomPow2, [](QPainter& p) { lens(p, "2"); }},
    {Cmd::FFT, spectrumBars},
    {Cmd::Filter, filter},
    {Cmd::Link, [](QPainter& p) { link(p, false); }},
    {Cmd::Unlink, [](QPainter& p) { link(p, true); }},
    {Cmd::Properties, properties},
    {Cmd::Calculator, IconShapes::calculator},
    {Cmd::RulerSampleUnits, IconShapes::ruler},
    {Cmd::MeshView, mesh},
    {Cmd::Ruler3D, crossRuler},
    {Cmd::SpectrogramView, spectrogram},
    {Cmd::View3DPrevious, [](QPainter& p) { scale(p, true); }},
    {Cmd::View3DNext, [](QPainter& p) { scale(p, false); }},
    {Cmd::HelpContents, help},
};

bool draw(QPainter& p, int command)
{
    const auto found = std::find_if(std::begin(Pictures), std::end(Pictures),
                                    [command](const ButtonPicture& picture) { return picture.command == command; });
    if (found == std::end(Pictures))
        return false;
    found->draw(p);
    return true;
}
}  // namespace

QIcon controlBarIcon(int command)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool drawn = draw(painter, command);
    painter.end();
    return drawn ? QIcon(pixmap) : QIcon();
}
