#include "pictureloader.h"

#include "runtimeerror.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

namespace {

// Qt's bitmap reader fills a short file's missing rows silently; an
// uncompressed bitmap's header tells how long the file must be.
QString truncationOf(const QByteArray &bytes)
{
    if (bytes.size() < 34 || !bytes.startsWith("BM"))
        return {};
    const auto field32 = [&](int offset) {
        return qFromLittleEndian<qint32>(bytes.constData() + offset);
    };
    const qint64 pixelsAt = quint32(field32(10));
    const qint64 width = field32(18);
    const qint64 height = qAbs(qint64(field32(22)));
    const int bitsPerPixel = qFromLittleEndian<quint16>(bytes.constData() + 28);
    const quint32 compression = quint32(field32(30));
    const bool uncompressed = compression == 0 || compression == 3;
    if (field32(14) < 40 || !uncompressed || width <= 0 || bitsPerPixel <= 0)
        return {};
    const qint64 stride = (width * bitsPerPixel + 31) / 32 * 4;
    const qint64 needed = pixelsAt + stride * height;
    if (bytes.size() >= needed)
        return {};
    return QStringLiteral("the file is cut short (%1 of %2 bytes)").arg(bytes.size()).arg(needed);
}

} // namespace

QImage loadPicture(const QString &fileName)
{
    const QString directory = QDir::currentPath();
    const QString folder = QDir::toNativeSeparators(directory);
    QFile file(QDir(directory).filePath(fileName));
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(fileName, folder,
                        file.exists() ? file.errorString()
                                      : QStringLiteral("the file does not exist"));
    }
    // The switch images are a few hundred bytes: read once, decode from memory.
    constexpr qint64 Largest = qint64(64) << 20;
    if (file.size() > Largest)
        throw FileError(fileName, folder, QStringLiteral("the file is too large for a picture"));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(fileName, folder, file.errorString());
    if (const QString truncated = truncationOf(bytes); !truncated.isEmpty())
        throw FileError(fileName, folder, truncated);

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage picture = reader.read();
    if (picture.isNull())
        throw FileError(fileName, folder, reader.errorString());
    return picture;
}
