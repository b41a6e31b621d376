#pragma once

#include "bitmap.h"
#include "bitmapwriter.h"
#include "platformfileopener.h"
#include "runtimeerror.h"

#include <vector>

// The files that cost the decoder most, each as large as a switch image may
// be: the largest picture, and streams whose every run or move says far more
// than the picture holds, accepted or refused at their last byte.
struct NamedBitmap {
    const char *name;
    Bytes bytes;
};

inline std::vector<NamedBitmap> slowestBitmaps()
{
    const std::uint32_t side = LargestPictureSide;
    const auto header = [&](int bpp, int compression, std::array<std::uint32_t, 3> masks) {
        BitmapWriter w;
        w.u8('B'), w.u8('M'), w.u32(0), w.u32(0), w.u32(0);
        w.u32(52), w.u32(side), w.u32(side), w.u16(1), w.u16(std::uint32_t(bpp));
        w.u32(std::uint32_t(compression)), w.u32(0), w.u32(0), w.u32(0), w.u32(0), w.u32(0);
        w.u32(masks[0]), w.u32(masks[1]), w.u32(masks[2]);
        for (int i = 0; bpp <= 8 && i < 1 << bpp; ++i)
            w.u32(TestColours[i % 16]);
        w.bytes = with(w.bytes, 10, std::uint32_t(w.bytes.size()));
        return w;
    };
    // A stream of one command again and again, up to the largest file.
    const auto stream = [&](int bpp, int compression, const Bytes &command, bool cutAtEnd) {
        BitmapWriter w = header(bpp, compression, NoMasks);
        const std::size_t pixelsAt = w.bytes.size();
        while (w.bytes.size() + command.size() + cutAtEnd <= LargestBitmapFile)
            w.bytes.insert(w.bytes.end(), command.begin(), command.end());
        if (cutAtEnd)
            w.bytes.push_back(0);
        w.bytes = with(w.bytes, 34, std::uint32_t(w.bytes.size() - pixelsAt));
        return with(w.bytes, 2, std::uint32_t(w.bytes.size()));
    };
    Bytes absolute{0, 255};
    absolute.resize(2 + 256, 7);
    BitmapWriter plain = header(32, 3, {0x80000000, 0x00008000, 0x00000080});
    plain.bytes.resize(plain.bytes.size() + std::size_t(side) * side * 4, 0xA5);
    return {
        {"RLE8 runs past every row's end", stream(8, 1, {255, 1}, false)},
        {"RLE4 runs past every row's end", stream(4, 2, {255, 0x12}, false)},
        {"RLE8 runs past the top", stream(8, 1, {255, 1, 0, 0}, false)},
        {"RLE8 moves that go nowhere", stream(8, 1, {0, 2, 255, 255}, false)},
        {"RLE8 absolute runs past the edge", stream(8, 1, absolute, false)},
        {"RLE8 refused at its last byte", stream(8, 1, {255, 1}, true)},
        {"largest picture, one-bit masks", with(plain.bytes, 2, std::uint32_t(plain.bytes.size()))},
    };
}

// Reads and decodes OFF_SW.bmp of the current folder, as a switch does: true
// when the program would refuse it.
inline bool refused()
{
    try {
        readPictureFile(PlatformFileOpener(), "OFF_SW.bmp");
        return false;
    } catch (const FileError &) {
        return true;
    }
}
