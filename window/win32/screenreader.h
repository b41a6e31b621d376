#pragma once

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

// What screen readers hear of the window's controls beyond what Windows
// tells them by itself: each control's name from the design, and for each
// switch a check button, checked while it stands ON, described by its
// position and the frequency in the field ("OFF, 87.6 MHz"), whose default
// action clicks it; the housing described by that frequency. A control answers WM_GETOBJECT
// through answer() with an object of its own that reads the control when it
// is asked (a switch's position through BM_GETCHECK) and leaves the rest to
// the system's object. The accessibility libraries are loaded when a screen
// reader first asks, so no start of the program waits for them.
class ScreenReaderNotes
{
public:
    ScreenReaderNotes() = default;
    ScreenReaderNotes(const ScreenReaderNotes &) = delete;
    ScreenReaderNotes &operator=(const ScreenReaderNotes &) = delete;
    ~ScreenReaderNotes();

    void name(HWND control, const std::string &name, bool isSwitch, bool withFrequency);
    // The field whose frequency each switch is described with, and whether
    // that frequency lies below the band.
    void describeSwitchesWith(HWND field);
    void setBelowBand(bool below);
    // A named control's description from now on (empty: the system's), told
    // to screen readers as a change.
    void describe(HWND control, const std::string &description);
    // The control's window is gone (WM_NCDESTROY): its objects answer that.
    void forget(HWND control) noexcept;

    // The answer to WM_GETOBJECT for a noted control, or 0 for the default one.
    LRESULT answer(HWND control, WPARAM wParam, LPARAM lParam) const;

private:
    struct Note {
        std::shared_ptr<HWND> control; // cleared when the window is gone
        std::wstring name;
        bool isSwitch, withFrequency;
        std::shared_ptr<std::wstring> description; // read at every call, never copied
    };
    std::vector<Note> m_notes;
    std::shared_ptr<HWND> m_field = std::make_shared<HWND>();
    std::shared_ptr<bool> m_belowBand = std::make_shared<bool>(false);
};
