#pragma once

#include <windows.h>

// Version 6 of the common controls, themed, for the length of a scope. The
// program's own manifest leaves them out, so that the first frame neither
// loads nor sets them up; what uses them later (the tooltips, the error
// report) makes their context active here, as isolation-aware code does.
class CommonControlsScope
{
public:
    CommonControlsScope();
    ~CommonControlsScope();
    CommonControlsScope(const CommonControlsScope &) = delete;
    CommonControlsScope &operator=(const CommonControlsScope &) = delete;

    // Loads the library of the active version and registers these control
    // classes (ICC_...); false when it cannot.
    static bool registerClasses(DWORD classes);

private:
    HANDLE m_context = INVALID_HANDLE_VALUE;
    ULONG_PTR m_cookie = 0;
    bool m_active = false;
};
