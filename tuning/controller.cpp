#include "controller.h"

#include "address.h"

#include <algorithm>
#include <utility>

SettingsController::SettingsController(SettingsView &view, const NumberText &numbers)
    : m_view(view), m_numbers(numbers)
{
}

void SettingsController::Form_Load()
{
    m_record.strPicOn = PicOnName;
    m_record.strPicOff = PicOffName;
    m_record.dblFreq = BandStart;
    m_view.showFrequencyText(m_numbers.format(BandStart));
    FreqToSwitches();
    m_view.setDescription("Type a frequency into the field\r\n"
                          "and click on the dip - switch\r\n"
                          "or click on the dip - switch to get the frequency");
}

void SettingsController::switchPressed(int k)
{
    m_view.focusSwitch(k, FocusCue::Hidden);
    picClick(k);
}

void SettingsController::picClick(int k)
{
    Boolean16 &state = m_record.blnSw(k);
    state = state ? False16 : True16;
    showSwitch(k);
    SwitchesToFreq();
    announce(k);
}

bool SettingsController::switchKey(int k, SwitchKey key, KeyPhase phase, const KeyModifiers &held,
                                   bool repeated)
{
    // A held key repeats as presses, and in some toolkits as release and
    // press pairs: only the press counts again.
    if (isShortcut(held) || (repeated && phase == KeyPhase::Released))
        return false;
    switch (key) {
    case SwitchKey::Left:
    case SwitchKey::Up:
    case SwitchKey::Right:
    case SwitchKey::Down: {
        const int step = key == SwitchKey::Left || key == SwitchKey::Up ? -1 : 1;
        if (phase == KeyPhase::Pressed)
            m_view.focusSwitch(std::clamp(k + step, 1, SwitchCount), FocusCue::Shown);
        return true;
    }
    case SwitchKey::Space:
        if (phase == KeyPhase::Pressed) {
            m_spacePressedOn = k;
        } else if (std::exchange(m_spacePressedOn, 0) == k) {
            picClick(k);
        }
        return true;
    case SwitchKey::Other:
        break;
    }
    return false;
}

void SettingsController::txtFreq_Validate()
{
    if (validate())
        announce(0);
}

bool SettingsController::validate()
{
    const int before = channel();
    const std::optional<double> typed = m_numbers.parse(m_view.readFrequencyText());
    if (!typed || *typed > UpperLimit || *typed < LowerLimit) {
        resetToBandStart();
    } else {
        m_record.dblFreq = *typed;
        // The typed text stays as it is; only the switches move to the channel.
        showBand(m_record.dblFreq);
        FreqToSwitches();
    }
    return channel() != before;
}

void SettingsController::fieldLostFocus(bool toAnotherControlOfThisWindow)
{
    if (toAnotherControlOfThisWindow)
        txtFreq_Validate();
}

void SettingsController::openAddress(const std::string &fragment)
{
    m_view.showFrequencyText(typedFromAddress(fragment));
    validate(); // the window opens there: nothing changed at the user's hand
}

void SettingsController::announce(int flipped)
{
    const bool off = flipped && m_record.blnSw(flipped);
    m_view.announce({m_numbers.format(m_record.dblFreq), isBelowBand(m_record.dblFreq), flipped,
                     off ? SwitchPosition::Off : SwitchPosition::On});
}

std::string SettingsController::frequencyInAddress() const
{
    return NumberText().format(m_record.dblFreq);
}

int SettingsController::channel() const
{
    TuningRecord record = m_record; // the window's own conversion, on a copy
    convertSwitchesToFreq(record);
    return record.intCode;
}

void SettingsController::resetToBandStart()
{
    m_record.dblFreq = BandStart;
    // 87.5 is in the band: a field left red by an earlier value would say otherwise.
    showBand(BandStart);
    m_view.showFrequencyText(m_numbers.format(BandStart));
    FreqToSwitches();
}

void SettingsController::FreqToSwitches()
{
    convertFreqToSwitches(m_record);
    for (int k = 1; k <= SwitchCount; ++k)
        showSwitch(k);
}

void SettingsController::SwitchesToFreq()
{
    convertSwitchesToFreq(m_record);
    showBand(m_record.dblFreq);
    m_view.showFrequencyText(m_numbers.format(m_record.dblFreq));
}

void SettingsController::showSwitch(int k)
{
    const bool off = m_record.blnSw(k);
    m_view.setSwitchPicture(k, off ? m_record.strPicOff : m_record.strPicOn,
                            off ? SwitchPosition::Off : SwitchPosition::On);
}

void SettingsController::showBand(double frequency)
{
    const bool below = isBelowBand(frequency);
    m_view.setFrequencyColour(below ? ColourRed : ColourBlack);
    m_view.setFrequencyBelowBand(below);
}
