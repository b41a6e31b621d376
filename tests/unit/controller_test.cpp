#include "address.h"
#include "controller.h"
#include "design.h"
#include "eventguard.h"
#include "recordingview.h"
#include "reporttext.h"
#include "runtimeerror.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <regex>
#include <sstream>
#include <vector>

// The end-to-end table's rows that need no widget, in both languages: clicks,
// typed or pasted text, and the focus leaving the field. Rows that rest on a
// widget (where a click puts the focus, the field's length) are the windows'.
TEST(Controller, TheTableRowsShowWhatTheUserSees)
{
    constexpr std::uint32_t WindowText = 0x80000008, Black = 0, Red = 255;
    const auto blanks = [](const std::string &text) {
        return std::regex_replace(text, std::regex(R"(\\s)"), " ");
    };
    std::ifstream table(CORVEX_CASES);
    int rows = 0;
    for (std::string line; std::getline(table, line);) {
        std::vector<std::string> cells;
        std::istringstream in(line);
        for (std::string cell; std::getline(in, cell, '|');)
            cells.push_back(cell.substr(0, cell.find_last_not_of(' ') + 1)
                                .erase(0, cell.find_first_not_of(' ')));
        if (line.starts_with('#') || cells.size() < 7 || cells[1] != "good" || cells[6] != "0")
            continue;
        std::istringstream words(cells[2]);
        const std::vector<std::string> actions{std::istream_iterator<std::string>(words), {}};
        const std::regex widgetless(
            R"(sel|tab|housing|deactivate|key:BackSpace|click:.*|address(ed)?:.*|(type|paste):.{1,)" +
            std::to_string(Design::FrequencyMaxLength) + "}");
        if (!std::all_of(actions.begin(), actions.end(), [&](const std::string &a) {
                return std::regex_match(blanks(a), widgetless);
            }))
            continue;
        ++rows;
        for (const LocaleFacts *facts : {&CFacts, &GermanFacts}) {
            SCOPED_TRACE(facts->decimalSeparator + " " + cells[0]);
            RecordingView view;
            SettingsController controller(view, NumberText(*facts));
            view.fieldLeft = [&] { controller.fieldLostFocus(true); };
            controller.Form_Load();
            bool handled = false;
            // Each change of the switches is told once to a screen reader,
            // with what the window then shows.
            const NumberText numbers(*facts);
            // A press validates the field it takes the focus from, then flips:
            // told twice when both moved the switches, the flip last.
            const auto heard = [&](auto call, int flipped) {
                const int before = view.code;
                const std::size_t told = view.changes.size();
                call();
                const std::size_t now = view.changes.size();
                if (flipped && now == told + 2)
                    EXPECT_EQ(view.changes[told].flipped, 0);
                else
                    ASSERT_EQ(now, told + (view.code != before));
                const SwitchChange &change =
                    view.changes.empty() ? SwitchChange{} : view.changes.back();
                EXPECT_TRUE(view.code == before ||
                            (numbers.parse(change.frequency) == numbers.parse(view.fieldText) &&
                             change.belowBand == view.belowBand && change.flipped == flipped &&
                             (change.position == SwitchPosition::Off) ==
                                 (flipped && view.code >> (flipped - 1) & 1)));
            };
            for (const std::string &action : actions) {
                const std::string arg = blanks(action.substr(action.find(':') + 1));
                const bool away = action == "tab" || action == "housing";
                if ((away || action == "deactivate") && view.fieldFocused)
                    heard([&] { controller.fieldLostFocus(action != "deactivate"); }, 0);
                view.fieldFocused &= !away;
                handled |= away || action.starts_with("click:");
                // The page opens at the address's text as typed, when there is one:
                // nothing is told then.
                if (action.starts_with("address:") && !arg.empty()) {
                    controller.openAddress(arg);
                    EXPECT_TRUE(view.changes.empty());
                }
                handled |= action.starts_with("address:") && !arg.empty();
                if (action.starts_with("addressed:")) {
                    EXPECT_EQ(controller.frequencyInAddress(), arg);
                }
                if (action.starts_with("click:"))
                    heard([&] { controller.switchPressed(std::stoi(arg)); }, std::stoi(arg));
                else if (action.starts_with("type:") || action.starts_with("paste:"))
                    view.fieldText = arg;
                else if (action == "key:BackSpace")
                    view.fieldText.clear();
            }
            std::string text = cells[3];
            if (text.starts_with('='))
                text = blanks(text.substr(1));
            else if (const auto dot = text.find('.'); dot != std::string::npos)
                text.replace(dot, 1, facts->decimalSeparator);
            EXPECT_EQ(view.fieldText, text);
            EXPECT_EQ(view.colour, cells[4] == "red" ? Red : handled ? Black : WindowText);
            EXPECT_EQ(view.belowBand, cells[4] == "red"); // told, not only shown
            EXPECT_EQ(std::to_string(view.code), cells[5]);
            EXPECT_TRUE(view.picturesMatchPositions);
            EXPECT_EQ(view.description,
                      "Type a frequency into the field\r\nand click on the dip - "
                      "switch\r\nor click on the dip - switch to get the frequency");
        }
    }
    EXPECT_EQ(rows, 35); // every row of the table that needs no widget
}

