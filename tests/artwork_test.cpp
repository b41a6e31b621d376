// The committed pictures are exactly what the artwork tool draws, and they
// have the sizes, formats and geometry the window relies on.
#include "artwork.h"

#include <QFile>
#include <QGuiApplication>
#include <QtEndian>
#include <gtest/gtest.h>

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
        {"Corvex_Settings.ico", toIco16(lamp()), 766, {32, 32}},
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
    for (const int size : LauncherIconSizes) {
        const QByteArray file = committed(QStringLiteral("icons/%1.png").arg(size));
        EXPECT_TRUE(toPng(lamp(size)) == file) << size;
        EXPECT_EQ(QImage::fromData(file).size(), QSize(size, size));
    }
}

TEST(Artwork, HousingHasEightWhiteSlotsWhereTheSwitchesGo)
{
    const std::vector<QRect> found = whiteSlots(Artwork::housing());
    ASSERT_EQ(found.size(), 8u);
    for (int k = 1; k <= 8; ++k)
        EXPECT_EQ(found[k - 1], QRect(5 + 12 * (k - 1), 13, 8, 19)) << k;
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

TEST(Artwork, IconIsALampOnTransparency)
{
    const QByteArray bytes = committed(QStringLiteral("Corvex_Settings.ico"));
    const QImage icon = QImage::fromData(bytes, "ico");
    ASSERT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(5, 16)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(16, 16)), 255);
    EXPECT_GT(qGreen(icon.pixel(16, 16)), 2 * qRed(icon.pixel(16, 16)));
    EXPECT_TRUE(qRed(icon.pixel(13, 13)) > 200 && qGreen(icon.pixel(13, 13)) > 200); // highlight
}

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
