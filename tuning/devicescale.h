#pragma once

#include "bitmap.h"

#include <array>

// One mapping of design pixels (96 dots per inch) to device pixels at `dpi`,
// shared by every control and picture of the window: design pixel p covers
// the device pixels from deviceOf(p) up to deviceOf(p + 1). Pictures drawn
// through it lie exactly where their controls lie at every scale, so each
// switch covers its slot of the housing and no slot ever shows. It rounds
// halves up, as toolkits round a window's size at a fractional scale.
constexpr int deviceOf(int designPixel, int dpi)
{
    return (designPixel * dpi + 48) / 96;
}

// The design pixel that device pixel d lies in: the last p with deviceOf(p) <= d.
constexpr int designOf(int devicePixel, int dpi)
{
    return (devicePixel * 96 + 47) / dpi;
}

// The field's thin border: one pixel, times the scale rounded.
constexpr int borderWidth(int dpi)
{
    return dpi < 96 ? 1 : (dpi + 48) / 96;
}

// The largest DPI from `least` up to `most` at which `width` x `height` design
// pixels fit in `roomWidth` x `roomHeight` device pixels; `least` when none
// does. A window as large as a screen holds it whole.
int largestDpiThatFits(int width, int height, double roomWidth, double roomHeight, int least,
                       int most);

// A rectangle of device pixels, right and bottom excluded.
struct DeviceRect {
    int left, top, right, bottom;
};

// The four sides of a frame `thickness` device pixels wide just inside
// `outer`: top, bottom, left, right. The field's border is drawn so.
constexpr std::array<DeviceRect, 4> frameSides(DeviceRect outer, int thickness)
{
    return {{{outer.left, outer.top, outer.right, outer.top + thickness},
             {outer.left, outer.bottom - thickness, outer.right, outer.bottom},
             {outer.left, outer.top, outer.left + thickness, outer.bottom},
             {outer.right - thickness, outer.top, outer.right, outer.bottom}}};
}

// A picture whose top-left corner lies at design pixel (left, top) of the
// window, as device pixels at `dpi`, nearest neighbour.
Picture atDeviceScale(const Picture &picture, int left, int top, int dpi);
