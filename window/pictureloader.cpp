#include "pictureloader.h"

#include "runtimeerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

namespace
{

// Qt's bitmap reader fills a short file's missing rows silently; an
// uncompressed bitmap's header tells how long the file must be.
QString truncationOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray header = file.read(34);
    if (header.size() < 34 || !header.startsWith("BM"))
        return {};
    const auto field32 = [&](int offset) {
        return qFromLittleEndian<qint32>(header.constData() + offset);
    };
    const qint64 pixelsAt = quint32(field32(10));
    const qint64 width = field32(18);
    const qint64 height = qAbs(qint64(field32(22)));
    const int bitsPerPixel = qFromLittleEndian<quint16>(header.constData() + 28);
    const quint32 compression = quint32(field32(30));
    const bool uncompressed = compression == 0 || compression == 3;
    if (field32(14) < 40 || !uncompressed || width <= 0 || bitsPerPixel <= 0)
        return {};
    const qint64 stride = (width * bitsPerPixel + 31) / 32 * 4;
    const qint64 needed = pixelsAt + stride * height;
    if (file.size() >= needed)
        return {};
    return QStringLiteral("the file is cut short (%1 of %2 bytes)").arg(file.size()).arg(needed);
}

} // namespace

QImage loadPicture(const QString &fileName)
{
    const QString directory = QDir::currentPath();
    const QFileInfo file(QDir(directory), fileName);
    const QString folder = QDir::toNativeSeparators(directory);
    if (!file.exists())
        throw FileError(fileName, folder, QStringLiteral("the file does not exist"));

    QImageReader reader(file.filePath());
    reader.setDecideFormatFromContent(true);
    QImage picture = reader.read();
    if (picture.isNull())
        throw FileError(fileName, folder, reader.errorString());
    if (const QString truncated = truncationOf(file.filePath()); !truncated.isEmpty())
        throw FileError(fileName, folder, truncated);
    return picture;
}
