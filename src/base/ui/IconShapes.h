#pragma once
// Pictures that the control bar and the window icons share, drawn in a 24 x 24 frame.

class QPainter;

// A painter scaled beforehand draws them at any size.
namespace IconShapes {
void calculator(QPainter& p);
void ruler(QPainter& p);
// Draws one of the shapes above into a square of `size` pixels.
void scaled(QPainter& p, int size, void (*shape)(QPainter&));
}  // namespace IconShapes
