#include "bitmap.h"

#include <algorithm>
#include <array>
#include <bit>

namespace {

constexpr std::uint64_t FileHeaderSize = 14;
constexpr std::uint32_t Black = 0xFF000000;

const char *const HeaderDamaged = "the bitmap's header is damaged";
const char *const PixelsDamaged = "the bitmap's pixel data is damaged";
const char *const CannotShow = "the bitmap is stored in a way this program cannot show";

enum Compression : std::uint32_t { Plain = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

using Bytes = std::span<const std::uint8_t>;

// A little-endian field; the caller has checked that it lies inside the bytes.
std::uint32_t field(Bytes bytes, std::uint64_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes[std::size_t(at) + std::size_t(i)];
    return value;
}

std::string cutShort(std::uint64_t have, std::uint64_t need)
{
    return "the file is cut short (" + std::to_string(have) + " of " + std::to_string(need) +
           " bytes)";
}

// One colour channel of a packed pixel, widened to 8 bits by repeating its
// bits, as GDI does: 5 bits v give v << 3 | v >> 2, 6 bits v << 2 | v >> 4.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m = 0)
        : mask(m), shift(m ? std::countr_zero(m) : 0), bits(std::popcount(m))
    {
    }
    bool contiguous() const { return ((mask >> shift) & ((mask >> shift) + 1)) == 0; }

