#pragma once
// Text placed in a pane's logical space.
#include <QFont>
#include <QRect>
#include <QString>
#include <optional>

class QPainter;

// Glyphs keep their proportions: the font's height in logical units becomes pixels through the vertical
// scale, and the text is drawn with the transform reset. The pixel height stays readable in small panes and
// modest in large ones.
class LogicalText {
public:
    static constexpr int MinPixels = 9;
    static constexpr int MaxPixels = 16;

    // `height` in logical units. With `inside` (device pixels), a text that would cross its edges is
    // moved in, so that it is shown whole rather than clipped.
    LogicalText(QPainter& painter, double height, std::optional<QRect> inside = std::nullopt);

    // The text's top-left corner at the logical point.
    void topLeft(double x, double y, const QString& text) const;
    // The text's top-right corner at the logical point.
    void topRight(double x, double y, const QString& text) const;
    // Centred horizontally on x, its top at y.
    void topCentre(double x, double y, const QString& text) const;
    // The text's bottom-right corner at the logical point.
    void bottomRight(double x, double y, const QString& text) const;
    // Rotated to read upward, ending at the logical point, its top towards the left.
    void upwardEndingAt(double x, double y, const QString& text) const;
    // Width and height of a text in logical units.
    QSizeF extent(const QString& text) const;

    static QFont font(int pixelHeight);
    const QFont& font() const { return font_; }

private:
    // The text's box starts dx of its width and dy of its height away from the point.
    void draw(double x, double y, const QString& text, double dx, double dy, double angle) const;
    // How far a text that covers `shown` (device pixels) must move to lie inside.
    QPointF shiftInside(const QRectF& shown) const;

    QPainter& painter_;
    QFont font_;
    std::optional<QRectF> inside_;
};
