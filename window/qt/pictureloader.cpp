#include "pictureloader.h"

#include "picturefile.h"

#include <QFile>
#include <span>

QImage toQImage(Picture picture)
{
    if (picture.width <= 0 || picture.height <= 0)
        return QImage(); // Qt would not call the cleanup of a null image's buffer
    auto *pixels = new std::vector<std::uint32_t>(std::move(picture.pixels));
    return QImage(
        reinterpret_cast<const uchar *>(pixels->data()), picture.width, picture.height,
        qsizetype(picture.width) * 4, QImage::Format_RGB32,
        [](void *owned) { delete static_cast<std::vector<std::uint32_t> *>(owned); }, pixels);
}

Picture loadEmbeddedPicture(const char *fileName)
{
    QFile file(QStringLiteral(":/") + QString::fromUtf8(fileName));
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    return decodeOwnPicture(fileName,
                            std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                      std::size_t(bytes.size())));
}
