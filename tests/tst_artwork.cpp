#include "artwork.h"
#include "switchblock.h"

#include <QFile>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

namespace {

QByteArray committed(const char *name)
{
    QFile file(QStringLiteral(CORVEX_RESOURCES_DIR "/") + QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestArtwork : public QObject
{
    Q_OBJECT

private slots:
    void committedFilesAreRegenerated_data();
    void committedFilesAreRegenerated();
    void housingHasEightSlots();
    void leversDiffer();
    void iconIsALampOnTransparency();
};

void TestArtwork::committedFilesAreRegenerated_data()
{
    using namespace Artwork;
    QTest::addColumn<QByteArray>("generated");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<QSize>("size");

    QTest::newRow("icon") << toIco16(lamp()) << committed("Corvex_Settings.ico") << 766
                          << QSize(32, 32);
    QTest::newRow("housing") << toBmp(housing()) << committed("picDIP_SW.bmp") << 14754
                             << QSize(100, 49);
    QTest::newRow("switch") << toBmp(switchSlot(Lever::Off)) << committed("switch.bmp") << 510
                            << QSize(8, 19);
    QTest::newRow("ON") << toBmp(switchSlot(Lever::On)) << committed("ON_SW.bmp") << 510
                        << QSize(8, 19);
    QTest::newRow("OFF") << toBmp(switchSlot(Lever::Off)) << committed("OFF_SW.bmp") << 510
                         << QSize(8, 19);
}

void TestArtwork::committedFilesAreRegenerated()
{
    QFETCH(QByteArray, generated);
    QFETCH(QByteArray, file);
    QFETCH(int, bytes);
    QFETCH(QSize, size);
    QCOMPARE(generated.size(), bytes);
    QVERIFY2(generated == file, "run make_artwork resources/ and commit the result");
    QCOMPARE(QImage::fromData(file).size(), size);
    if (file.startsWith("BM")) {
        // 24 bits per pixel, uncompressed, bottom-up (positive height)
        QCOMPARE(qFromLittleEndian<quint16>(file.constData() + 28), quint16(24));
        QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 30), quint32(0));
        QVERIFY(qFromLittleEndian<qint32>(file.constData() + 22) > 0);
    }
}

void TestArtwork::housingHasEightSlots()
{
    const QImage housing = Artwork::housing();
    const QVector<QRect> slotRects = whiteSlots(housing);
    QCOMPARE(slotRects.size(), 8);
    for (int k = 1; k <= 8; ++k)
        QCOMPARE(slotRects[k - 1], QRect(5 + 12 * (k - 1), 13, 8, 19));
}

void TestArtwork::leversDiffer()
{
    const QImage on = Artwork::switchSlot(Artwork::Lever::On);
    const QImage off = Artwork::switchSlot(Artwork::Lever::Off);
    QVERIFY(on != off);
    for (const QImage &image : {on, off})
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QVERIFY(image.pixel(x, y) != qRgb(255, 255, 255));
    // The lever face is light, and sits in the upper half when on.
    const auto light = [](const QImage &image, int y) { return qGray(image.pixel(4, y)) > 180; };
    QVERIFY(light(on, 4) && !light(on, 14));
    QVERIFY(!light(off, 4) && light(off, 14));
}

void TestArtwork::iconIsALampOnTransparency()
{
    // The desktop's copy of the icon is the same picture.
    QCOMPARE(QImage::fromData(committed("org.corvex.Settings.png"))
                 .convertToFormat(QImage::Format_ARGB32),
             Artwork::lamp());

    QFile file(QStringLiteral(CORVEX_RESOURCES_DIR "/Corvex_Settings.ico"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QImageReader reader(&file, "ico");
    QCOMPARE(reader.imageCount(), 1);
    const QImage icon = reader.read();
    QCOMPARE(icon.size(), QSize(32, 32));
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(5, 16)), 0);
    QCOMPARE(qAlpha(icon.pixel(16, 16)), 255);
    QVERIFY(qGreen(icon.pixel(16, 16)) > 2 * qRed(icon.pixel(16, 16)));
    QVERIFY(qRed(icon.pixel(13, 13)) > 200 && qGreen(icon.pixel(13, 13)) > 200); // highlight
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