// The switches' keys, from switch 3 and from the ends: where the focus goes,
// whether the switch flips, and which keys the toolkit keeps.
TEST(Controller, KeysOnASwitch)
{
    struct Row {
        int k;
        std::vector<std::pair<SwitchKey, KeyPhase>> keys;
        int focus;     // where the focus went, 0 for nowhere
        bool flipped;  // switch k stands the other way afterwards
        bool consumed; // the last key's answer
        KeyModifiers held = {};
        bool repeated = false; // the last key comes of a key held down
    };
    using enum SwitchKey;
    const auto down = KeyPhase::Pressed, up = KeyPhase::Released;
    const KeyModifiers shift{true, false, false, false}, control{false, true, false, false},
        alt{false, false, true, false}, meta{false, false, false, true};
    const Row rows[] = {
        {3, {{Left, down}, {Left, up}}, 2, false, true},
        {3, {{Up, down}}, 2, false, true},
        {3, {{Right, down}}, 4, false, true},
        {3, {{Down, down}}, 4, false, true},
        {1, {{Left, down}}, 1, false, true},
        {1, {{Up, down}}, 1, false, true},
        {8, {{Right, down}}, 8, false, true},
        {8, {{Down, down}}, 8, false, true},
        {3, {{Space, down}}, 0, false, true},
        {3, {{Space, down}, {Space, up}}, 0, true, true},
        {3, {{Space, down}, {Space, down}, {Space, up}}, 0, true, true},
        {3, {{Space, up}}, 0, false, true},
        {8, {{Space, down}, {Space, up}, {Space, down}, {Space, up}}, 0, false, true},
        {3, {{Other, down}, {Other, up}}, 0, false, false},
        // Shortcuts are the system's; Shift is no shortcut.
        {3, {{Space, down}, {Space, up}}, 0, false, false, control},
        {3, {{Space, down}, {Space, up}}, 0, false, false, meta},
        {3, {{Right, down}}, 0, false, false, alt},
        {3, {{Space, down}, {Space, up}}, 0, true, true, shift},
        {3, {{Right, down}}, 4, false, true, shift},
        // A held key repeats its press, and in Qt a release before each press.
        {3, {{Right, down}}, 4, false, true, {}, true},
        {3, {{Space, down}, {Space, up}}, 0, false, false, {}, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "switch " << row.k << ", " << row.keys.size() << " keys, focus "
                     << row.focus << ", row " << &row - rows);
        RecordingView view;
        SettingsController controller(view);
        controller.Form_Load();
        const int before = view.code;
        bool consumed = false;
        for (const auto &[key, phase] : row.keys)
            consumed = controller.switchKey(row.k, key, phase, row.held,
                                            row.repeated && &key == &row.keys.back().first);
        EXPECT_EQ(view.focusedSwitch, row.focus);
        if (row.focus) {
            EXPECT_EQ(view.cue, FocusCue::Shown); // the keyboard's focus shows
        }
        EXPECT_EQ(view.code, row.flipped ? before ^ 1 << (row.k - 1) : before);
        EXPECT_EQ(consumed, row.consumed);
    }
    // Space released on another switch than the one it went down on flips neither.
    RecordingView view;
    SettingsController controller(view);
    controller.Form_Load();
    const int before = view.code;
    controller.switchKey(3, SwitchKey::Space, KeyPhase::Pressed);
    controller.switchKey(4, SwitchKey::Space, KeyPhase::Released);
    EXPECT_EQ(view.code, before);
}

// A press on a switch (a click, a tap, a screen reader's action) takes the
// focus from the field, which validates what was typed, and then flips.
TEST(Controller, APressValidatesTheFieldFirst)
{
    RecordingView view;
    SettingsController controller(view);
    view.fieldLeft = [&] { controller.fieldLostFocus(true); };
    controller.Form_Load();
    view.fieldText = "95.3"; // code 128
    controller.switchPressed(1);
    EXPECT_EQ(view.focusedSwitch, 1);
    EXPECT_EQ(view.cue, FocusCue::Hidden); // a pointer's focus shows no cue
    EXPECT_EQ(view.code, 129);
    EXPECT_EQ(view.fieldText, "95.4");
    controller.switchPressed(1); // the focus is there already: no validation
    EXPECT_EQ(view.code, 128);
    EXPECT_EQ(view.fieldText, "95.3");
}

