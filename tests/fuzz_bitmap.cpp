// Feeds arbitrary bytes to the bitmap decoder: whatever it takes must come
// out as a whole picture of opaque pixels within the size limits.
#include "bitmap.h"

#include <algorithm>
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
    const bool opaque = std::all_of(picture.pixels.begin(), picture.pixels.end(),
                                    [](std::uint32_t pixel) { return pixel >> 24 == 0xFF; });
    if (!whole || !opaque) {
        std::fprintf(stderr, "taken, but %d x %d with %zu pixels, opaque: %d\n", picture.width,
                     picture.height, picture.pixels.size(), int(opaque));
        std::abort();
    }
    return 0;
}
