#pragma once

#include "handles.h"
#include "windowbase.h"

#include <windows.h>

// A borderless picture box: shows its bitmap unscaled (or at the window's
// whole-number scale) at its top-left corner, takes the size of the bitmap,
// takes the focus on a press and reports a click to its parent as
// WM_COMMAND / BN_CLICKED when the left button is released inside. A box
// forwards the clicks of the boxes inside it.
class PictureBox : public WindowBase
{
public:
    static void registerClass(HINSTANCE instance);

    PictureBox(HWND parent, int id, POINT position, int scale, COLORREF background, bool tabStop,
               ErrorSink &errors);
    ~PictureBox() override;

    // Shows the bitmap, releasing the one shown before, and sizes the box to it.
    void setPicture(OwnedBitmap bitmap);

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onPaint();
    void onLeftButtonDown();
    void onLeftButtonUp(LPARAM lParam);

    OwnedBitmap m_bitmap;
    SIZE m_size{0, 0};
    int m_scale;
    COLORREF m_background;
    bool m_pressed = false;
};
