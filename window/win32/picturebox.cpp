#include "picturebox.h"

#include "handles.h"
#include "widetext.h"

#include <windowsx.h>

namespace {

constexpr const wchar_t *ClassName = L"CorvexPictureBox";

} // namespace

void PictureBox::registerClass(HINSTANCE instance)
{
    const WNDCLASSEXW boxClass = windowClass(instance, ClassName);
    if (!RegisterClassExW(&boxClass))
        throwLastError("The picture box's window class cannot be registered");
}

PictureBox::PictureBox(HWND parent, int id, POINT position, int scale, COLORREF background,
                       bool tabStop, EventGuard &guard)
    : WindowBase(guard), m_scale(scale), m_background(background)
{
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (tabStop ? WS_TABSTOP : 0);
    if (!CreateWindowExW(0, ClassName, L"", style, position.x, position.y, 0, 0, parent,
                         reinterpret_cast<HMENU>(INT_PTR(id)),
                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                         this))
        throwLastError("A picture box cannot be created");
}

void PictureBox::setPicture(Picture picture)
{
    // Each call to the window manager costs more than reading the file: a
    // validation sets eight pictures, most often to what they already show.
    const bool resized = picture.width != m_picture.width || picture.height != m_picture.height;
    const bool changed = resized || picture.pixels != m_picture.pixels;
    m_picture = std::move(picture); // the previous picture is released here
    if (resized)
        SetWindowPos(m_hwnd, nullptr, 0, 0, m_picture.width * m_scale, m_picture.height * m_scale,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (changed)
        InvalidateRect(m_hwnd, nullptr, FALSE);
}

LRESULT PictureBox::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the picture covers the whole box
    case WM_LBUTTONDOWN:
        onLeftButtonDown();
        return 0;
    case WM_LBUTTONUP:
        onLeftButtonUp(lParam);
        return 0;
    case WM_CAPTURECHANGED:
        m_pressed = false;
        return 0;
    case WM_COMMAND: // a click on a box inside this one
        return SendMessageW(GetParent(m_hwnd), message, wParam, lParam);
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

void PictureBox::onPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hwnd, &paint);
    RECT client;
    GetClientRect(m_hwnd, &client);
    if (!m_picture.pixels.empty()) {
        // The decoded pixels are a 32-bit top-down DIB as they lie in memory.
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = m_picture.width;
        info.bmiHeader.biHeight = -m_picture.height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        const int width = m_picture.width * m_scale, height = m_picture.height * m_scale;
        // Whole-number scaling: every picture pixel becomes a square of pixels.
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchDIBits(dc, 0, 0, width, height, 0, 0, m_picture.width, m_picture.height,
                      m_picture.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
        ExcludeClipRect(dc, 0, 0, width, height);
    }
    OwnedBrush background(CreateSolidBrush(m_background));
    FillRect(dc, &client, background.get());
    EndPaint(m_hwnd, &paint);
}

void PictureBox::onLeftButtonDown()
{
    // The focus moves first: leaving the frequency field validates it before
    // this click is reported.
    SetFocus(m_hwnd);
    SetCapture(m_hwnd);
    m_pressed = true;
}

void PictureBox::onLeftButtonUp(LPARAM lParam)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (GetCapture() == m_hwnd)
        ReleaseCapture();
    RECT client;
    GetClientRect(m_hwnd, &client);
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (wasPressed && PtInRect(&client, at))
        SendMessageW(GetParent(m_hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(m_hwnd), BN_CLICKED),
                     LPARAM(m_hwnd));
}
