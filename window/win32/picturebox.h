#pragma once

#include "bitmap.h"
#include "windowbase.h"

#include <windows.h>

// A borderless picture box: shows its picture unscaled (or at the window's
// whole-number scale) at its top-left corner, takes the size of the picture,
// takes the focus on a press and reports a click to its parent as
// WM_COMMAND / BN_CLICKED when the left button is released inside. A box
// forwards the clicks of the boxes inside it.
class PictureBox : public WindowBase
{
public:
    static void registerClass(HINSTANCE instance);

    // Throws when the window cannot be created.
    PictureBox(HWND parent, int id, POINT position, int scale, COLORREF background, bool tabStop,
               EventGuard &guard);

    // Shows the picture, releasing the one shown before, and sizes the box to it.
    void setPicture(Picture picture);

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onPaint();
    void onLeftButtonDown();
    void onLeftButtonUp(LPARAM lParam);

    Picture m_picture;
    int m_scale;
    COLORREF m_background;
    bool m_pressed = false;
};
