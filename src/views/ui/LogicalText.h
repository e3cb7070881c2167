#pragma once
#include <QFont>
#include <QString>

class QPainter;

// Text placed in a pane's logical space. Glyphs keep their proportions: the font's height in logical
// units becomes pixels through the vertical scale, and the text is drawn with the transform reset.
class LogicalText {
public:
    // `height` in logical units.
    LogicalText(QPainter& painter, double height);

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

private:
    void draw(double x, double y, const QString& text, int flags, double dx, double dy, double angle) const;

    QPainter& painter_;
    QFont font_;
};
