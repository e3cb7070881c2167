#include "views/ui/LogicalText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

QFont LogicalText::font(int pixelHeight)
{
    QFont font("DejaVu Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(pixelHeight, 1));
    return font;
}

LogicalText::LogicalText(QPainter& painter, double height)
    : painter_(painter), font_(font(int(std::lround(height * painter.combinedTransform().m22()))))
{
}

void LogicalText::draw(double x, double y, const QString& text, int flags, double dx, double dy, double angle) const
{
    const QPointF at = painter_.combinedTransform().map(QPointF(x, y));
    const QFontMetricsF metrics(font_);
    const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
    painter_.save();
    painter_.setViewTransformEnabled(false);
    painter_.resetTransform();
    painter_.setFont(font_);
    painter_.translate(at);
    painter_.rotate(angle);
    painter_.drawText(QRectF(QPointF(dx * size.width(), dy * size.height()), size), flags, text);
    painter_.restore();
}

void LogicalText::topLeft(double x, double y, const QString& text) const
{
    draw(x, y, text, Qt::AlignLeft | Qt::AlignTop, 0, 0, 0);
}

void LogicalText::topRight(double x, double y, const QString& text) const
{
    draw(x, y, text, Qt::AlignRight | Qt::AlignTop, -1, 0, 0);
}

void LogicalText::topCentre(double x, double y, const QString& text) const
{
    draw(x, y, text, Qt::AlignHCenter | Qt::AlignTop, -0.5, 0, 0);
}

void LogicalText::bottomRight(double x, double y, const QString& text) const
{
    draw(x, y, text, Qt::AlignRight | Qt::AlignBottom, -1, -1, 0);
}

void LogicalText::upwardEndingAt(double x, double y, const QString& text) const
{
    draw(x, y, text, Qt::AlignRight | Qt::AlignTop, -1, 0, -90);
}

QSizeF LogicalText::extent(const QString& text) const
{
    const QFontMetricsF metrics(font_);
    const QTransform t = painter_.combinedTransform();
    return {metrics.horizontalAdvance(text) / t.m11(), metrics.height() / t.m22()};
}
