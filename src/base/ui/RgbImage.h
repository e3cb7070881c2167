#pragma once
// Converts between the core's RGB pictures and Qt's images, for the clipboard and the panes.
#include <QImage>

#include "base/UiServices.h"

RgbPicture rgbPictureOf(const QImage& image);
QImage imageOf(const RgbPicture& picture);
