#pragma once

#include "bitmap.h"
#include "design.h"
#include "handles.h"
#include "screenreader.h"
#include "windowbase.h"

#include <windows.h>

// A borderless picture box for one control of the design: shows its picture
// at the window's scale through the design-to-device mapping, takes the size
// of the picture, takes the focus on a press and reports a click to its
// parent as WM_COMMAND / BN_CLICKED when the left button is released inside.
// A box forwards the clicks of the boxes inside it. Its window text is the
// control's accessible name.
//
// A switch's box also answers BM_GETCHECK (checked while it stands ON) and
// BM_CLICK, which focuses and clicks it as the mouse does; Space clicks it
// too. It draws a focus cue while it has a focus that came by the keyboard
// and the window shows keyboard cues; a press of the mouse hides them again.
class PictureBox : public WindowBase
{
public:
    static void registerClass(HINSTANCE instance);

    // Made where the design puts it, showing this picture at this scale;
    // throws when the window cannot be created.
    PictureBox(HWND parent, const Design::Control &design, int id, Picture picture, int dpi,
               ScreenReaderNotes &screenReaders, EventGuard &guard);

    // Shows the picture (design pixels), releasing the one shown before.
    void setPicture(Picture picture);
    // Lays the box out again for another scale.
    void setDpi(int dpi);
    // The switch now stands ON or OFF; screen readers following it hear a change.
    void setSwitchPosition(bool on);
    // The focus is about to come here by the keyboard (true) or not.
    void setKeyboardFocus(bool byKeyboard);

private:
    void destroyed() noexcept override;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    Picture drawn() const; // the picture at m_dpi, where the box lies
    POINT position() const;
    void layOut();
    void onPaint();
    void onLeftButtonDown();
    void onLeftButtonUp(LPARAM lParam);
    void click();

    const Design::Control &m_design;
    ScreenReaderNotes &m_screenReaders;
    Picture m_picture; // as designed
    Picture m_device;  // as drawn at m_dpi
    int m_dpi;
    bool m_pressed = false;
    bool m_keyboardFocus = false;
    OwnedBrush m_background; // none for a system colour
    int m_on = -1;           // -1: not a switch, or not yet set
};
