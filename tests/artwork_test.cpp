// The committed pictures are exactly what the artwork tool draws, and they
// have the sizes, formats and geometry the window relies on.
#include "artwork.h"
#include "design.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace {

QByteArray committed(const QString &name)
{
    QFile file(QStringLiteral(CORVEX_RESOURCES_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The pure white runs of the housing, found by looking at its pixels.
std::vector<QRect> whiteSlots(const QImage &housing)
{
    std::vector<QRect> found;
    for (int y = 0; y < housing.height(); ++y)
        for (int x = 0; x < housing.width(); ++x) {
            const auto white = [&](int px, int py) {
                return housing.pixel(px, py) == qRgb(255, 255, 255);
            };
            if (!white(x, y) || (x > 0 && white(x - 1, y)) || (y > 0 && white(x, y - 1)))
                continue;
            int right = x, bottom = y;
            while (right + 1 < housing.width() && white(right + 1, y))
                ++right;
            while (bottom + 1 < housing.height() && white(x, bottom + 1))
                ++bottom;
            found.emplace_back(QPoint(x, y), QPoint(right, bottom));
        }
    return found;
}

// Equal but for a step or two in a channel.
bool nearlyEqual(QImage a, QImage b)
{
    a = a.convertToFormat(QImage::Format_ARGB32), b = b.convertToFormat(QImage::Format_ARGB32);
    return a.size() == b.size() &&
           std::equal(a.constBits(), a.constBits() + a.sizeInBytes(), b.constBits(),
                      [](uchar x, uchar y) { return std::abs(int(x) - int(y)) <= 2; });
}

// Every image of an icon file, in the order of its directory.
std::vector<QImage> icoImages(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "ico");
    std::vector<QImage> images;
    for (int i = 0; i < reader.imageCount() && reader.jumpToImage(i); ++i)
        images.push_back(reader.read());
    return images;
}

} // namespace

TEST(Artwork, CommittedFilesAreWhatTheToolDraws)
{
    using namespace Artwork;
    const struct {
        QString file;
        QByteArray drawn;
        int bytes; // 0: any
        QSize size;
    } rows[] = {
        {"picDIP_SW.bmp", toBmp(housing()), 14754, {100, 49}},
        {"switch.bmp", toBmp(switchSlot(Lever::Off)), 510, {8, 19}},
        {"ON_SW.bmp", toBmp(switchSlot(Lever::On)), 510, {8, 19}},
        {"OFF_SW.bmp", toBmp(switchSlot(Lever::Off)), 510, {8, 19}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.file.toStdString());
        const QByteArray file = committed(row.file);
        EXPECT_EQ(row.drawn.size(), row.bytes);
        EXPECT_TRUE(row.drawn == file) << "run make_artwork resources/ and commit the result";
        EXPECT_EQ(QImage::fromData(file).size(), row.size);
        if (file.startsWith("BM")) { // 24 bits, uncompressed, bottom-up
            EXPECT_EQ(qFromLittleEndian<quint16>(file.constData() + 28), 24);
            EXPECT_EQ(qFromLittleEndian<quint32>(file.constData() + 30), 0u);
            EXPECT_GT(qFromLittleEndian<qint32>(file.constData() + 22), 0);
        }
    }
    // The lamp is drawn smooth, and a machine's vector unit may round an edge
    // pixel's channel one step the other way: pixels, not bytes, within two steps.
    std::vector<std::pair<QString, QImage>> pngs;
    for (const int size : LauncherIconSizes)
        pngs.emplace_back(QStringLiteral("icons/%1.png").arg(size), lamp(size));
    for (const int size : WebIconSizes) {
        pngs.emplace_back(QStringLiteral("icons/%1.png").arg(size), lamp(size));
        pngs.emplace_back(QStringLiteral("icons/maskable-%1.png").arg(size), maskableLamp(size));
    }
    for (const auto &[name, image] : pngs) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray file = committed(name);
        EXPECT_EQ(QImage::fromData(file).size(), image.size());
        EXPECT_TRUE(nearlyEqual(QImage::fromData(file), QImage::fromData(toPng(image))));
    }
    const std::vector<QImage> icon = icoImages(committed(QStringLiteral("Corvex_Settings.ico")));
    const std::vector<QImage> drawn = icoImages(windowsIcon());
    ASSERT_EQ(icon.size(), std::size(WindowsIconSizes) + 1);
    ASSERT_EQ(icon.size(), drawn.size());
    for (std::size_t i = 0; i < icon.size(); ++i) {
        const int size = i == 0 ? 32 : WindowsIconSizes[i - 1]; // the old 16-colour one first
        SCOPED_TRACE(size);
        EXPECT_EQ(icon[i].size(), QSize(size, size));
        EXPECT_TRUE(nearlyEqual(icon[i], drawn[i]));
    }
}

TEST(Artwork, HousingHasEightWhiteSlotsWhereTheSwitchesGo)
{
    const std::vector<QRect> found = whiteSlots(Artwork::housing());
    ASSERT_EQ(found.size(), 8u);
    const Design::Control &box = Design::control("picDIP_SW");
    for (int k = 1; k <= 8; ++k) {
        const Design::Control &lever = Design::switchControl(k);
        EXPECT_EQ(found[k - 1], QRect(Design::windowLeft(lever) - Design::windowLeft(box),
                                      Design::windowTop(lever) - Design::windowTop(box),
                                      Design::pixels(lever.width), Design::pixels(lever.height)))
            << k;
    }
}

TEST(Artwork, LeversAreMirrorImagesAndCoverTheSlot)
{
    const QImage on = Artwork::switchSlot(Artwork::Lever::On);
    const QImage off = Artwork::switchSlot(Artwork::Lever::Off);
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(on.pixel(x, y), off.pixel(x, 18 - y)) << x << "," << y;
            EXPECT_NE(on.pixel(x, y), qRgb(255, 255, 255));
        }
    const auto light = [](const QImage &image, int y) { return qGray(image.pixel(4, y)) > 180; };
    EXPECT_TRUE(light(on, 1) && light(on, 8) && !light(on, 9)); // up when on
    EXPECT_TRUE(light(off, 17) && light(off, 10) && !light(off, 9));
}

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
