#pragma once

#include "devicescale.h"
#include "keys.h"
#include "settingsview.h"
#include "tuningrecord.h"

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

// The settings window as it is designed: one table that the Qt and the Win32
// windows and the web page all build from. Lengths are twips, 15 to a pixel at 96 dots per inch.
namespace Design {

inline constexpr int TwipsPerPixel = 15;

// Colours: 0x00BBGGRR, or a system colour as 0x80000000 plus its index.
inline constexpr std::uint32_t SystemColourFlag = 0x80000000;
inline constexpr std::uint32_t WindowBackground = SystemColourFlag | 5;
inline constexpr std::uint32_t WindowText = SystemColourFlag | 8;
inline constexpr std::uint32_t ActiveBorder = SystemColourFlag | 10;
inline constexpr std::uint32_t ButtonFace = SystemColourFlag | 15;
inline constexpr std::uint32_t ButtonText = SystemColourFlag | 18;
// A window border where a toolkit names no such colour: the dialog face with
// this share, in percent, of the button text, set off from the face as the
// classic desktop schemes draw it.
inline constexpr int BorderShadePercent = 12;

enum class Kind { PictureBox, TextBox, Label };

// What a control is to the window: the view writes into the field, the
// instructions and the switches; the housing holds switch 1.
enum class Role { Field, Instructions, Unit, Housing, Switch };

struct Font {
    const char *family;
    int points; // 0: the window's own font
    bool bold;
};

struct Control {
    const char *name;
    Kind kind;
    bool inHousing; // a child of picDIP_SW, placed in its coordinates
    int left, top, width, height;
    int tabIndex;
    const char *text;    // caption or text, empty for pictures
    const char *toolTip; // empty: none
    Font font;
    std::uint32_t background, foreground;
    const char *picture; // embedded picture, empty for none
    const char *accessibleName;
    int switchNumber; // k for switch k (1..8), 0 for every other control
    Role role;
};

inline constexpr const char *Caption = "Settings for Corvex:";
inline constexpr int ClientWidth = 4680;
inline constexpr int ClientHeight = 3195;
inline constexpr Font WindowFont{"MS Sans Serif", 8, false};
inline constexpr Font LargeFont{"MS Sans Serif", 24, true};
inline constexpr int FrequencyMaxLength = FieldLength;

// Faces drawn like the design's, for systems without it: metric-compatible ones first.
inline constexpr const char *FontSubstitutes[] = {"Microsoft Sans Serif", "Liberation Sans",
                                                  "Arimo", "Arial", "Helvetica"};

inline constexpr const char *SwitchTip = "Click to change position";
// What a switch says of its position to screen readers, beside its checked state.
inline constexpr const char *SwitchOnText = "ON";
inline constexpr const char *SwitchOffText = "OFF";
// What the field says of a frequency below the broadcast band, beside its red.
inline constexpr const char *BelowBandText = "Below the FM broadcast band";
inline constexpr Font Inherited{"", 0, false};

// The chart of every channel a page prints or shows beside the window.
inline constexpr const char *ChartTitle = "Channels of the Corvex DIP switch block";
inline constexpr const char *ChartLink = "Chart of all channels";
inline constexpr const char *ChartBack = "Back to the switches";
inline constexpr const char *ChartPrint = "Print the chart";
inline constexpr const char *ChartKey = "Switches 1 to 8 as the block shows them: ON up, OFF down.";
inline constexpr const char *ChartFrequency = "MHz";
inline constexpr const char *ChartTo = "to"; // a part of the chart: "82.5 to 88.8 MHz"
inline constexpr const char *ChartBelowSign = "*";
// The chart's columns, side by side: a printed sheet holds four of 64 channels.
inline constexpr int ChartColumnRows = 64;

// What a screen reader hears as a column's name: "Channels of the Corvex DIP
// switch block, 82.5 to 88.8 MHz".
inline std::string chartColumnName(const std::string &first, const std::string &last)
{
    return std::string(ChartTitle) + ", " + first + " " + ChartTo + " " + last + " " +
           ChartFrequency;
}

// Switches 2 to 8 lie on the window, over the housing's slots.
constexpr Control switchAt(const char *name, int k, int left, const char *accessibleName)
{
    return {name,
            Kind::PictureBox,
            false,
            left,
            2475,
            120,
            285,
            k + 1,
            "",
            SwitchTip,
            Inherited,
            WindowBackground,
            WindowText,
            "switch.bmp",
            accessibleName,
            k,
            Role::Switch};
}

// Front to back: the first control lies above all others.
inline constexpr Control Controls[] = {
    switchAt("pic8", 8, 2895, "Switch 8"),
    switchAt("pic7", 7, 2715, "Switch 7"),
    switchAt("pic6", 6, 2535, "Switch 6"),
    switchAt("pic5", 5, 2355, "Switch 5"),
    switchAt("pic4", 4, 2175, "Switch 4"),
    switchAt("pic3", 3, 1995, "Switch 3"),
    switchAt("pic2", 2, 1815, "Switch 2"),
    {"txtFreq", Kind::TextBox, false, 1500, 570, 1395, 615, 0, "Text1",
     "Type a frequency between 82,5MHz and 108,0MHz", LargeFont, ActiveBorder, WindowText, "",
     "Frequency in MHz", 0, Role::Field},
    {"picDIP_SW", Kind::PictureBox, false, 1560, 2280, 1500, 735, 1, "", "", Inherited,
     WindowBackground, WindowText, "picDIP_SW.bmp", "DIP switch", 0, Role::Housing},
    {"pic1", Kind::PictureBox, true, 75, 195, 120, 285, 2, "", SwitchTip, Inherited,
     WindowBackground, WindowText, "switch.bmp", "Switch 1", 1, Role::Switch}, // in the housing
    {"Description", Kind::Label, false, 855, 1305, 3270, 840, 11, "Label1", "", Inherited,
     ButtonFace, ButtonText, "", "", 0, Role::Instructions},
    {"MHz", Kind::Label, false, 3120, 600, 1200, 615, 10, "MHz", "", LargeFont, ButtonFace,
     ButtonText, "", "", 0, Role::Unit},
};

inline constexpr int pixels(int twips)
{
    return twips / TwipsPerPixel;
}

constexpr bool sameName(const char *a, const char *b)
{
    while (*a && *a == *b)
        ++a, ++b;
    return *a == *b;
}

// The control of that name; the table holds every name the windows ask for.
constexpr const Control &control(const char *name)
{
    for (const Control &c : Controls)
        if (sameName(c.name, name))
            return c;
    throw "no such control";
}

// Switch k (1..8).
constexpr const Control &switchControl(int k)
{
    for (const Control &c : Controls)
        if (c.switchNumber == k)
            return c;
    throw "no such switch";
}

// Tab visits the field, the housing and the switches, which Space flips;
// labels never take the focus.
constexpr bool isTabStop(const Control &c)
{
    return c.kind != Kind::Label;
}

// The tab stops in the order Tab visits them, by their tab index.
inline std::vector<const Control *> tabOrder()
{
    std::vector<const Control *> stops;
    for (int index = 0; index <= int(std::size(Controls)); ++index)
        for (const Control &c : Controls)
            if (c.tabIndex == index && isTabStop(c))
                stops.push_back(&c);
    return stops;
}

// Where Tab leads from `from` (none: from outside the stops), Shift+Tab
// backwards: the stops in a ring, the first after the last. None for a
// shortcut, which is the system's.
inline const Control *tabTarget(const Control *from, const KeyModifiers &held)
{
    if (isShortcut(held))
        return nullptr;
    const std::vector<const Control *> stops = tabOrder();
    std::size_t at = 0;
    while (at < stops.size() && stops[at] != from)
        ++at;
    if (at == stops.size()) // from none of them: the first, or backwards the last
        return held.shift ? stops.back() : stops.front();
    return stops[(at + (held.shift ? stops.size() - 1 : 1)) % stops.size()];
}

// What a screen reader says when the switches change: "87.6 MHz, Switch 1 OFF",
// with the band's words below it.
inline std::string spokenChange(const SwitchChange &change)
{
    std::string said = change.frequency + " " + control("MHz").text;
    if (change.belowBand)
        said += std::string(", ") + BelowBandText;
    if (change.flipped)
        said += std::string(", ") + switchControl(change.flipped).accessibleName + " " +
                (change.position == SwitchPosition::On ? SwitchOnText : SwitchOffText);
    return said;
}

// What a screen reader hears as the description of a switch in `position`
// (its position, then the frequency the field shows: "OFF, 87.6 MHz") or of
// the housing (no position: the frequency alone). A field that shows nothing
// adds nothing.
inline std::string spokenDescription(std::optional<SwitchPosition> position,
                                     const std::string &shown, bool belowBand)
{
    std::string said = !position                         ? ""
                       : *position == SwitchPosition::On ? SwitchOnText
                                                         : SwitchOffText;
    if (!shown.empty())
        said += (said.empty() ? "" : ", ") + spokenChange({shown, belowBand, 0, {}});
    return said;
}

// Where a control's top-left corner lies in window pixels.
constexpr int windowLeft(const Control &c)
{
    return pixels(c.left) + (c.inHousing ? pixels(control("picDIP_SW").left) : 0);
}
constexpr int windowTop(const Control &c)
{
    return pixels(c.top) + (c.inHousing ? pixels(control("picDIP_SW").top) : 0);
}

// On a touch screen (the web page on a phone) the same controls lie closer,
// so that the window fits a small screen in either orientation at twice the
// scale or more, where each lever is large enough for a finger. Twips, in
// window coordinates; a switch's place is its picture's, as on the desktop.
struct Placement {
    const char *name;
    int left, top, width, height;
};

inline constexpr int PhoneClientWidth = 2700;
inline constexpr int PhoneClientHeight = 2580;

constexpr Placement phoneLever(const char *name, int k)
{
    return {name, 675 + 180 * (k - 1), 1935, 120, 285};
}

inline constexpr Placement PhoneArrangement[] = {
    {"txtFreq", 60, 90, 1395, 615},
    {"MHz", 1515, 120, 1170, 615},
    {"Description", 60, 780, 2580, 900},
    {"picDIP_SW", 600, 1740, 1500, 735},
    phoneLever("pic1", 1),
    phoneLever("pic2", 2),
    phoneLever("pic3", 3),
    phoneLever("pic4", 4),
    phoneLever("pic5", 5),
    phoneLever("pic6", 6),
    phoneLever("pic7", 7),
    phoneLever("pic8", 8),
};

// How far a lever's box reaches past its picture on a touch screen, left,
// top, right and bottom: to its neighbours, across the slot's pitch, and
// down its slot, 12 x 24 pixels in all.
inline constexpr int LeverReach[4] = {30, 30, 30, 45};

enum class Arrangement { Desktop, Phone };

// A control's rectangle in window pixels in an arrangement.
struct WindowRect {
    int left, top, width, height;
};

constexpr WindowRect windowRect(const Control &c, Arrangement arrangement)
{
    if (arrangement == Arrangement::Desktop)
        return {windowLeft(c), windowTop(c), pixels(c.width), pixels(c.height)};
    for (const Placement &p : PhoneArrangement)
        if (sameName(p.name, c.name))
            return {pixels(p.left), pixels(p.top), pixels(p.width), pixels(p.height)};
    throw "no such placement";
}

constexpr WindowRect clientRect(Arrangement arrangement)
{
    return arrangement == Arrangement::Desktop
               ? WindowRect{0, 0, pixels(ClientWidth), pixels(ClientHeight)}
               : WindowRect{0, 0, pixels(PhoneClientWidth), pixels(PhoneClientHeight)};
}

// A control's rectangle in device pixels at `dpi`, through the one mapping.
constexpr DeviceRect deviceRect(const Control &c, Arrangement arrangement, int dpi)
{
    const WindowRect r = windowRect(c, arrangement);
    return {deviceOf(r.left, dpi), deviceOf(r.top, dpi), deviceOf(r.left + r.width, dpi),
            deviceOf(r.top + r.height, dpi)};
}

// Where a page lays a control's box, in device pixels within `parent` (or
// the window): a picture box as large as the picture it shows (`picture`,
// none yet: the design's size); on a touch screen a lever reaches past its
// picture as far as LeverReach says, and `reach` tells by how many device
// pixels on each side (top, right, bottom, left), where its focus cue goes.
struct DeviceBox {
    int left, top, width, height;
    int reach[4];
};

constexpr DeviceBox deviceBox(const Control &c, Arrangement arrangement, int dpi,
                              const Control *parent, int pictureWidth = 0, int pictureHeight = 0)
{
    WindowRect r = windowRect(c, arrangement);
    DeviceBox box{0, 0, 0, 0, {0, 0, 0, 0}};
    if (arrangement == Arrangement::Phone && c.switchNumber) {
        const int left = LeverReach[0], top = LeverReach[1], right = LeverReach[2],
                  bottom = LeverReach[3];
        const WindowRect reached{r.left - pixels(left), r.top - pixels(top),
                                 r.width + pixels(left) + pixels(right),
                                 r.height + pixels(top) + pixels(bottom)};
        box.reach[0] = deviceOf(r.top, dpi) - deviceOf(reached.top, dpi);
        box.reach[1] =
            deviceOf(reached.left + reached.width, dpi) - deviceOf(r.left + r.width, dpi);
        box.reach[2] =
            deviceOf(reached.top + reached.height, dpi) - deviceOf(r.top + r.height, dpi);
        box.reach[3] = deviceOf(r.left, dpi) - deviceOf(reached.left, dpi);
        r = reached;
    } else if (pictureWidth > 0 && pictureHeight > 0) {
        r.width = pictureWidth;
        r.height = pictureHeight;
    }
    const WindowRect origin = parent ? windowRect(*parent, arrangement) : WindowRect{};
    box.left = deviceOf(r.left, dpi) - deviceOf(origin.left, dpi);
    box.top = deviceOf(r.top, dpi) - deviceOf(origin.top, dpi);
    box.width = deviceOf(r.left + r.width, dpi) - deviceOf(r.left, dpi);
    box.height = deviceOf(r.top + r.height, dpi) - deviceOf(r.top, dpi);
    return box;
}

// The window's DPI in a page of `ratio` device pixels to the CSS pixel: the
// ratio's own on a desktop; on a touch screen of `roomWidth` x `roomHeight`
// CSS pixels, the phone's arrangement as large as it holds it whole, up to
// three times, and never below one design pixel to the CSS pixel.
inline int windowDpi(double ratio, bool phone, double roomWidth, double roomHeight)
{
    if (!(ratio > 0 && ratio < 64))
        ratio = 1; // an engine's nonsense is no reason to end the window
    if (!phone)
        return int(96 * ratio + 0.5);
    const WindowRect client = clientRect(Arrangement::Phone);
    const int least = int(96 * ratio);
    return largestDpiThatFits(client.width, client.height, roomWidth * ratio, roomHeight * ratio,
                              least, int(96 * ratio * 3));
}

// Every control has its place on a phone, and the levers' boxes touch, never overlap.
static_assert([] {
    for (const Control &c : Controls)
        windowRect(c, Arrangement::Phone);
    const WindowRect one = windowRect(switchControl(1), Arrangement::Phone);
    const WindowRect two = windowRect(switchControl(2), Arrangement::Phone);
    return two.left - one.left == pixels(LeverReach[0] + LeverReach[2]) + one.width;
}());

} // namespace Design
