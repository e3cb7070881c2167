#include "views/ui/LogicalText.h"

#include <QFontMetrics>
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

LogicalText::LogicalText(QPainter& painter, double height, std::optional<QRect> inside)
    : painter_(painter),
      font_(font(std::clamp(int(std::lround(height * painter.combinedTransform().m22())), MinPixels, MaxPixels))),
      inside_(inside)
{
}

void LogicalText::draw(double x, double y, const QString& text, double dx, double dy, double angle) const
{
    // On whole pixels, as the old platform placed its text; a glyph then looks the same wherever it stands.
    const QPoint mapped = painter_.combinedTransform().map(QPointF(x, y)).toPoint();
    const QFontMetrics metrics(font_);
    const QSize size(metrics.horizontalAdvance(text), metrics.height());
    const QRect box(QPoint(int(std::lround(dx * size.width())), int(std::lround(dy * size.height()))), size);
    QPointF at = mapped;
    if (inside_)
        at += shiftInside(QTransform().translate(at.x(), at.y()).rotate(angle).mapRect(QRectF(box)));
    painter_.save();
    painter_.setViewTransformEnabled(false);
    painter_.resetTransform();
    painter_.setFont(font_);
    painter_.translate(at);
    painter_.rotate(angle);
    // The box is the text's whole-pixel extent, so its glyphs start on its left edge whatever the alignment.
    painter_.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
    painter_.restore();
}

QPointF LogicalText::shiftInside(const QRectF& shown) const
{
    // Whole pixels, far enough to be inside; the near edges win, so a text larger than the area keeps
    // its beginning in view.
    const auto shift = [](double low, double high, double lowest, double highest) {
        const double back = high > highest ? std::floor(highest - high) : 0;
        return low + back < lowest ? std::ceil(lowest - low) : back;
    };
    return {shift(shown.left(), shown.right(), inside_->left(), inside_->right()),
            shift(shown.top(), shown.bottom(), inside_->top(), inside_->bottom())};
}

void LogicalText::topLeft(double x, double y, const QString& text) const
{
    draw(x, y, text, 0, 0, 0);
}

void LogicalText::topRight(double x, double y, const QString& text) const
{
    draw(x, y, text, -1, 0, 0);
}

void LogicalText::topCentre(double x, double y, const QString& text) const
{
    draw(x, y, text, -0.5, 0, 0);
}

void LogicalText::bottomRight(double x, double y, const QString& text) const
{
    draw(x, y, text, -1, -1, 0);
}

void LogicalText::upwardEndingAt(double x, double y, const QString& text) const
{
    draw(x, y, text, -1, 0, -90);
}

QSizeF LogicalText::extent(const QString& text) const
{
    const QFontMetricsF metrics(font_);
    const QTransform t = painter_.combinedTransform();
    return {metrics.horizontalAdvance(text) / t.m11(), metrics.height() / t.m22()};
}
