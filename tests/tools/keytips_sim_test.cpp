// keytips-sim as a person runs it from the command line: the built program, its exit status and what
// it prints.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/sim_world_test.hpp"

namespace {

using test_support::PrintTo;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Runs keytips-sim with the arguments; its exit status and both outputs.
Outcome run(const std::vector<std::string>& args) {
    const std::string base = ::testing::TempDir() + "keytips-sim-" + std::to_string(::getpid());
    std::string command = shellQuoted(KEYTIPS_SIM_PATH);
    for (const std::string& arg : args) {
        command += " " + shellQuoted(arg);
    }
    command += " >" + shellQuoted(base + ".out") + " 2>" + shellQuoted(base + ".err");
    const int raw = std::system(command.c_str());
    Outcome result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = readFile(base + ".out");
    result.err = readFile(base + ".err");
    std::remove((base + ".out").c_str());
    std::remove((base + ".err").c_str());
    return result;
}

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

// The position of a line in the output; fails the test when it is missing.
std::size_t positionOf(const std::string& text, const std::string& part) {
    const std::size_t at = text.find(part);
    EXPECT_NE(at, std::string::npos) << "missing: " << part << "\n" << text;
    return at;
}

// Fails the test unless the parts stand in the text in this order and none of the absent ones does.
void expectInOrder(const std::string& text, const std::vector<std::string>& parts,
                   const std::vector<std::string>& absent) {
    std::size_t from = 0;
    for (const std::string& part : parts) {
        const std::size_t at = text.find(part, from);
        ASSERT_NE(at, std::string::npos) << "missing, or out of order: " << part << "\n" << text;
        from = at + part.size();
    }
    for (const std::string& part : absent) {
        EXPECT_EQ(text.find(part), std::string::npos) << "unexpected: " << part << "\n" << text;
    }
}

// ---- Bad input: a message, a non-zero exit, nothing typed ----

struct BadInput {
    std::string name;
    std::vector<std::string> args;
    std::vector<std::string> message;  // parts of the error output
};

class BadInputTest : public ::testing::TestWithParam<BadInput> {};

TEST_P(BadInputTest, ExitsNonZeroWithAMessageAndTypesNothing) {
    const Outcome result = run(GetParam().args);
    EXPECT_NE(result.status, 0);
    EXPECT_EQ(result.out, "");  // no host started, no key typed
    for (const std::string& part : GetParam().message) {
        EXPECT_NE(result.err.find(part), std::string::npos) << "missing \"" << part << "\" in:\n"
                                                            << result.err;
    }
}

const std::string acceptedWords = "accepted words: a-z A-Z 0-9, escape esc return enter";

INSTANTIATE_TEST_SUITE_P(
    Cases, BadInputTest,
    ::testing::Values(
        BadInput{"MisspeltKeyAfterValidOnes", {"option", "h", "escap"}, {"\"escap\"", acceptedWords}},
        BadInput{"LettersRunTogether", {"option", "fc"}, {"\"fc\"", "f,c", acceptedWords}},
        BadInput{"ChordOfANonModifier", {"option", "x+h"}, {"\"x+h\"", "\"x\" is not a modifier"}},
        BadInput{"ChordWithoutKey", {"cmd+"}, {"\"cmd+\"", acceptedWords}},
        BadInput{"ReleaseOfAModifierNotHeld", {"-shift"}, {"\"-shift\"", "not held"}},
        BadInput{"EmptyWordBetweenCommas", {"option", "h,,1"}, {"empty word"}},
        BadInput{"ControlCharacterNamedInTheMessage", {"option", "\t"}, {"\"Tab\""}},
        BadInput{"UnknownHost", {"--host", "writer"}, {"unknown host \"writer\"", "usage:"}},
        BadInput{"MissingValue", {"option", "--language"}, {"--language needs a value", "usage:"}},
        BadInput{"OptionInThePlaceOfAValue", {"--language", "--log", "option"}, {"--language needs a value"}},
        BadInput{"UnknownOption", {"--fast"}, {"unknown option --fast", "usage:"}},
        BadInput{"SettingNeitherOnNorOff", {"--setting", "yes"}, {"--setting takes on or off", "usage:"}},
        BadInput{"TooManyToolbarButtons", {"--toolbar", "21"}, {"--toolbar takes a number from 0 to 20"}},
        BadInput{"UnknownContextualTab", {"--contextual", "Table,Nope"}, {"no contextual tab \"Nope\""}},
        BadInput{"ColumnSelectorInThePresentationHost",
                 {"--column-selector", "--host", "presentation"},
                 {"spreadsheet host only"}},
        BadInput{"ClickForTheColumnSelector", {"--column-selector", "click"}, {"keys only"}}),
    test_support::NameOfCase());

// ---- What an unknown word's message suggests, first to last ----

struct Suggestion {
    std::string name;
    std::string word;
    std::vector<std::string> suggested;  // in this order in the error output
    std::vector<std::string> absent;
};

class SuggestionTest : public ::testing::TestWithParam<Suggestion> {};

TEST_P(SuggestionTest, NamesWhatWasMeantFirst) {
    const Outcome result = run({"option", GetParam().word});
    EXPECT_NE(result.status, 0);
    EXPECT_EQ(result.out, "");
    expectInOrder(result.err, GetParam().suggested, GetParam().absent);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SuggestionTest,
    ::testing::Values(
        // A named key with a capital: the key's word in lower case, then its letters.
        Suggestion{"CapitalisedReturn", "Return", {"\"Return\"", "\"return\"", "R,e,t,u,r,n"}, {}},
        Suggestion{"CapitalisedEsc", "Esc", {"\"Esc\"", "\"esc\"", "E,s,c"}, {}},
        // Letters that make no word in lower case: only the letters.
        Suggestion{"CapitalisedLettersRunTogether", "Fc", {"\"Fc\"", "F,c", acceptedWords}, {"\"fc\""}}),
    test_support::NameOfCase());

// ---- Every key a user types ----

struct KeyWord {
    std::string name;
    std::vector<std::string> args;
    std::vector<std::string> lines;  // printed in this order
    std::vector<std::string> absent;
};

class KeyWordTest : public ::testing::TestWithParam<KeyWord> {};

TEST_P(KeyWordTest, TypesTheKeysAKeyboardSends) {
    const Outcome result = run(GetParam().args);
    ASSERT_EQ(result.status, 0) << result.err;
    expectInOrder(result.out, GetParam().lines, GetParam().absent);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyWordTest,
    ::testing::Values(
        // Escape by its short name leaves the mode instead of typing e, s and c.
        KeyWord{"EscByShortName",
                {"option", "h", "esc"},
                {"> esc\n  key down 53 Escape: swallowed\n"},
                {"key down 14", "AXShowMenu"}},
        KeyWord{"EnterByShortName", {"option", "enter"}, {"key down 36 Return: passed to the host"}, {}},
        KeyWord{"ShortModifierNames",
                {"opt", "ctrl", "cmd"},
                {"flags changed 58 (Option down)", "flags changed 59 (Control down)",
                 "flags changed 55 (Command down)"},
                {}},
        KeyWord{"TabAndDeleteByName", {"tab", "delete"}, {"key down 48 Tab", "key down 51 Delete"}, {"\t"}},
        // A capital is typed with Shift held; the Shift press ends key-tip mode, as on a host.
        KeyWord{"CapitalWithShift",
                {"option", "H"},
                {"> H\n  flags changed 56 (Shift down): passed to the host\n"
                 "  key down 4 \"H\" with Shift: ",
                 "flags changed 56 (Shift up): passed to the host", "labels: none\n"},
                {"AXPress on AXRadioButton \"Home\""}},
        KeyWord{"RightOptionStartsTheMode",
                {"ropt", "h", "1"},
                {"flags changed 61 (right Option down)", "action AXPress on AXCheckBox \"Bold\""},
                {}},
        KeyWord{"RightOptionChord",
                {"ropt+h"},
                {"flags changed 61 (right Option down)", "key down 4 \"h\" with Option",
                 "flags changed 61 (right Option up)"},
                {}},
        // One press of Shift held over two keys: both carry its flag.
        KeyWord{"ModifierHeldAcrossWords",
                {"+shift", "a", "b", "-shift"},
                {"> +shift\n  flags changed 56 (Shift down)", "key down 0 \"A\" with Shift",
                 "key down 11 \"B\" with Shift", "> -shift\n  flags changed 56 (Shift up)"},
                {}},
        KeyWord{"ChordPressesInOrderAndReleasesInReverse",
                {"cmd+shift+k"},
                {"flags changed 55 (Command down)", "flags changed 56 (Shift down)",
                 "key down 40 \"K\" with Command+Shift", "flags changed 56 (Shift up)",
                 "flags changed 55 (Command up)"},
                {}},
        // Keys joined by commas are typed before the host's queue runs, and still act in order.
        KeyWord{"KeysAheadOfTheQueue",
                {"option", "h,1"},
                {"> h,1\n  key down 4 \"h\": swallowed\n  key down 18 \"1\": swallowed\n",
                 "action AXPress on AXCheckBox \"Bold\""},
                {}},
        // Keys typed while another application is frontmost never reach the host's monitors.
        KeyWord{"KeysGoToTheFrontmostApplication",
                {"option", "resign", "h", "activate", "option", "h", "1"},
                {"> h\n  key down 4 \"h\": typed into the other application\n  labels: none\n",
                 "action AXPress on AXCheckBox \"Bold\""},
                {}},
        KeyWord{"SettingOff",
                {"--setting", "off", "option", "h", "1"},
                {"key down 4 \"h\": passed to the host", "key down 18 \"1\": passed to the host"},
                {"action AXPress"}},
        KeyWord{"SettingSwitchedOnDuringTheRun",
                {"--setting", "off", "option", "enable", "option", "h", "1"},
                {"> enable\n  the add-in's setting is now on", "action AXPress on AXCheckBox \"Bold\""},
                {}},
        KeyWord{"SettingSwitchedOffDuringTheRun",
                {"option", "disable", "h"},
                {"> disable\n  the add-in's setting is now off", "key down 4 \"h\": passed to the host"},
                {}},
        KeyWord{"FiveToolbarButtons", {"--toolbar", "5", "option"}, {"labels: 1 2 3 4 5 H "}, {}},
        KeyWord{"NoToolbarButtons", {"--toolbar", "0", "option"}, {"labels: H N "}, {}},
        KeyWord{"OneContextualTab",
                {"--contextual", "Table", "option"},
                {"labels: 1 2 3 H N D P M A R W L B E\n"},
                {}},
        KeyWord{
            "NoContextualTab", {"--contextual", "", "option"}, {"labels: 1 2 3 H N D P M A R W L B\n"}, {}},
        // The empty language is one the host may report: not English, so the alert shows.
        KeyWord{"EmptyLanguage", {"--language", "", "option"}, {"(empty language)", "alert \""}, {}},
        // Printed in the order it happened: the alert among the start-up log lines, a focus before
        // the press it precedes.
        KeyWord{
            "AlertAmongTheLogLines",
            {"--language", "fr-FR", "--log", "option"},
            {"log: VELKARO Locale: System fr-FR", "alert \"", "log: VELKARO || Event monitors initialized"},
            {}},
        KeyWord{"FocusBeforePress",
                {"option", "h", "f,f"},
                {"set AXFocused on AXComboBox \"Font:\"\n  action AXPress on AXComboBox \"Font:\""},
                {}}),
    test_support::NameOfCase());

// ---- Keys repeated inside a layer: one control on screen, one press ----

struct OnePress {
    std::string name;
    std::vector<std::string> args;
    std::string pressed;
};

class OnePressTest : public ::testing::TestWithParam<OnePress> {};

TEST_P(OnePressTest, PressesOnlyTheControlOnScreen) {
    const Outcome result = run(GetParam().args);
    ASSERT_EQ(result.status, 0) << result.err;
    const std::size_t typed = result.out.rfind("> " + GetParam().args.back() + "\n");
    ASSERT_NE(typed, std::string::npos) << result.out;
    const std::string afterLastKey = result.out.substr(typed);
    EXPECT_EQ(count(afterLastKey, "action AXPress"), 1U) << afterLastKey;
    EXPECT_NE(afterLastKey.find("action AXPress on " + GetParam().pressed), std::string::npos)
        << afterLastKey;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OnePressTest,
    ::testing::Values(
        OnePress{"RulerUS", {"--language", "en-US", "option", "w", "r"}, "AXCheckBox \"Ruler\""},
        OnePress{"RulerUK", {"--language", "en-GB", "option", "w", "r"}, "AXCheckBox \"Ruler\""},
        OnePress{"CustomViewsUK", {"--language", "en-GB", "option", "w", "c"}, "AXButton \"Custom Views\""},
        OnePress{"UnhideUK", {"--language", "en-GB", "option", "w", "u"}, "AXButton \"Unhide\""},
        OnePress{"FreezeTopRowInItsMenuUK",
                 {"--language", "en-GB", "option", "w", "f", "r"},
                 "AXMenuButton \"Freeze Top Row\""},
        // The Freeze Panes menu closed when its item was chosen: the next "r" is the View tab's alone.
        OnePress{"RulerAfterFreezeTopRowUK",
                 {"--language", "2057", "option", "w", "f", "r", "option", "w", "r"},
                 "AXCheckBox \"Ruler\""},
        OnePress{"DesignerUS", {"--host", "presentation", "option", "g", "d"}, "AXCheckBox \"Designer\""},
        OnePress{"DesignerUK",
                 {"--host", "presentation", "--language", "en-GB", "option", "g", "d"},
                 "AXCheckBox \"Designer\""}),
    test_support::NameOfCase());

// ---- The screen after an item of a menu or gallery is chosen: the menu is gone ----

struct ChosenItem {
    std::string name;
    std::vector<std::string> args;
    std::string control;   // a control of the tab, on screen
    std::string menuItem;  // another item of the menu, gone with it
};

class ChosenItemTest : public ::testing::TestWithParam<ChosenItem> {};

TEST_P(ChosenItemTest, LeavesNoMenuInThePicture) {
    const std::string svg = ::testing::TempDir() + "keytips-sim-" + std::to_string(::getpid()) + ".svg";
    std::vector<std::string> args{"--svg", svg};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const Outcome result = run(args);
    const std::string picture = readFile(svg);
    std::remove(svg.c_str());
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(picture.find(">" + GetParam().control + "<"), std::string::npos) << picture;
    EXPECT_EQ(picture.find(">" + GetParam().menuItem + "<"), std::string::npos) << picture;
}

INSTANTIATE_TEST_SUITE_P(Cases, ChosenItemTest,
                         ::testing::Values(ChosenItem{"FreezeTopRowUK",
                                                      {"--language", "2057", "option", "w", "f", "r"},
                                                      "Freeze Panes",
                                                      "Unfreeze Panes"},
                                           ChosenItem{
                                               "AutomaticFontColor",
                                               {"--host", "presentation", "option", "h", "f", "c", "a"},
                                               "Font Color",
                                               "More Colors..."}),
                         test_support::NameOfCase());

// ---- The column selector ----

TEST(ColumnSelector, RemapsInTheSpreadsheetHostAndPassesElsewhere) {
    const Outcome result =
        run({"--column-selector", "cmd+space", "opt+shift+right", "opt+shift+left", "resign", "cmd+space"});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string& out = result.out;
    EXPECT_NE(
        out.find("start: initializeEventMonitor in the simulated spreadsheet host (en-US), on a thread of "
                 "its own\n  log: "),
        std::string::npos)
        << out;
    // Command+Space becomes Control+Space.
    EXPECT_NE(out.find("  key down 49 \" \" with Command: deleted\n"
                       "    posted flags changed 59 down, flags 0x0\n"
                       "    posted key down 49, flags 0x40000 (Control)\n"
                       "    posted key up 49, flags 0x40000 (Control)\n"
                       "    posted flags changed 59 up, flags 0x0\n"),
              std::string::npos)
        << out;
    // Option+Shift+Right and Left become Command+Shift+K and Command+Shift+J.
    EXPECT_NE(out.find("  key down 124 with Option+Shift: deleted\n"
                       "    posted flags changed 55 down, flags 0x100000 (Command)\n"
                       "    posted flags changed 56 down, flags 0x120000 (Command+Shift)\n"
                       "    posted key down 40, flags 0x120000 (Command+Shift)\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("  key down 123 with Option+Shift: deleted\n"
                       "    posted flags changed 55 down, flags 0x100000 (Command)\n"
                       "    posted flags changed 56 down, flags 0x120000 (Command+Shift)\n"
                       "    posted key down 38, flags 0x120000 (Command+Shift)\n"),
              std::string::npos)
        << out;
    // With another application frontmost, the same keys reach it unchanged.
    const std::string afterResign = out.substr(positionOf(out, "> resign\n"));
    EXPECT_NE(afterResign.find("  key down 49 \" \" with Command: passed to the host\n"), std::string::npos)
        << afterResign;
    EXPECT_EQ(afterResign.find("posted"), std::string::npos) << afterResign;
}

TEST(ColumnSelector, SwitchedOffByTheAddInPassesEveryKey) {
    const Outcome result = run({"--column-selector", "disable", "cmd+space", "enable", "cmd+space"});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string& out = result.out;
    const std::size_t disabled = positionOf(out, "> disable\n");
    const std::size_t enabled = positionOf(out, "> enable\n");
    const std::string off = out.substr(disabled, enabled - disabled);
    EXPECT_NE(off.find("log: Function will return: false"), std::string::npos) << off;
    EXPECT_NE(off.find("key down 49 \" \" with Command: passed to the host"), std::string::npos) << off;
    EXPECT_NE(out.substr(enabled).find("key down 49 \" \" with Command: deleted"), std::string::npos) << out;
}

}  // namespace
