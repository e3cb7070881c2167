#include "base/ui/PngFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include "base/ReplacingFile.h"

bool writePngFile(const QImage& picture, const std::filesystem::path& file)
{
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
        return false;
    ReplacingFile out(file);
    out.write(png.constData(), std::size_t(png.size()));
    return out.commit();
}
