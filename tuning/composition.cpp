#include "composition.h"

#include <algorithm>

namespace {

bool isEmpty(DeviceRect r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

DeviceRect intersect(DeviceRect a, DeviceRect b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

} // namespace

DeviceRect unite(DeviceRect a, DeviceRect b)
{
    if (isEmpty(b))
        return a;
    if (isEmpty(a))
        return b;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

void Composition::reset(int width, int height, std::size_t layers)
{
    m_width = std::max(0, width);
    m_height = std::max(0, height);
    m_layers.assign(layers, {});
    m_rgba.assign(std::size_t(m_width) * std::size_t(m_height) * 4, 0);
}

DeviceRect Composition::show(std::size_t layer, Picture picture, int left, int top)
{
    Layer &shown = m_layers.at(layer);
    const DeviceRect before = shown.at;
    shown.at = {left, top, left + picture.width, top + picture.height};
    shown.picture = std::move(picture);
    const DeviceRect region =
        intersect(unite(before, shown.at), DeviceRect{0, 0, m_width, m_height});
    if (isEmpty(region))
        return {};
    compose(region);
    return region;
}

void Composition::compose(DeviceRect clip)
{
    const auto offset = [&](int x, int y) {
        return (std::size_t(y) * std::size_t(m_width) + std::size_t(x)) * 4;
    };
    for (int y = clip.top; y < clip.bottom; ++y)
        std::fill_n(m_rgba.begin() + std::ptrdiff_t(offset(clip.left, y)),
                    std::size_t(clip.right - clip.left) * 4, 0);
    for (const Layer &layer : m_layers) {
        const DeviceRect part = intersect(layer.at, clip);
        for (int y = part.top; y < part.bottom; ++y)
            for (int x = part.left; x < part.right; ++x) {
                const std::uint32_t pixel = layer.picture.at(x - layer.at.left, y - layer.at.top);
                std::uint8_t *out = &m_rgba[offset(x, y)];
                out[0] = std::uint8_t(pixel >> 16);
                out[1] = std::uint8_t(pixel >> 8);
                out[2] = std::uint8_t(pixel);
                out[3] = 0xFF;
            }
    }
}

std::vector<std::uint8_t> Composition::bytesOf(DeviceRect region) const
{
    region = intersect(region, DeviceRect{0, 0, m_width, m_height});
    std::vector<std::uint8_t> out;
    if (isEmpty(region))
        return out;
    out.reserve(std::size_t(region.right - region.left) * std::size_t(region.bottom - region.top) *
                4);
    for (int y = region.top; y < region.bottom; ++y) {
        const auto row =
            m_rgba.begin() + (std::ptrdiff_t(y) * m_width + region.left) * std::ptrdiff_t(4);
        out.insert(out.end(), row, row + std::ptrdiff_t(region.right - region.left) * 4);
    }
    return out;
}
