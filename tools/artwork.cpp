#include "artwork.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>
#include <array>
#include <climits>
#include <cstring>
#include <vector>

namespace Artwork {
namespace {

const QColor Crimson(0xb0, 0x10, 0x30);
const QColor CrimsonLight(0xd0, 0x30, 0x50);
const QColor CrimsonDark(0x80, 0x08, 0x20);
const QColor Print(0xf0, 0xf0, 0xe8);
const QColor SlotFloor(0x40, 0x38, 0x38);
const QColor LeverFace(0xe8, 0xe8, 0xe0);
const QColor LeverGrip(0xa0, 0xa0, 0x98);

// A tiny pixel font, so the pictures never depend on the fonts installed.
struct Glyph {
    char letter;
    std::array<const char *, 5> rows;
};
const Glyph Glyphs[] = {
    {'O', {"###", "#.#", "#.#", "#.#", "###"}}, {'N', {"#..#", "##.#", "#.##", "#..#", "#..#"}},
    {'D', {"##.", "#.#", "#.#", "#.#", "##."}}, {'I', {"###", ".#.", ".#.", ".#.", "###"}},
    {'P', {"###", "#.#", "###", "#..", "#.."}}, {'1', {".#", "##", ".#", ".#", ".#"}},
    {'2', {"###", "..#", "###", "#..", "###"}}, {'3', {"###", "..#", ".##", "..#", "###"}},
    {'4', {"#.#", "#.#", "###", "..#", "..#"}}, {'5', {"###", "#..", "###", "..#", "###"}},
    {'6', {"###", "#..", "###", "#.#", "###"}}, {'7', {"###", "..#", ".#.", ".#.", ".#."}},
    {'8', {"###", "#.#", "###", "#.#", "###"}},
};

int drawGlyph(QPainter &painter, char letter, int left, int top)
{
    for (const Glyph &glyph : Glyphs) {
        if (glyph.letter != letter)
            continue;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; glyph.rows[y][x]; ++x)
                if (glyph.rows[y][x] == '#')
                    painter.fillRect(left + x, top + y, 1, 1, Print);
        return int(strlen(glyph.rows[0]));
    }
    return 0;
}

void drawText(QPainter &painter, const char *text, int left, int top)
{
    for (; *text; ++text)
        left += drawGlyph(painter, *text, left, top) + 1;
}

void appendLe(QByteArray &bytes, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.append(char((value >> (8 * i)) & 0xff));
}

// The standard 16-colour palette, in index order.
const std::array<QRgb, 16> Palette16 = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xc0c0c0,
    0x808080, 0xff0000, 0x00ff00, 0xffff00, 0x0000ff, 0xff00ff, 0x00ffff, 0xffffff,
};

