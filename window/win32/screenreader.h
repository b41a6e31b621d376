#pragma once

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

// What screen readers hear of the window's controls beyond what Windows
// tells them by itself: each control's name from the design, and for each
// switch a check button, checked while it stands ON, described "ON" or
// "OFF". A control answers WM_GETOBJECT through answer() with the system's
// own accessible object for it, these facts laid over. The accessibility
// libraries are loaded when a screen reader first asks, so no start of the
// program waits for them.
class ScreenReaderNotes
{
public:
    ScreenReaderNotes();
    ~ScreenReaderNotes();
    ScreenReaderNotes(const ScreenReaderNotes &) = delete;
    ScreenReaderNotes &operator=(const ScreenReaderNotes &) = delete;

    void name(HWND control, const std::string &name);
    // A switch now stands ON or OFF; screen readers following it hear the change.
    void setSwitch(HWND control, bool on);

    // The answer to WM_GETOBJECT for a noted control, or 0 for the default one.
    LRESULT answer(HWND control, WPARAM wParam, LPARAM lParam);

    struct Note {
        HWND control;
        std::wstring name;
        int on = -1; // -1: not a switch
    };

private:
    Note &noteOf(HWND control);

    std::vector<Note> m_notes;
    struct Libraries;
    std::unique_ptr<Libraries> m_libraries;
};
