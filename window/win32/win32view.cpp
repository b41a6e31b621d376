#include "win32view.h"

#include "design.h"
#include "picturebox.h"
#include "screenreader.h"
#include "widetext.h"
#include "win32fileopener.h"

COLORREF toColorRef(std::uint32_t colour)
{
    if (colour & Design::SystemColourFlag)
        return GetSysColor(int(colour & ~Design::SystemColourFlag));
    return COLORREF(colour); // the same 0x00BBGGRR layout
}

Win32View::Win32View(HWND txtFreq, HWND Description,
                     const std::array<PictureBox *, SwitchCount> &pics,
                     ScreenReaderNotes &screenReaders, std::function<void(HWND)> moveKeyboardFocus)
    : m_txtFreq(txtFreq), m_Description(Description), m_pics(pics),
      m_frequencyColour(Design::control("txtFreq").foreground), m_screenReaders(screenReaders),
      m_moveKeyboardFocus(std::move(moveKeyboardFocus))
{
}

std::string Win32View::readFrequencyText()
{
    const int length = GetWindowTextLengthW(m_txtFreq);
    std::wstring text(std::size_t(length) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(m_txtFreq, text.data(), length + 1)));
    return narrow(text);
}

void Win32View::showFrequencyText(const std::string &text)
{
    SetWindowTextW(m_txtFreq, widen(text).c_str());
}

void Win32View::setFrequencyColour(std::uint32_t colour)
{
    if (colour == m_frequencyColour)
        return;
    m_frequencyColour = colour;
    InvalidateRect(m_txtFreq, nullptr, TRUE);
}

void Win32View::setFrequencyBelowBand(bool below)
{
    m_screenReaders.setBelowBand(below);
    m_screenReaders.describe(m_txtFreq, below ? Design::BelowBandText : "");
}

void Win32View::setSwitchPicture(int k, const std::string &fileName, SwitchPosition position)
{
    PictureBox *box = m_pics.at(std::size_t(k - 1));
    box->setPicture(readPictureFile(Win32FileOpener(), fileName));
    box->setSwitchPosition(position == SwitchPosition::On);
}

void Win32View::setDescription(const std::string &text)
{
    SetWindowTextW(m_Description, widen(text).c_str());
}

void Win32View::focusSwitch(int k, FocusCue cue)
{
    PictureBox *box = m_pics.at(std::size_t(k - 1));
    if (cue == FocusCue::Shown)
        return m_moveKeyboardFocus(box->hwnd());
    box->setKeyboardFocus(false);
    if (GetFocus() != box->hwnd())
        SetFocus(box->hwnd());
    else
        InvalidateRect(box->hwnd(), nullptr, FALSE); // its cue goes
}

void Win32View::announce(const SwitchChange &change)
{
    // Screen readers speak a description change of the focused object: the
    // flipped switch's description now holds the frequency. A frequency left
    // in the field is heard as the focus arrives on a switch.
    if (change.flipped)
        NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE,
                       m_pics.at(std::size_t(change.flipped - 1))->hwnd(), OBJID_CLIENT,
                       CHILDID_SELF);
}
