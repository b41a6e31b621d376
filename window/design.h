#pragma once

#include <cstdint>

// The settings window as it is designed: one table that the Qt and the Win32
// window both build from. Lengths are twips, 15 to a pixel at 96 dots per inch.
namespace Design {

inline constexpr int TwipsPerPixel = 15;

// Colours: 0x00BBGGRR, or a system colour as 0x80000000 plus its index.
inline constexpr std::uint32_t SystemColourFlag = 0x80000000;
inline constexpr std::uint32_t WindowBackground = SystemColourFlag | 5;
inline constexpr std::uint32_t WindowText = SystemColourFlag | 8;
inline constexpr std::uint32_t ActiveBorder = SystemColourFlag | 10;
inline constexpr std::uint32_t ButtonFace = SystemColourFlag | 15;
inline constexpr std::uint32_t ButtonText = SystemColourFlag | 18;

enum class Kind { PictureBox, TextBox, Label };

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
};

inline constexpr const char *Caption = "Settings for Corvex:";
inline constexpr int ClientWidth = 4680;
inline constexpr int ClientHeight = 3195;
inline constexpr Font WindowFont{"MS Sans Serif", 8, false};
inline constexpr Font LargeFont{"MS Sans Serif", 24, true};
inline constexpr int FrequencyMaxLength = 5;

inline constexpr const char *SwitchTip = "Click to change position";
inline constexpr Font Inherited{"", 0, false};

// Switches 2 to 8 lie on the window, over the housing's slots.
constexpr Control switchAt(const char *name, int left, int tabIndex, const char *accessibleName)
{
    return {name,
            Kind::PictureBox,
            false,
            left,
            2475,
            120,
            285,
            tabIndex,
            "",
            SwitchTip,
            Inherited,
            WindowBackground,
            WindowText,
            "switch.bmp",
            accessibleName};
}

// Front to back: the first control lies above all others.
inline constexpr Control Controls[] = {
    switchAt("pic8", 2895, 9, "Switch 8"),
    switchAt("pic7", 2715, 8, "Switch 7"),
    switchAt("pic6", 2535, 7, "Switch 6"),
    switchAt("pic5", 2355, 6, "Switch 5"),
    switchAt("pic4", 2175, 5, "Switch 4"),
    switchAt("pic3", 1995, 4, "Switch 3"),
    switchAt("pic2", 1815, 3, "Switch 2"),
    {"txtFreq", Kind::TextBox, false, 1500, 570, 1395, 615, 0, "Text1",
     "Type a frequency between 82,5MHz and 108,0MHz", LargeFont, ActiveBorder, WindowText, "",
     "Frequency in MHz"},
    {"picDIP_SW", Kind::PictureBox, false, 1560, 2280, 1500, 735, 1, "", "", Inherited,
     WindowBackground, WindowText, "picDIP_SW.bmp", "DIP switch"},
    {"pic1", Kind::PictureBox, true, 75, 195, 120, 285, 2, "", SwitchTip, Inherited,
     WindowBackground, WindowText, "switch.bmp", "Switch 1"}, // placed in the housing
    {"Description", Kind::Label, false, 855, 1305, 3270, 840, 11, "Label1", "", Inherited,
     ButtonFace, ButtonText, "", ""},
    {"MHz", Kind::Label, false, 3120, 600, 1200, 615, 10, "MHz", "", LargeFont, ButtonFace,
     ButtonText, "", ""},
};

inline constexpr int pixels(int twips)
{
    return twips / TwipsPerPixel;
}

// The control of that name; the table holds every name the windows ask for.
constexpr const Control &control(const char *name)
{
    for (const Control &c : Controls) {
        const char *a = c.name;
        const char *b = name;
        while (*a && *a == *b)
            ++a, ++b;
        if (*a == *b)
            return c;
    }
    throw "no such control";
}

// Switch k (1..8) is the control "pic<k>".
constexpr const Control &switchControl(int k)
{
    const char name[] = {'p', 'i', 'c', char('0' + k), '\0'};
    return control(name);
}

} // namespace Design
