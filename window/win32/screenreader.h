#pragma once

#include <string>
#include <vector>
#include <windows.h>

struct IAccPropServices;

// What screen readers hear of the window's controls beyond what Windows
// tells them by itself, through Dynamic Annotation: names, and for each
// switch a check button whose state and description say ON or OFF. The
// annotation service is reached once the window is up, so that starting the
// program does not wait for COM; notes made before then are kept.
class ScreenReaderNotes
{
public:
    ScreenReaderNotes() = default;
    ~ScreenReaderNotes();
    ScreenReaderNotes(const ScreenReaderNotes &) = delete;
    ScreenReaderNotes &operator=(const ScreenReaderNotes &) = delete;

    void name(HWND control, const std::string &name);
    // A switch now stands ON or OFF; screen readers following it hear the change.
    void setSwitch(HWND control, bool on);
    // Connects to the annotation service and applies every note. Without it
    // (an old system) the controls keep their window texts as names.
    void start();

private:
    struct Note {
        HWND control;
        std::wstring name;
        int on = -1; // -1: not a switch
    };
    Note &noteOf(HWND control);
    void apply(const Note &note);

    std::vector<Note> m_notes;
    HMODULE m_ole32 = nullptr;
    IAccPropServices *m_service = nullptr;
};
