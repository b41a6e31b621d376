#include "controller.h"
#include "design.h"
#include "recordingview.h"

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
            controller.Form_Load();
            // The focus starts in the field; a click elsewhere takes it from
            // there (validating it) before the click is handled.
            bool handled = false;
            // Each change of the switches is told once to a screen reader,
            // with what the window then shows.
            const NumberText numbers(*facts);
            const auto heard = [&](auto call, int flipped) {
                const int before = view.code;
                const std::size_t told = view.changes.size();
                call();
                ASSERT_EQ(view.changes.size(), told + (view.code != before));
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
                const bool away =
                    action == "tab" || action == "housing" || action.starts_with("click:");
                if ((away || action == "deactivate") && !handled)
                    heard([&] { controller.fieldLostFocus(action != "deactivate"); }, 0);
                handled |= away;
                // The page opens at the address's text as typed, when there is one:
                // nothing is told then.
                if (action.starts_with("address:") && !arg.empty()) {
                    controller.openWith(arg.substr(0, Design::FrequencyMaxLength));
                    EXPECT_TRUE(view.changes.empty());
                }
                handled |= action.starts_with("address:") && !arg.empty();
                if (action.starts_with("addressed:")) {
                    EXPECT_EQ(controller.frequencyInAddress(), arg);
                }
                if (action.starts_with("click:"))
                    heard([&] { controller.picClick(std::stoi(arg)); }, std::stoi(arg));
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
    EXPECT_GE(rows, 25); // the table was read
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
    };
    using enum SwitchKey;
    const auto down = KeyPhase::Pressed, up = KeyPhase::Released;
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
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(::testing::Message() << "switch " << row.k << ", " << row.keys.size()
                                          << " keys, focus " << row.focus);
        RecordingView view;
        SettingsController controller(view);
        controller.Form_Load();
        const int before = view.code;
        bool consumed = false;
        for (const auto &[key, phase] : row.keys)
            consumed = controller.switchKey(row.k, key, phase);
        EXPECT_EQ(view.focusedSwitch, row.focus);
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
