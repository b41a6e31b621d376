#pragma once

// Writes Windows bitmap files of every form, byte by byte from the file
// format, for the decoder's tests and the fuzzer's seed corpus.
#include <array>
#include <bit>
#include <cstdint>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

struct BitmapForm {
    const char *name;
    int headerSize; // 12, 40, 52, 56, 108, 124
    int bitsPerPixel;
    int compression; // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields
    bool topDown;
    std::array<std::uint32_t, 3> masks; // for bit fields
};

// The test picture: 5 x 3 pixels (an odd width, so rows are padded), each a
// palette index, top row first.
inline constexpr int TestWidth = 5, TestHeight = 3;
inline constexpr std::uint8_t TestIndexes[TestHeight][TestWidth] = {
    {0, 1, 2, 3, 4}, {5, 6, 7, 8, 9}, {10, 11, 12, 13, 15}};
// 0xRRGGBB, channels that exercise the widening of 5- and 6-bit fields.
inline constexpr std::uint32_t TestColours[16] = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080, 0x84FC08, 0x102030,
    0xF80000, 0x07E0F8, 0xC0C0C0, 0x7F7F7F, 0x010203, 0xFEFDFC, 0x336699, 0xA5005A};

inline int testIndex(const BitmapForm &form, int x, int y)
{
    const int index = TestIndexes[y][x];
    return form.bitsPerPixel == 1 ? index % 2 : index;
}

// The bytes with a little-endian field of `size` bytes set to `value`.
inline Bytes with(Bytes bytes, std::size_t at, std::uint32_t value, int size = 4)
{
    for (int i = 0; i < size; ++i)
        bytes.at(at + std::size_t(i)) = std::uint8_t(value >> (8 * i));
    return bytes;
}

class BitmapWriter
{
public:
    Bytes bytes;

    void u8(std::uint32_t v) { bytes.push_back(std::uint8_t(v)); }
    void u16(std::uint32_t v) { u8(v), u8(v >> 8); }
    void u32(std::uint32_t v) { u16(v), u16(v >> 16); }
};

// A packed pixel: each channel's top bits moved into its mask.
inline std::uint32_t packed(std::uint32_t rgb, const std::array<std::uint32_t, 3> &masks)
{
    std::uint32_t pixel = 0;
    for (int c = 0; c < 3; ++c) {
        const std::uint32_t mask = masks[std::size_t(c)];
        const int shift = std::countr_zero(mask), bits = std::popcount(mask);
        const std::uint32_t channel = (rgb >> (16 - 8 * c)) & 0xFF;
        pixel |= (bits >= 8 ? channel << (bits - 8) : channel >> (8 - bits)) << shift;
    }
    return pixel;
}