// What an address's fragment puts into the field, written out by hand.
TEST(Controller, AnAddressIsTypedAsTheFieldTakesIt)
{
    const struct {
        std::string fragment, typed;
    } rows[] = {
        {"98.3", "98.3"},
        {"98%2C3", "98,3"},
        {"%39%35%2e%33", "95.3"},
        {"123456789", "12345"}, // where typing stops
        {"%C3%A9%C3%A9%C3%A9%C3%A9%C3%A9%C3%A9",
         "\u00e9\u00e9\u00e9\u00e9\u00e9"}, // characters, not bytes
        {"%E2%88%9295", "\u221295"},        // a minus sign of three bytes
        {"95.3%", "95.3"},                  // an escape cut off
        {"95%2", "95"},
        {"9%zz", "9"},
        {"%FF", ""}, // no text at all
        {"%", ""},
        {"", ""},
        {std::string(100, '%') + "41", ""},
        {std::string(100000, '9') + "%", "99999"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(typedFromAddress(row.fragment), row.typed) << row.fragment;
    // The field shows it, and validates it with nothing told.
    RecordingView view;
    SettingsController controller(view);
    controller.Form_Load();
    controller.openAddress("98%2C3");
    EXPECT_EQ(view.fieldText, "98,3");
    EXPECT_EQ(view.code, 158);
    EXPECT_TRUE(view.changes.empty());
}

// Tab and Shift+Tab from each stop, and from none.
TEST(Design, TabGoesRoundTheStops)
{
    const char *ring[] = {"txtFreq", "picDIP_SW", "pic1", "pic2", "pic3",
                          "pic4",    "pic5",      "pic6", "pic7", "pic8"};
    const KeyModifiers tab{}, back{true, false, false, false};
    for (std::size_t i = 0; i < std::size(ring); ++i) {
        SCOPED_TRACE(ring[i]);
        const Design::Control *from = &Design::control(ring[i]);
        EXPECT_STREQ(Design::tabTarget(from, tab)->name, ring[(i + 1) % std::size(ring)]);
        EXPECT_STREQ(Design::tabTarget(from, back)->name,
                     ring[(i + std::size(ring) - 1) % std::size(ring)]);
    }
    EXPECT_STREQ(Design::tabTarget(nullptr, tab)->name, "txtFreq");
    EXPECT_STREQ(Design::tabTarget(nullptr, back)->name, "pic8");
    EXPECT_STREQ(Design::tabTarget(&Design::control("MHz"), tab)->name, "txtFreq");
    for (const KeyModifiers shortcut :
         {KeyModifiers{false, true, false, false}, KeyModifiers{false, false, true, false},
          KeyModifiers{false, false, false, true}})
        EXPECT_EQ(Design::tabTarget(&Design::control("pic1"), shortcut), nullptr);
}

// What a screen reader hears as a switch's and the housing's description.
TEST(Design, SpokenDescriptions)
{
    using enum SwitchPosition;
    const struct {
        std::optional<SwitchPosition> position;
        std::string shown;
        bool below;
        std::string said;
    } rows[] = {
        {On, "87.6", false, "ON, 87.6 MHz"},
        {Off, "87,4", true, "OFF, 87,4 MHz, Below the FM broadcast band"},
        {std::nullopt, "95.3", false, "95.3 MHz"},
        {Off, "", false, "OFF"},
        {std::nullopt, "", true, ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(Design::spokenDescription(row.position, row.shown, row.below), row.said);
}

// The first error that escapes a handler is kept, and no handler runs after it.
TEST(EventGuard, KeepsTheFirstErrorAndRunsNoMore)
{
    int ended = 0, ran = 0;
    EventGuard guard([&] { ++ended; });
    EXPECT_TRUE(guard.run([&] { ++ran; }));
    EXPECT_FALSE(guard.run([] { throw RuntimeError("first"); }));
    EXPECT_FALSE(guard.run([] { throw RuntimeError("second"); }));
    EXPECT_FALSE(guard.run([&] { ++ran; }));
    guard.fail(std::make_exception_ptr(RuntimeError("third"))); // as a window procedure reports
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(reportText(guard.error()).happened, "first");
}
