#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// A picture ready to show: every pixel 0xFFRRGGBB, rows from top to bottom.
// In memory this is a 32-bit top-down DIB on Windows and QImage::Format_RGB32
// in Qt, so every front end shows exactly the same pixels.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const
    {
        return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
};

// The largest picture either side may have: a switch is 8 x 19 pixels and the
// whole window 312 x 213, and a file of a few hundred bytes must not make each
// click fill megabytes.
inline constexpr int LargestPictureSide = 256;

// The largest file a switch image may be: the largest picture at 32 bits a
// pixel, with room for the largest header, masks and colour table.
inline constexpr std::size_t LargestBitmapFile =
    std::size_t(LargestPictureSide) * LargestPictureSide * 4 + 4096;

// Decodes a whole Windows bitmap file in every form GDI shows: 1-, 4- and
// 8-bit palettes, RLE8 and RLE4, 16-bit 555 and bit fields, 24-bit, 32-bit
// plain and with masks, bottom-up and top-down, core and info headers.
// Returns what is wrong with the bytes, in the user's words, or nothing with
// every pixel of `picture` written.
std::optional<std::string> decodeBitmap(std::span<const std::uint8_t> bytes, Picture &picture);
