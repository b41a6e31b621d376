#pragma once

#include "errorsink.h"

#include <windows.h>

// The classic window-class template: the object is kept from WM_NCCREATE on,
// each message goes to its handle(), and no exception leaves the procedure.
// A derived class registers windowProc with its class and passes `this` as
// the creation parameter.
class WindowBase
{
public:
    HWND hwnd() const { return m_hwnd; }

protected:
    explicit WindowBase(ErrorSink &errors) : m_errors(errors) {}
    virtual ~WindowBase() = default;
    WindowBase(const WindowBase &) = delete;
    WindowBase &operator=(const WindowBase &) = delete;

    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;

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
        auto *self = reinterpret_cast<WindowBase *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!self)
            return DefWindowProcW(hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->m_hwnd = nullptr;
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        return guarded(self->m_errors, [&] { return self->handle(message, wParam, lParam); });
    }

    HWND m_hwnd = nullptr;
    ErrorSink &m_errors;
};