int nearestIndex(QRgb colour)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < 16; ++i) {
        const int dr = qRed(colour) - qRed(Palette16[i]);
        const int dg = qGreen(colour) - qGreen(Palette16[i]);
        const int db = qBlue(colour) - qBlue(Palette16[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

QByteArray encode(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

} // namespace

QImage housing()
{
    QImage image(100, 49, QImage::Format_RGB32);
    image.fill(Crimson);
    QPainter painter(&image);
    painter.fillRect(0, 0, 100, 1, CrimsonLight);
    painter.fillRect(0, 0, 1, 49, CrimsonLight);
    painter.fillRect(0, 48, 100, 1, CrimsonDark);
    painter.fillRect(99, 0, 1, 49, CrimsonDark);
    drawText(painter, "ON", 5, 4);
    drawText(painter, "DIP", 84, 4);
    for (int k = 0; k < SlotCount; ++k) {
        const int left = FirstSlotLeft + SlotPitch * k;
        painter.fillRect(left, SlotTop, SlotWidth, SlotHeight, Qt::white);
        drawGlyph(painter, char('1' + k), left + (k == 0 ? 3 : 2), SlotTop + SlotHeight + 3);
    }
    return image;
}

QImage switchSlot(Lever lever)
{
    QImage image(SlotWidth, SlotHeight, QImage::Format_RGB32);
    image.fill(Crimson);
    QPainter painter(&image);
    painter.fillRect(1, 1, SlotWidth - 2, SlotHeight - 2, SlotFloor);
    // ON is printed at the top of the housing: the lever sits up there when on.
    const int leverHeight = SlotHeight / 2 - 1;
    painter.fillRect(1, 1, SlotWidth - 2, leverHeight, LeverFace);
    painter.fillRect(2, 1 + leverHeight / 2, SlotWidth - 4, 1, LeverGrip);
    painter.end();
    // OFF is the same lever thrown to the other end, row for row.
    return lever == Lever::On ? image : image.mirrored(false, true);
}

QImage lamp(int size)
{
    // Drawn on a 32-unit grid; the 32-pixel lamp is the window icon itself.
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    if (size != 32)
        painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(Palette16[8]));
    painter.drawEllipse(7, 7, 18, 18);
    painter.setBrush(QColor(Palette16[2]));
    painter.drawEllipse(9, 9, 14, 14);
    painter.setBrush(QColor(Palette16[10]));
    painter.drawEllipse(11, 11, 9, 9);
    painter.setBrush(QColor(Palette16[11]));
    painter.drawEllipse(12, 12, 3, 3);
    return image;
}

QImage maskableLamp(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(WindowFace);
    QPainter(&image).drawImage(0, 0, lamp(size));
    return image;
}

QByteArray toBmp(const QImage &image)
{
    // Qt writes RGB32 images as 24-bit bitmaps.
    return encode(image.convertToFormat(QImage::Format_RGB32), "bmp");
}

QByteArray toPng(const QImage &image)
{
    return encode(image, "png");
}

namespace {

// One image of an icon file: its directory entry's facts and its data.
struct IconImage {
    int size;
    int colours; // 0: more than 256
    int bitCount;
    QByteArray data;
};

void appendHeader(QByteArray &bytes, int size, int bitCount, int dataBytes, int colours)
{
    appendLe(bytes, 40, 4); // bitmap header, twice the height for the mask
    appendLe(bytes, size, 4);
    appendLe(bytes, 2 * size, 4);
    appendLe(bytes, 1, 2);
    appendLe(bytes, bitCount, 2);
    appendLe(bytes, 0, 4);
    appendLe(bytes, dataBytes, 4);
    appendLe(bytes, 0, 4);
    appendLe(bytes, 0, 4);
    appendLe(bytes, colours, 4);
    appendLe(bytes, 0, 4);
}

// The mask: a set bit is transparent; rows bottom-up, padded to 32 bits.
void appendMask(QByteArray &bytes, const QImage &argb)
{
    const int size = argb.width();
    const int rowBytes = (size + 31) / 32 * 4;
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < size; ++x)
            if (qAlpha(argb.pixel(x, y)) < 128)
                row[x / 8] = char(row[x / 8] | 0x80 >> x % 8);
        bytes.append(row);
    }
}

// The program's old icon: 32 x 32 in the standard 16 colours.
IconImage sixteenColours(const QImage &image)
{
    const int size = 32;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QByteArray data;
    appendHeader(data, size, 4, size * size / 2 + size * size / 8, 16);
    for (QRgb colour : Palette16)
        appendLe(data, colour, 4); // stored as blue, green, red, 0
    const auto opaque = [&](int x, int y) { return qAlpha(argb.pixel(x, y)) >= 128; };
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; x += 2) {
            const int high = opaque(x, y) ? nearestIndex(argb.pixel(x, y)) : 0;
            const int low = opaque(x + 1, y) ? nearestIndex(argb.pixel(x + 1, y)) : 0;
            data.append(char(high << 4 | low));
        }
    }
    appendMask(data, argb);
    return {size, 16, 4, data};
}

// 32 bits with alpha; from 256 pixels on as PNG, as the system expects there.
IconImage trueColour(const QImage &image)
{
    const int size = image.width();
    if (size >= 256)
        return {size, 0, 32, toPng(image)};
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QByteArray data;
    appendHeader(data, size, 32, size * size * 4 + (size + 31) / 32 * 4 * size, 0);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x)
            appendLe(data, argb.pixel(x, y), 4); // blue, green, red, alpha
    appendMask(data, argb);
    return {size, 0, 32, data};
}

} // namespace

QByteArray windowsIcon()
{
    std::vector<IconImage> images{sixteenColours(lamp(32))};
    for (const int size : WindowsIconSizes)
        images.push_back(trueColour(lamp(size)));
    QByteArray bytes;
    appendLe(bytes, 0, 2); // icon directory
    appendLe(bytes, 1, 2);
    appendLe(bytes, int(images.size()), 2);
    int offset = 6 + 16 * int(images.size());
    for (const IconImage &image : images) {
        appendLe(bytes, image.size % 256, 1); // 0 stands for 256
        appendLe(bytes, image.size % 256, 1);
        appendLe(bytes, image.colours, 1);
        appendLe(bytes, 0, 1);
        appendLe(bytes, 1, 2);
        appendLe(bytes, image.bitCount, 2);
        appendLe(bytes, int(image.data.size()), 4);
        appendLe(bytes, offset, 4);
        offset += int(image.data.size());
    }
    for (const IconImage &image : images)
        bytes.append(image.data);
    return bytes;
}

} // namespace Artwork
