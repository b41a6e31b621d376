#include "picturebox.h"

#include "handles.h"
#include "lasterror.h"
#include "widetext.h"
#include "win32view.h"

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

PictureBox::PictureBox(HWND parent, const Design::Control &design, int id, Picture picture, int dpi,
                       ScreenReaderNotes &screenReaders, EventGuard &guard)
    : WindowBase(guard), m_design(design), m_screenReaders(screenReaders),
      m_picture(std::move(picture)), m_dpi(dpi)
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                        (Design::isTabStop(design) ? WS_TABSTOP : 0);
    const POINT at = position();
    m_device = drawn();
    // A system colour's brush is the system's own, and follows a new theme.
    if (!(design.background & Design::SystemColourFlag)) {
        m_background.reset(CreateSolidBrush(toColorRef(design.background)));
        if (!m_background)
            throwLastError("A picture box's background cannot be made");
    }
    if (!CreateWindowExW(
            0, ClassName, widen(design.accessibleName).c_str(), style, at.x, at.y, m_device.width,
            m_device.height, parent, reinterpret_cast<HMENU>(INT_PTR(id)),
            reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), this))
        throwLastError("A picture box cannot be created");
}

void PictureBox::setPicture(Picture picture)
{
    // A validation sets eight pictures, most often to what they already show:
    // only a change costs a repaint.
    if (picture.width == m_picture.width && picture.height == m_picture.height &&
        picture.pixels == m_picture.pixels)
        return;
    const bool resized = picture.width != m_picture.width || picture.height != m_picture.height;
    m_picture = std::move(picture); // the previous picture is released here
    if (resized) {
        layOut();
    } else { // each call to the window manager costs: the box stays where it is
        m_device = drawn();
        InvalidateRect(m_hwnd, nullptr, FALSE);
    }
}

void PictureBox::setDpi(int dpi)
{
    m_dpi = dpi;
    layOut();
}

Picture PictureBox::drawn() const
{
    return atDeviceScale(m_picture, Design::windowLeft(m_design), Design::windowTop(m_design),
                         m_dpi);
}

POINT PictureBox::position() const
{
    using namespace Design;
    const Control &housing = control("picDIP_SW");
    // In the housing's coordinates, for the switch that lies inside it.
    return {deviceOf(windowLeft(m_design), m_dpi) -
                (m_design.inHousing ? deviceOf(windowLeft(housing), m_dpi) : 0),
            deviceOf(windowTop(m_design), m_dpi) -
                (m_design.inHousing ? deviceOf(windowTop(housing), m_dpi) : 0)};
}

void PictureBox::layOut()
{
    m_device = drawn();
    const POINT at = position();
    SetWindowPos(m_hwnd, nullptr, at.x, at.y, m_device.width, m_device.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void PictureBox::setSwitchPosition(bool on)
{
    const bool changed = m_on >= 0 && m_on != int(on);
    m_on = on;
    if (changed) // its description changes with the frequency, told once that is shown
        NotifyWinEvent(EVENT_OBJECT_STATECHANGE, m_hwnd, OBJID_CLIENT, CHILDID_SELF);
}

void PictureBox::setKeyboardFocus(bool byKeyboard)
{
    m_keyboardFocus = byKeyboard;
}

void PictureBox::destroyed() noexcept
{
    m_screenReaders.forget(m_hwnd);
}

LRESULT PictureBox::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool isSwitch = m_design.switchNumber != 0;
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
    case WM_GETOBJECT:
        if (const LRESULT object = m_screenReaders.answer(m_hwnd, wParam, lParam))
            return object;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE: // the focus cue comes or goes
        InvalidateRect(m_hwnd, nullptr, FALSE);
        break;
    case WM_GETDLGCODE: // Space is the switch's, not a mnemonic of the dialog keys
        if (isSwitch)
            return DLGC_WANTCHARS;
        break;
    case BM_GETCHECK:
        return m_on == 1 ? BST_CHECKED : BST_UNCHECKED;
    case BM_CLICK:
        if (isSwitch)
            click();
        return 0;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

void PictureBox::onPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hwnd, &paint);
    RECT client;
    GetClientRect(m_hwnd, &client);
    const bool cue = GetFocus() == m_hwnd && m_keyboardFocus &&
                     !(SendMessageW(m_hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
    if (!m_device.pixels.empty()) {
        // The pixels are a 32-bit top-down DIB as they lie in memory, already
        // at the device's scale.
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = m_device.width;
        info.bmiHeader.biHeight = -m_device.height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        StretchDIBits(dc, 0, 0, m_device.width, m_device.height, 0, 0, m_device.width,
                      m_device.height, m_device.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
        if (cue) {
            RECT picture{0, 0, m_device.width, m_device.height};
            DrawFocusRect(dc, &picture);
        }
        ExcludeClipRect(dc, 0, 0, m_device.width, m_device.height);
    }
    FillRect(dc, &client,
             m_background ? m_background.get()
                          : GetSysColorBrush(int(m_design.background & ~Design::SystemColourFlag)));
    EndPaint(m_hwnd, &paint);
}

void PictureBox::onLeftButtonDown()
{
    // A mouse user sees no focus cue, as before any key was used.
    m_keyboardFocus = false;
    SendMessageW(GetAncestor(m_hwnd, GA_ROOT), WM_CHANGEUISTATE,
                 MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
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
        click();
}

void PictureBox::click()
{
    SendMessageW(GetParent(m_hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(m_hwnd), BN_CLICKED),
                 LPARAM(m_hwnd));
}
