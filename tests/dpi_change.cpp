// Tells the Windows program that its monitor's scale changed, as Windows
// does when a window is moved to a monitor of another scale: WM_DPICHANGED
// with the new DPI and a suggested rectangle, which is written into the
// program's own memory since no one carries the pointer across processes.
// Usage: dpi_change DPI
#include <cstdio>
#include <cstdlib>
#include <windows.h>

int main(int argc, char **argv)
{
    if (argc != 2)
        return std::printf("usage: dpi_change DPI\n"), 2;
    const int dpi = std::atoi(argv[1]);
    HWND window = FindWindowW(L"CorvexSettings", L"Settings for Corvex:");
    if (!window)
        return std::printf("no settings window\n"), 1;
    RECT suggested;
    GetWindowRect(window, &suggested);
    const int old = int(GetDpiForWindow(window));
    suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, dpi, old);
    suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, dpi, old);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    HANDLE target = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process);
    void *there = target ? VirtualAllocEx(target, nullptr, sizeof suggested,
                                          MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                         : nullptr;
    if (!there || !WriteProcessMemory(target, there, &suggested, sizeof suggested, nullptr))
        return std::printf("cannot write into the program\n"), 1;
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(there));
    VirtualFreeEx(target, there, 0, MEM_RELEASE);
    CloseHandle(target);
    return 0;
}