    std::uint32_t operator()(std::uint32_t pixel) const
    {
        const std::uint32_t value = (pixel & mask) >> shift;
        if (bits >= 8)
            return value >> (bits - 8);
        std::uint32_t wide = value << (8 - bits);
        for (int filled = bits; filled < 8; filled *= 2)
            wide |= wide >> filled;
        return wide & 0xFF;
    }
};

struct Header {
    std::uint32_t infoSize = 0;
    bool core = false;
    std::int64_t width = 0, height = 0; // height < 0: rows stored top-down
    std::uint32_t planes = 0, bitsPerPixel = 0, compression = 0;
    std::uint32_t imageSize = 0, coloursUsed = 0;
    std::uint64_t pixelsAt = 0;
};

Header readHeader(Bytes bytes)
{
    Header h;
    h.pixelsAt = field(bytes, 10, 4);
    h.infoSize = field(bytes, 14, 4);
    h.core = h.infoSize == 12;
    if (h.core) {
        h.width = field(bytes, 18, 2);
        h.height = field(bytes, 20, 2);
        h.planes = field(bytes, 22, 2);
        h.bitsPerPixel = field(bytes, 24, 2);
    } else {
        h.width = std::int32_t(field(bytes, 18, 4));
        h.height = std::int32_t(field(bytes, 22, 4));
        h.planes = field(bytes, 26, 2);
        h.bitsPerPixel = field(bytes, 28, 2);
        h.compression = field(bytes, 30, 4);
        h.imageSize = field(bytes, 34, 4);
        h.coloursUsed = field(bytes, 46, 4);
    }
    return h;
}

bool showable(const Header &h)
{
    switch (h.compression) {
    case Plain:
        return h.core ? h.bitsPerPixel == 1 || h.bitsPerPixel == 4 || h.bitsPerPixel == 8 ||
                            h.bitsPerPixel == 24
                      : h.bitsPerPixel == 1 || h.bitsPerPixel == 4 || h.bitsPerPixel == 8 ||
                            h.bitsPerPixel == 16 || h.bitsPerPixel == 24 || h.bitsPerPixel == 32;
    case Rle8:
        return h.bitsPerPixel == 8 && h.height > 0; // run-length rows run bottom-up only
    case Rle4:
        return h.bitsPerPixel == 4 && h.height > 0;
    case BitFields:
        return h.bitsPerPixel == 16 || h.bitsPerPixel == 32;
    }
    return false;
}

// Walks a run-length stream to its end. Pixels it never reaches stay black;
// positions beyond the picture are dropped without being walked, so the work
// is bounded by the stream's bytes and the picture's pixels, whatever the
// counts say. Returns false when a command runs past the end of the stream.
bool decodeRunLength(Bytes stream, bool fourBits, const std::array<std::uint32_t, 256> &palette,
                     Picture &picture)
{
    const int width = picture.width, height = picture.height;
    int x = 0, y = 0; // y counts rows from the bottom
    // Puts `count` indexes from `index(i)` at the cursor, as far as the row reaches.
    const auto put = [&](int count, auto index) {
        const int inside = y < height ? std::min(count, width - x) : 0;
        std::uint32_t *out =
            inside > 0
                ? &picture.pixels[std::size_t(height - 1 - y) * std::size_t(width) + std::size_t(x)]
                : nullptr;
        for (int i = 0; i < inside; ++i)
            out[i] = palette[index(i)];
        x = std::min(x + count, width);
    };
    std::size_t at = 0;
    const std::size_t end = stream.size();
    while (at < end) {
        if (end - at < 2)
            return false;
        const int count = stream[at], value = stream[at + 1];
        at += 2;
        if (count > 0) { // a run of one index, or of two alternating nibbles
            put(count, [&](int i) {
                return !fourBits ? value : i % 2 == 0 ? value >> 4 : value & 0x0F;
            });
            continue;
        }
        switch (value) {
        case 0: // end of line
            x = 0;
            y = std::min(y + 1, height);
            break;
        case 1: // end of bitmap
            return true;
        case 2: // move right and up
            if (end - at < 2)
                return false;
            x = std::min(x + stream[at], width);
            y = std::min(y + stream[at + 1], height);
            at += 2;
            break;
        default: { // `value` indexes follow, padded to a 16-bit boundary
            const std::size_t length = fourBits ? (std::size_t(value) + 1) / 2 : value;
            if (end - at < length)
                return false;
            const std::uint8_t *indexes = stream.data() + at;
            put(value, [&](int i) {
                const int byte = indexes[fourBits ? i / 2 : i];
                return !fourBits ? byte : i % 2 == 0 ? byte >> 4 : byte & 0x0F;
            });
            at += length + length % 2;
        }
        }
    }
    return true; // a stream may end without its end-of-bitmap mark
}

void decodeRows(Bytes bytes, const Header &h, const std::array<std::uint32_t, 256> &palette,
                const std::array<Channel, 3> &rgb, Picture &picture)
{
    const std::size_t width = std::size_t(picture.width), height = std::size_t(picture.height);
    const std::size_t stride = (width * h.bitsPerPixel + 31) / 32 * 4;
    for (std::size_t row = 0; row < height; ++row) {
        const std::uint8_t *in = bytes.data() + h.pixelsAt + row * stride;
        std::uint32_t *out = &picture.pixels[(h.height > 0 ? height - 1 - row : row) * width];
        for (std::size_t x = 0; x < width; ++x) {
            std::uint32_t pixel = 0;
            switch (h.bitsPerPixel) {
            case 1:
                out[x] = palette[(in[x / 8] >> (7 - x % 8)) & 1];
                continue;
            case 4:
                out[x] = palette[x % 2 == 0 ? in[x / 2] >> 4 : in[x / 2] & 0x0F];
                continue;
            case 8:
                out[x] = palette[in[x]];
                continue;
            case 16:
                pixel = std::uint32_t(in[2 * x]) | std::uint32_t(in[2 * x + 1]) << 8;
                break;
            case 24:
                out[x] = Black | std::uint32_t(in[3 * x + 2]) << 16 |
                         std::uint32_t(in[3 * x + 1]) << 8 | in[3 * x];
                continue;
            case 32:
                pixel = std::uint32_t(in[4 * x]) | std::uint32_t(in[4 * x + 1]) << 8 |
                        std::uint32_t(in[4 * x + 2]) << 16 | std::uint32_t(in[4 * x + 3]) << 24;
                break;
            }
            out[x] = Black | rgb[0](pixel) << 16 | rgb[1](pixel) << 8 | rgb[2](pixel);
        }
    }
}

} // namespace

