#include "commoncontrols.h"

#include "libraryfunction.h"

#include <commctrl.h>

namespace {

constexpr WORD CommonControlsManifest = 2; // the resource script's manifest 2

} // namespace

CommonControlsScope::CommonControlsScope()
{
    wchar_t program[MAX_PATH];
    if (!GetModuleFileNameW(nullptr, program, MAX_PATH))
        return;
    ACTCTXW context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
    context.lpSource = program;
    context.lpResourceName = MAKEINTRESOURCEW(CommonControlsManifest);
    context.hModule = GetModuleHandleW(nullptr);
    m_context = CreateActCtxW(&context);
    // Without it the system's older controls serve, unthemed but whole.
    m_active = m_context != INVALID_HANDLE_VALUE && ActivateActCtx(m_context, &m_cookie);
}

CommonControlsScope::~CommonControlsScope()
{
    if (m_active)
        DeactivateActCtx(0, m_cookie);
    if (m_context != INVALID_HANDLE_VALUE)
        ReleaseActCtx(m_context);
}

bool CommonControlsScope::registerClasses(DWORD classes)
{
    // Loaded for the rest of the run: the controls made from it live as long.
    const auto initialize = libraryFunction<decltype(&InitCommonControlsEx)>(
        systemLibrary(L"comctl32.dll"), "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX controls{sizeof controls, classes};
    return initialize && initialize(&controls);
}
