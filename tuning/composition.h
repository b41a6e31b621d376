#pragma once

#include "bitmap.h"
#include "devicescale.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Pictures laid in order over a clear canvas of device pixels, as RGBA bytes:
// the switch block as a front end that draws it itself puts it on the
// screen, and the one region to draw again when pictures change.
class Composition
{
public:
    // A clear canvas of `width` x `height` pixels with `layers` empty layers,
    // the first lowest.
    void reset(int width, int height, std::size_t layers);

    // Layer `layer` shows `picture`, its top-left corner at (left, top), and
    // the canvas is composed again where the layer lay and lies now: that
    // region, clipped to the canvas, is returned.
    DeviceRect show(std::size_t layer, Picture picture, int left, int top);

    int width() const { return m_width; }
    int height() const { return m_height; }
    const std::vector<std::uint8_t> &rgba() const { return m_rgba; }
    // The canvas's bytes within `region`, row after row.
    std::vector<std::uint8_t> bytesOf(DeviceRect region) const;

private:
    struct Layer {
        Picture picture;
        DeviceRect at{};
    };
    void compose(DeviceRect clip);

    int m_width = 0, m_height = 0;
    std::vector<Layer> m_layers;
    std::vector<std::uint8_t> m_rgba;
};

// The least rectangle that holds both; an empty one adds nothing.
DeviceRect unite(DeviceRect a, DeviceRect b);