std::optional<std::string> decodeBitmap(Bytes bytes, Picture &picture)
{
    if (bytes.empty())
        return "the file is empty";
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
        return "the file is not a Windows bitmap";
    if (bytes.size() < FileHeaderSize + 4)
        return cutShort(bytes.size(), FileHeaderSize + 40);
    const std::uint32_t infoSize = field(bytes, 14, 4);
    if (infoSize != 12 && infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 &&
        infoSize != 124)
        return HeaderDamaged;
    if (bytes.size() < FileHeaderSize + infoSize)
        return cutShort(bytes.size(), FileHeaderSize + infoSize);

    const Header h = readHeader(bytes);
    const std::int64_t rows = h.height < 0 ? -h.height : h.height;
    if (h.width <= 0 || h.height == 0 || h.planes != 1)
        return HeaderDamaged;
    if (h.width > LargestPictureSide || rows > LargestPictureSide)
        return "the picture is too large (" + std::to_string(h.width) + " x " +
               std::to_string(rows) + " pixels)";
    if (!showable(h))
        return CannotShow;

    // Colour masks, then the colour table, lie between the header and the pixels.
    std::uint64_t tableAt = FileHeaderSize + infoSize;
    std::array<Channel, 3> rgb{Channel(0xFF0000), Channel(0xFF00), Channel(0xFF)};
    if (h.bitsPerPixel == 16)
        rgb = {Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
    if (h.compression == BitFields) {
        const std::uint64_t masksAt = infoSize == 40 ? tableAt : FileHeaderSize + 40;
        if (infoSize == 40)
            tableAt += 12;
        if (bytes.size() < masksAt + 12)
            return cutShort(bytes.size(), masksAt + 12);
        const std::uint64_t pixelMask = h.bitsPerPixel == 16 ? 0xFFFF : 0xFFFFFFFF;
        std::uint64_t seen = 0;
        for (std::size_t i = 0; i < 3; ++i) {
            const Channel channel(field(bytes, masksAt + 4 * i, 4));
            if (channel.mask == 0 || (channel.mask & seen) || (channel.mask & ~pixelMask))
                return HeaderDamaged;
            if (!channel.contiguous())
                return CannotShow;
            seen |= channel.mask;
            rgb[i] = channel;
        }
    }
    const std::uint64_t paletteSize = h.bitsPerPixel <= 8 ? 1u << h.bitsPerPixel : 0;
    const std::uint64_t colours = paletteSize == 0               ? 0
                                  : h.core || h.coloursUsed == 0 ? paletteSize
                                                                 : h.coloursUsed;
    if (colours > paletteSize)
        return HeaderDamaged;
    const std::uint64_t entrySize = h.core ? 3 : 4;
    const std::uint64_t tableEnd = tableAt + colours * entrySize;
    if (bytes.size() < tableEnd)
        return cutShort(bytes.size(), tableEnd);
    if (h.pixelsAt < tableEnd || h.pixelsAt > LargestBitmapFile)
        return HeaderDamaged;

    const bool runLength = h.compression == Rle8 || h.compression == Rle4;
    const std::uint64_t stride = (std::uint64_t(h.width) * h.bitsPerPixel + 31) / 32 * 4;
    if (runLength && h.imageSize < 2)
        return HeaderDamaged; // a run-length stream is as long as the header says
    const std::uint64_t needed =
        h.pixelsAt + (runLength ? h.imageSize : stride * std::uint64_t(rows));
    if (bytes.size() < needed)
        return cutShort(bytes.size(), needed);

    // An index beyond a short colour table is drawn black.
    std::array<std::uint32_t, 256> palette;
    palette.fill(Black);
    for (std::uint64_t i = 0; i < colours; ++i) {
        const std::uint64_t at = tableAt + i * entrySize;
        palette[std::size_t(i)] = Black | field(bytes, at, 3);
    }

    Picture decoded;
    decoded.width = int(h.width);
    decoded.height = int(rows);
    decoded.pixels.assign(std::size_t(h.width) * std::size_t(rows), Black);
    if (runLength) {
        if (!decodeRunLength(bytes.subspan(std::size_t(h.pixelsAt), h.imageSize),
                             h.compression == Rle4, palette, decoded))
            return PixelsDamaged;
    } else {
        decodeRows(bytes, h, palette, rgb, decoded);
    }
    picture = std::move(decoded);
    return std::nullopt;
}
