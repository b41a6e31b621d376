#pragma once

#include "eventguard.h"

#include <windows.h>

// The classic window-class template: the object is kept from WM_NCCREATE on,
// each message goes to its handle(), and no exception leaves the procedure:
// the guard keeps it, and after a failure every message takes the default
// path. A derived class registers windowProc with its class, passes `this`
// as the creation parameter, and throws when creation fails.
class WindowBase
{
public:
    HWND hwnd() const { return m_hwnd; }

protected:
    explicit WindowBase(EventGuard &guard) : m_guard(guard) {}
    // Unbinds before destroying, so that no message reaches a half-destroyed
    // object: this runs after the derived parts are gone.
    virtual ~WindowBase()
    {
        if (m_hwnd) {
            SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
            DestroyWindow(m_hwnd);
        }
    }
    WindowBase(const WindowBase &) = delete;
    WindowBase &operator=(const WindowBase &) = delete;

    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The window's last message (WM_NCDESTROY) has come, a failure or not.
    virtual void destroyed() noexcept {}

    // The object bound to a window, or null when there is none (any more).
    static WindowBase *boundTo(HWND hwnd)
    {
        return hwnd ? reinterpret_cast<WindowBase *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))
                    : nullptr;
    }

    // A window class whose windows all go through windowProc.
    static WNDCLASSEXW windowClass(HINSTANCE instance, const wchar_t *name)
    {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        windowClass.lpszClassName = name;
        return windowClass;
    }

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            auto *self = static_cast<WindowBase *>(
                reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
            self->m_hwnd = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        WindowBase *self = boundTo(hwnd);
        // Unbound however the window ends, a failure before included: no
        // handle is used once its window is gone.
        if (self && message == WM_NCDESTROY) {
            self->destroyed();
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->m_hwnd = nullptr;
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        if (!self || self->m_guard.failed())
            return DefWindowProcW(hwnd, message, wParam, lParam);
        LRESULT result = 0;
        if (!self->m_guard.run([&] { result = self->handle(message, wParam, lParam); }))
            return DefWindowProcW(hwnd, message, wParam, lParam);
        return result;
    }

    HWND m_hwnd = nullptr;
    EventGuard &m_guard;
};
