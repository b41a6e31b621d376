#pragma once

#include "keys.h"
#include "numbertext.h"
#include "settingsview.h"
#include "tuningrecord.h"

// The behaviour of the settings window, one handler per event, run against
// whatever SettingsView the window (or a test) provides.
class SettingsController
{
public:
    explicit SettingsController(SettingsView &view, const NumberText &numbers = NumberText());

    void Form_Load();

    // A press on switch k (1..8): a click, a tap, a screen reader's action.
    // The focus moves to the switch first, so that the field is validated
    // as it leaves, and then the switch flips.
    void switchPressed(int k);

    // Switch picture k flips (1..8).
    void picClick(int k);

    // A key on switch k. The arrows go from switch to switch, stopping at the
    // ends, and flip none; Space flips the switch as a check box does, on its
    // release where it was pressed. A shortcut (Control, Alt or Meta held)
    // and the release of a key held down until it repeats are not the
    // switch's. True when the key is the switch's, so that the toolkit does
    // nothing more with it (a scroll, a dialog's move).
    bool switchKey(int k, SwitchKey key, KeyPhase phase, const KeyModifiers &held = {},
                   bool repeated = false);

    // The focus has left the frequency field: only a move to another control
    // of this window validates it, not the window losing activation or
    // closing.
    void fieldLostFocus(bool toAnotherControlOfThisWindow);

    // The window opened at an address whose fragment (after '#', escaped as
    // addresses are) carries a frequency: its text, decoded and cut where
    // typing into the field would stop, as if typed there and left.
    void openAddress(const std::string &fragment);

    // The frequency now set, in the C notation an address carries.
    std::string frequencyInAddress() const;

    // The channel the switches select: their code, ON a 0 bit.
    int channel() const;

    const NumberText &numbers() const { return m_numbers; }

private:
    // The focus is about to leave the frequency field for another control.
    void txtFreq_Validate();
    // Validates the field; true when the switches moved.
    bool validate();
    void announce(int flipped);
    void FreqToSwitches();
    void SwitchesToFreq();
    void resetToBandStart();
    void showSwitch(int k);
    void showBand(double frequency);

    SettingsView &m_view;
    NumberText m_numbers;
    TuningRecord m_record;
    int m_spacePressedOn = 0; // the switch Space went down on, 0 for none
};
