// Feeds arbitrary bytes to the bitmap decoder: whatever it takes must come
// out as a whole picture of opaque pixels within the size limits.
#include "bitmap.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Picture picture;
    if (decodeBitmap(std::span(data, size), picture))
        return 0;
    const bool whole =
        picture.width > 0 && picture.width <= LargestPictureSide && picture.height > 0 &&
        picture.height <= LargestPictureSide &&
        picture.pixels.size() == std::size_t(picture.width) * std::size_t(picture.height);
    if (!whole) {
        std::fprintf(stderr, "taken, but %d x %d with %zu pixels\n", picture.width, picture.height,
                     picture.pixels.size());
        std::abort();
    }
    for (const std::uint32_t pixel : picture.pixels)
        if (pixel >> 24 != 0xFF) {
            std::fprintf(stderr, "a pixel that is not opaque: %08x\n", unsigned(pixel));
            std::abort();
        }
    return 0;
}
