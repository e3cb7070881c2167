#include "base/ui/RgbImage.h"

#include <algorithm>

RgbPicture rgbPictureOf(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    RgbPicture picture{uint32_t(rgb.width()), uint32_t(rgb.height()), {}};
    const std::size_t line = std::size_t(picture.width) * 3;
    picture.rgb.resize(line * picture.height);
    for (int y = 0; y < rgb.height(); ++y)
        std::copy_n(rgb.constScanLine(y), line, picture.rgb.data() + std::size_t(y) * line);
    return picture;
}

QImage imageOf(const RgbPicture& picture)
{
    QImage image(int(picture.width), int(picture.height), QImage::Format_RGB888);
    const std::size_t line = std::size_t(picture.width) * 3;
    for (int y = 0; y < image.height(); ++y)
        std::copy_n(picture.rgb.data() + std::size_t(y) * line, line, image.scanLine(y));
    return image.convertToFormat(QImage::Format_RGB32);
}
