#pragma once

#include "composition.h"
#include "controller.h"
#include "design.h"
#include "devicescale.h"
#include "eventguard.h"
#include "runtimeerror.h"
#include "webview.h"

#include <array>
#include <emscripten/val.h>
#include <map>
#include <string>
#include <variant>
#include <vector>

// The settings window in a web page: the page builds the controls from the
// design and routes their events here, where the controller and the design
// decide what they mean.
// Every entry point runs inside the event guard, so no exception reaches
// JavaScript: an entry that returns false has ended the window, and
// report() then says why.
class frmSettings
{
public:
    // `view` has the view methods; the locale's decimal separator,
    // minus sign and zero digit come from the browser's first language;
    // `folder` is the page's own address, where its pictures lie.
    frmSettings(emscripten::val view, const std::string &decimalSeparator,
                const std::string &minusSign, const std::string &zeroDigit, std::string folder);

    // The page fetched a picture file: its bytes at HTTP status 200, or the
    // status the server gave (0: no answer at all). `size` is what the server
    // said the whole file holds, or -1; bytes beyond the largest file a
    // picture may be are never fetched.
    bool stage(const std::string &fileName, int status, const emscripten::val &bytes, double size);

    // Reads a picture staged anew, as the next event would: a file that is
    // gone or not a picture ends the window now.
    bool check(const std::string &fileName);

    bool load(); // the load event: the housing's picture, then Form_Load
    bool click(int k);
    // A key pressed or released on switch k, by its KeyboardEvent.key, the
    // modifiers held (1 Shift, 2 Control, 4 Alt, 8 Meta) and whether it
    // repeats: true when it is the switch's own, whose default the page then
    // prevents.
    bool key(int k, const std::string &name, bool released, int modifiers, bool repeated);
    bool leaveField(bool toAnotherControl);
    // The page opened at an address whose fragment (after '#', as the
    // address holds it) carries a frequency: as if typed and left.
    bool open(const std::string &fragment);
    std::string address() const; // the frequency an address carries now
    int channel() const;         // the chart's row the switches select

    // Every channel, lowest first, in the chart's columns: [{name, rows:
    // [{frequency, below, on: [SwitchCount booleans]}]}] in the user's notation.
    emscripten::val chart();

    bool failed() const { return m_guard.failed(); }
    // The report's parts: {title, opening, happened, folder, reason, whatToDo}.
    emscripten::val report() const;

    // The housing and the switches in device pixels at `dpi`, RGBA over the
    // whole client area of the desktop's or the phone's arrangement, clear
    // where neither lies: valid until the next call.
    emscripten::val block(int dpi, bool phone);

    // The switches in `changed` (bit k - 1 for switch k) drawn again on the
    // last block: {left, top, width, height, rgba} of the one region they
    // covered and cover now, all that changed.
    emscripten::val levers(int changed);

private:
    std::shared_ptr<const Picture> readStaged(const std::string &fileName) const;
    // Switch k's picture at the block's scale where it lies: the region drawn again.
    DeviceRect showSwitch(int k);

    EventGuard m_guard;
    std::string m_folder;
    // Each picture the page fetched, decoded, or why it cannot be shown.
    std::map<std::string, std::variant<std::shared_ptr<const Picture>, FileError>> m_staged;
    WebView m_view;
    SettingsController m_controller;
    Picture m_housing;
    int m_dpi = 96;
    Design::Arrangement m_arrangement = Design::Arrangement::Desktop;
    Composition m_block; // the housing, then switches 1 to 8
    std::vector<std::uint8_t> m_region;
};

// Whether bytes the page holds are a picture the window can show, as the
// reader decodes it: a kept copy that is not stands in for nothing.
bool isPicture(const emscripten::val &bytes);

// Where the page lays the control `name` at `dpi`: {left, top, width,
// height, reach} in device pixels, within the housing when `inHousing`; a
// picture box as large as its picture (0 x 0: none yet).
emscripten::val deviceBox(const std::string &name, bool phone, int dpi, bool inHousing,
                          int pictureWidth, int pictureHeight);

// The design as the page builds it: every control's kind, words and colours,
// its layer (higher lies above), the tab order, the caption and the client size.
emscripten::val designTable();
