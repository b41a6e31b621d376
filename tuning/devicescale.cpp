#include "devicescale.h"

#include <algorithm>

Picture atDeviceScale(const Picture &picture, int left, int top, int dpi)
{
    const int x0 = deviceOf(left, dpi), y0 = deviceOf(top, dpi);
    Picture device;
    device.width = deviceOf(left + picture.width, dpi) - x0;
    device.height = deviceOf(top + picture.height, dpi) - y0;
    device.pixels.resize(std::size_t(device.width) * std::size_t(device.height));
    std::uint32_t *out = device.pixels.data();
    for (int y = 0; y < device.height; ++y)
        for (int x = 0; x < device.width; ++x)
            *out++ = picture.at(designOf(x0 + x, dpi) - left, designOf(y0 + y, dpi) - top);
    return device;
}

int largestDpiThatFits(int width, int height, double roomWidth, double roomHeight, int least,
                       int most)
{
    // The mapping grows with the DPI: the last DPI that fits is found by halves.
    const auto fits = [&](int dpi) {
        return deviceOf(width, dpi) <= roomWidth && deviceOf(height, dpi) <= roomHeight;
    };
    int low = least, high = std::max(least, most);
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (fits(middle))
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}