inline Bytes writeBitmap(const BitmapForm &form)
{
    BitmapWriter w;
    const bool core = form.headerSize == 12;
    const int bpp = form.bitsPerPixel;
    const int colours = bpp <= 8 ? 1 << bpp : 0;
    std::array<std::uint32_t, 3> masks = form.masks;
    if (form.compression != 3)
        masks = bpp == 16 ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                          : std::array<std::uint32_t, 3>{0xFF0000, 0xFF00, 0xFF};

    w.u8('B'), w.u8('M'), w.u32(0), w.u32(0), w.u32(0); // sizes and offset come last
    w.u32(std::uint32_t(form.headerSize));
    if (core) {
        w.u16(TestWidth), w.u16(TestHeight), w.u16(1), w.u16(std::uint32_t(bpp));
    } else {
        w.u32(TestWidth), w.u32(std::uint32_t(form.topDown ? -TestHeight : TestHeight));
        w.u16(1), w.u16(std::uint32_t(bpp)), w.u32(std::uint32_t(form.compression));
        w.u32(0), w.u32(2835), w.u32(2835), w.u32(0), w.u32(0);
        const bool masksInHeader = form.headerSize >= 52;
        if (masksInHeader)
            w.u32(masks[0]), w.u32(masks[1]), w.u32(masks[2]);
        while (w.bytes.size() < 14 + std::size_t(form.headerSize))
            w.u8(0);
        if (form.compression == 3 && !masksInHeader)
            w.u32(masks[0]), w.u32(masks[1]), w.u32(masks[2]);
    }
    for (int i = 0; i < colours; ++i) {
        const std::uint32_t rgb = TestColours[i % 16];
        w.u8(rgb), w.u8(rgb >> 8), w.u8(rgb >> 16);
        if (!core)
            w.u8(0);
    }
    const std::size_t pixelsAt = w.bytes.size();
    w.bytes = with(w.bytes, 10, std::uint32_t(pixelsAt));

    for (int row = 0; row < TestHeight; ++row) {
        const int y = form.topDown ? row : TestHeight - 1 - row;
        const auto index = [&](int x) { return std::uint32_t(testIndex(form, x, y)); };
        if (form.compression == 1) { // runs of one, then three in absolute mode with its pad
            w.u8(1), w.u8(index(0)), w.u8(1), w.u8(index(1));
            w.u8(0), w.u8(3), w.u8(index(2)), w.u8(index(3)), w.u8(index(4)), w.u8(0);
            w.u8(0), w.u8(row == TestHeight - 1 ? 1 : 0);
            continue;
        }
        if (form.compression == 2) { // two alternating nibbles, then three absolute (no pad)
            w.u8(2), w.u8(index(0) << 4 | index(1));
            w.u8(0), w.u8(3), w.u8(index(2) << 4 | index(3)), w.u8(index(4) << 4);
            w.u8(0), w.u8(row == TestHeight - 1 ? 1 : 0);
            continue;
        }
        const std::size_t start = w.bytes.size();
        std::uint32_t bits = 0, filled = 0;
        for (int x = 0; x < TestWidth; ++x) {
            const std::uint32_t pixel = bpp <= 8 ? index(x) : packed(TestColours[index(x)], masks);
            if (bpp < 8) {
                bits = bits << bpp | pixel;
                filled += std::uint32_t(bpp);
                if (filled == 8)
                    w.u8(bits), bits = 0, filled = 0;
            } else {
                for (int b = 0; b < bpp / 8; ++b)
                    w.u8(pixel >> (8 * b));
            }
        }
        if (filled)
            w.u8(bits << (8 - filled));
        while ((w.bytes.size() - start) % 4)
            w.u8(0);
    }
    w.bytes = with(w.bytes, 2, std::uint32_t(w.bytes.size()));
    if (form.compression == 1 || form.compression == 2)
        w.bytes = with(w.bytes, 34, std::uint32_t(w.bytes.size() - pixelsAt));
    return w.bytes;
}

// Every form the decoder reads.
inline constexpr std::array<std::uint32_t, 3> NoMasks{};
inline constexpr BitmapForm BitmapForms[] = {
    {"1-bit", 40, 1, 0, false, NoMasks},
    {"4-bit", 40, 4, 0, false, NoMasks},
    {"8-bit", 40, 8, 0, false, NoMasks},
    {"8-bit top-down", 40, 8, 0, true, NoMasks},
    {"RLE8", 40, 8, 1, false, NoMasks},
    {"RLE4", 40, 4, 2, false, NoMasks},
    {"16-bit 555", 40, 16, 0, false, NoMasks},
    {"16-bit 565", 40, 16, 3, false, {0xF800, 0x07E0, 0x001F}},
    {"16-bit 444 in a 56-byte header", 56, 16, 3, true, {0x0F00, 0x00F0, 0x000F}},
    {"24-bit", 40, 24, 0, false, NoMasks},
    {"24-bit top-down", 124, 24, 0, true, NoMasks},
    {"32-bit", 40, 32, 0, false, NoMasks},
    {"32-bit masks", 52, 32, 3, false, {0x000000FF, 0x0000FF00, 0x00FF0000}},
    {"32-bit 10-bit masks", 108, 32, 3, false, {0x3FF00000, 0x000FFC00, 0x000003FF}},
    {"core 8-bit", 12, 8, 0, false, NoMasks},
    {"core 24-bit", 12, 24, 0, false, NoMasks},
};
