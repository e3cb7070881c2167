#include "base/ui/IconShapes.h"

#include <QPainter>

namespace {
constexpr int Frame = 24;
const QColor Ink(40, 40, 40);
}  // namespace

namespace IconShapes {

void calculator(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(210, 210, 215));
    p.drawRoundedRect(QRectF(4.5, 1.5, 15, 21), 2, 2);
    p.setBrush(QColor(200, 230, 200));
    p.drawRect(QRectF(6.5, 3.5, 11, 5));
    p.setBrush(Ink);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            p.drawRect(QRectF(7 + column * 4, 11 + row * 3.7, 2, 2));
}

void ruler(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(245, 220, 140));
    p.drawRect(QRectF(1.5, 8.5, 21, 8));
    for (int i = 0; i < 10; ++i) {
        const qreal x = 3.5 + i * 2;
        p.drawLine(QPointF(x, 8.5), QPointF(x, i % 5 == 0 ? 14 : 11.5));
    }
}

void scaled(QPainter& p, int size, void (*shape)(QPainter&))
{
    p.save();
    p.scale(qreal(size) / Frame, qreal(size) / Frame);
    shape(p);
    p.restore();
}

}  // namespace IconShapes
