#pragma once

#include "errorsink.h"
#include "handles.h"

#include <windows.h>

// A borderless picture box: shows its bitmap unscaled (or at the window's
// whole-number scale) at its top-left corner, takes the size of the bitmap,
// takes the focus on a press and reports a click to its parent as
// WM_COMMAND / BN_CLICKED when the left button is released inside. A box
// forwards the clicks of the boxes inside it.
class PictureBox
{
public:
    static void registerClass(HINSTANCE instance);

    PictureBox(HWND parent, int id, POINT position, int scale, COLORREF background, bool tabStop,
               ErrorSink &errors);
    ~PictureBox();
    PictureBox(const PictureBox &) = delete;
    PictureBox &operator=(const PictureBox &) = delete;

    HWND hwnd() const { return m_hwnd; }

    // Shows the bitmap, releasing the one shown before, and sizes the box to it.
    void setPicture(OwnedBitmap bitmap);

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void onPaint();
    void onLeftButtonDown();
    void onLeftButtonUp(LPARAM lParam);

    HWND m_hwnd = nullptr;
    ErrorSink &m_errors;
    OwnedBitmap m_bitmap;
    SIZE m_size{0, 0};
    int m_scale;
    COLORREF m_background;
    bool m_pressed = false;
};
