#pragma once

// A key as any toolkit reports it: what the window needs to tell its keys apart.
enum class SwitchKey { Left, Up, Right, Down, Space, Other };
enum class KeyPhase { Pressed, Released };

// The modifiers held with a key. Meta is the Windows or Command key.
struct KeyModifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;
    bool meta = false;
};

// A key with Control, Alt or Meta held is a shortcut of the system's or the
// browser's, never a key of a control of this window.
constexpr bool isShortcut(const KeyModifiers &held)
{
    return held.control || held.alt || held.meta;
}
