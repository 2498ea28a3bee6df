#include "keys.hpp"

#include <array>
#include <cctype>
#include <utility>

namespace keytips::sim {

namespace appkit = platform::appkit;

namespace {

appkit::Event keyDown(std::uint16_t keyCode, std::optional<std::string> characters,
                      appkit::ModifierFlags flags = 0) {
    return {appkit::EventType::keyDown, keyCode, flags, std::move(characters)};
}

appkit::Event flagsChanged(std::uint16_t keyCode, appkit::ModifierFlags flags) {
    return {appkit::EventType::flagsChanged, keyCode, flags, std::nullopt};
}

// Virtual key codes of the letters and digits on a US keyboard.
std::optional<std::uint16_t> characterKeyCode(char c) {
    static constexpr std::array<std::pair<char, std::uint16_t>, 36> codes = {{
        {'a', 0},  {'s', 1},  {'d', 2},  {'f', 3},  {'h', 4},  {'g', 5},  {'z', 6},  {'x', 7},  {'c', 8},
        {'v', 9},  {'b', 11}, {'q', 12}, {'w', 13}, {'e', 14}, {'r', 15}, {'y', 16}, {'t', 17}, {'1', 18},
        {'2', 19}, {'3', 20}, {'4', 21}, {'6', 22}, {'5', 23}, {'9', 25}, {'7', 26}, {'8', 28}, {'0', 29},
        {'o', 31}, {'u', 32}, {'i', 34}, {'p', 35}, {'l', 37}, {'j', 38}, {'k', 40}, {'n', 45}, {'m', 46},
    }};
    for (const auto& [character, code] : codes) {
        if (character == c) {
            return code;
        }
    }
    return std::nullopt;
}

struct Modifier {
    std::string_view word;
    std::uint16_t keyCode;
    appkit::ModifierFlags flag;
};

constexpr std::array<Modifier, 4> modifiers = {{
    {"option", 58, appkit::optionFlag},
    {"shift", 56, appkit::shiftFlag},
    {"control", 59, appkit::controlFlag},
    {"command", 55, appkit::commandFlag},
}};

struct NamedKey {
    std::string_view word;
    std::uint16_t keyCode;
    std::optional<std::string_view> characters;
};

constexpr std::array<NamedKey, 9> namedKeys = {{
    {"escape", 53, "\x1b"},
    {"return", 36, "\r"},
    {"space", 49, " "},
    {"tab", 48, "\t"},
    {"delete", 51, "\x7f"},
    {"left", 123, std::nullopt},
    {"right", 124, std::nullopt},
    {"down", 125, std::nullopt},
    {"up", 126, std::nullopt},
}};

std::optional<appkit::Event> characterKey(std::string_view word, appkit::ModifierFlags flags) {
    for (const NamedKey& key : namedKeys) {
        if (key.word == word) {
            return keyDown(key.keyCode,
                           key.characters ? std::optional<std::string>(*key.characters) : std::nullopt,
                           flags);
        }
    }
    if (word.size() != 1) {
        return std::nullopt;
    }
    const char c = word.front();
    const auto lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::optional<std::uint16_t> code = characterKeyCode(lower);
    if (!code) {
        return std::nullopt;
    }
    const bool upper = c != lower;
    return keyDown(*code, std::string(1, c), flags | (upper ? appkit::shiftFlag : 0));
}

}  // namespace

std::optional<Step> parseStep(std::string_view word) {
    Step step{std::string(word), {}, false};
    if (word == "resign") {
        step.resignActive = true;
        return step;
    }
    if (word == "click" || word == "rightclick") {
        const bool left = word == "click";
        step.events.push_back({left ? appkit::EventType::leftMouseDown : appkit::EventType::rightMouseDown, 0,
                               0, std::nullopt});
        return step;
    }
    for (const Modifier& modifier : modifiers) {
        if (word == modifier.word) {
            step.events.push_back(flagsChanged(modifier.keyCode, modifier.flag));
            step.events.push_back(flagsChanged(modifier.keyCode, 0));
            return step;
        }
    }
    if (word.substr(0, 7) == "option+") {
        const std::optional<appkit::Event> key = characterKey(word.substr(7), appkit::optionFlag);
        if (!key) {
            return std::nullopt;
        }
        step.events.push_back(flagsChanged(58, appkit::optionFlag));
        step.events.push_back(*key);
        step.events.push_back(flagsChanged(58, 0));
        return step;
    }
    if (const std::optional<appkit::Event> key = characterKey(word, 0)) {
        step.events.push_back(*key);
        return step;
    }
    // Several keys in one word ("fc"): typed one after another, faster than the host's queue runs.
    for (std::size_t i = 0; i < word.size(); ++i) {
        const std::optional<appkit::Event> key = characterKey(word.substr(i, 1), 0);
        if (!key || word.size() < 2) {
            return std::nullopt;
        }
        step.events.push_back(*key);
    }
    return step;
}

std::string_view keyWordsHelp() {
    return "  a-z, 0-9      a key (upper case: with Shift)\n"
           "  fc, zw, ...   those keys typed one after another, before the host's main queue runs\n"
           "  option        a lone tap of Option (also shift, control, command)\n"
           "  option+KEY    KEY typed while Option is held\n"
           "  escape return space tab delete left right up down\n"
           "  click rightclick   a left or right mouse-down\n"
           "  resign        the host application stops being active\n";
}

}  // namespace keytips::sim
