#include "keys.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <utility>

#include "platform/appkit.hpp"
#include "sim_hosts/keyboard.hpp"

namespace keytips::sim {

namespace appkit = platform::appkit;
namespace keys = sim_hosts::keys;

namespace {

struct Modifier {
    std::string_view word;
    std::string_view shortWord;
    std::uint16_t keyCode;
    std::uint64_t flag;
    std::string_view name;
};

constexpr std::array<Modifier, 5> modifiers = {{
    {"option", "opt", keys::leftOption, appkit::optionFlag, "Option"},
    {"rightoption", "ropt", keys::rightOption, appkit::optionFlag, "right Option"},
    {"shift", "shift", keys::shift, appkit::shiftFlag, "Shift"},
    {"control", "ctrl", keys::control, appkit::controlFlag, "Control"},
    {"command", "cmd", keys::command, appkit::commandFlag, "Command"},
}};

const Modifier& shiftModifier() { return modifiers[2]; }

const Modifier* modifierNamed(std::string_view word) {
    for (const Modifier& modifier : modifiers) {
        if (word == modifier.word || word == modifier.shortWord) {
            return &modifier;
        }
    }
    return nullptr;
}

struct NamedKey {
    std::string_view word;
    std::string_view shortWord;
    std::uint16_t keyCode;
    std::optional<std::string_view> characters;
};

constexpr std::array<NamedKey, 9> namedKeys = {{
    {"escape", "esc", keys::escape, "\x1b"},
    {"return", "enter", keys::returnKey, "\r"},
    {"space", "space", keys::space, " "},
    {"tab", "tab", keys::tab, "\t"},
    {"delete", "delete", keys::deleteKey, "\x7f"},
    {"left", "left", keys::leftArrow, std::nullopt},
    {"right", "right", keys::rightArrow, std::nullopt},
    {"down", "down", keys::downArrow, std::nullopt},
    {"up", "up", keys::upArrow, std::nullopt},
}};

constexpr std::array<std::pair<std::string_view, Action>, 6> actionWords = {{
    {"click", Action::click},
    {"rightclick", Action::rightClick},
    {"resign", Action::resign},
    {"activate", Action::activate},
    {"enable", Action::enable},
    {"disable", Action::disable},
}};

// A key that is not a modifier: its code, what it types, and whether it needs Shift.
struct Key {
    std::uint16_t keyCode;
    std::optional<std::string> characters;
    bool shifted;
};

std::optional<Key> keyNamed(std::string_view word) {
    for (const NamedKey& key : namedKeys) {
        if (word == key.word || word == key.shortWord) {
            return Key{key.keyCode,
                       key.characters ? std::optional<std::string>(*key.characters) : std::nullopt, false};
        }
    }
    if (word.size() != 1) {
        return std::nullopt;
    }
    const char c = word.front();
    const auto lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::optional<std::uint16_t> code = sim_hosts::characterKeyCode(lower);
    if (!code) {
        return std::nullopt;
    }
    return Key{*code, std::string(1, c), c != lower};
}

// What a letter or digit key types with Shift held on a US keyboard.
std::optional<std::string> shifted(const std::optional<std::string>& characters) {
    if (!characters || characters->size() != 1) {
        return characters;
    }
    const char c = characters->front();
    constexpr std::string_view digits = "1234567890";
    constexpr std::string_view symbols = "!@#$%^&*()";
    if (const std::size_t digit = digits.find(c); digit != std::string_view::npos) {
        return std::string(1, symbols[digit]);
    }
    return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
}

std::string lowercased(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return lower;
}

std::string unknownWord(std::string_view word, std::string_view why) {
    std::string text = "unknown key word \"" + printable(word) + "\"";
    if (!why.empty()) {
        text += " (" + std::string(why) + ")";
    }
    return text +
           "\naccepted words: a-z A-Z 0-9, escape esc return enter space tab delete left right up down, "
           "option opt rightoption ropt shift control ctrl command cmd, MODIFIER+...+KEY, +MODIFIER, "
           "-MODIFIER, click rightclick resign activate enable disable; words joined by commas";
}

// Turns the words into strokes, keeping track of the modifiers held across words.
class Parser {
public:
    // The steps of one word, or the error that names it. A word that is known in lower case
    // ("Return", "Esc") is suggested in lower case first.
    std::optional<std::string> parse(std::string_view part, std::vector<Step>& steps) {
        const std::optional<std::string> why = parseWord(part, steps);
        if (!why) {
            return std::nullopt;
        }
        const std::string lower = lowercased(part);
        std::vector<Step> unused;
        if (lower != part && !Parser(*this).parseWord(lower, unused)) {
            std::string reason = *why;
            if (!reason.empty()) {
                reason.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(reason.front())));
            }
            return unknownWord(
                part, "did you mean \"" + printable(lower) + "\"?" + (reason.empty() ? "" : " " + reason));
        }
        return unknownWord(part, *why);
    }

private:
    // The steps of one word; when it is not understood, why (empty when there is nothing to add).
    std::optional<std::string> parseWord(std::string_view part, std::vector<Step>& steps) {
        if (part.empty()) {
            return "an empty word";
        }
        for (const auto& [word, action] : actionWords) {
            if (part == word) {
                steps.push_back({action, {}});
                return std::nullopt;
            }
        }
        if (part.front() == '+' || part.front() == '-') {
            return holdOrRelease(part, steps);
        }
        if (const Modifier* modifier = modifierNamed(part)) {
            Step step;
            step.strokes.push_back(modifierStroke(*modifier, true, held_ | modifier->flag));
            step.strokes.push_back(modifierStroke(*modifier, false, held_));
            steps.push_back(std::move(step));
            return std::nullopt;
        }
        std::vector<const Modifier*> chord;
        std::string_view rest = part;
        for (std::size_t plus = rest.find('+'); plus != std::string_view::npos; plus = rest.find('+')) {
            const Modifier* modifier = modifierNamed(rest.substr(0, plus));
            if (modifier == nullptr) {
                return "\"" + printable(rest.substr(0, plus)) + "\" is not a modifier";
            }
            chord.push_back(modifier);
            rest = rest.substr(plus + 1);
        }
        const std::optional<Key> key = keyNamed(rest);
        if (!key) {
            if (chord.empty() && part.size() > 1 && std::all_of(part.begin(), part.end(), [](char c) {
                    return keyNamed(std::string_view(&c, 1));
                })) {
                std::string joined;
                for (const char c : part) {
                    joined += std::string(joined.empty() ? "" : ",") + c;
                }
                return "to type its keys one after another ahead of the host's queue: " + joined;
            }
            return "";
        }
        if (key->shifted && std::find(chord.begin(), chord.end(), &shiftModifier()) == chord.end()) {
            chord.push_back(&shiftModifier());
        }
        steps.push_back(typed(*key, chord));
        return std::nullopt;
    }

    static Stroke modifierStroke(const Modifier& modifier, bool down, std::uint64_t flags) {
        return {modifier.keyCode, down, flags, std::nullopt};
    }

    [[nodiscard]] bool isHeld(const Modifier& modifier) const {
        return std::find(heldKeys_.begin(), heldKeys_.end(), &modifier) != heldKeys_.end();
    }

    // "+shift" presses a modifier and keeps it held; "-shift" releases it.
    std::optional<std::string> holdOrRelease(std::string_view part, std::vector<Step>& steps) {
        const Modifier* modifier = modifierNamed(part.substr(1));
        if (modifier == nullptr) {
            return "\"" + printable(part.substr(1)) + "\" is not a modifier";
        }
        const bool press = part.front() == '+';
        if (press == isHeld(*modifier)) {
            return press ? "already held" : "not held";
        }
        if (press) {
            heldKeys_.push_back(modifier);
        } else {
            heldKeys_.erase(std::find(heldKeys_.begin(), heldKeys_.end(), modifier));
        }
        held_ = 0;
        for (const Modifier* still : heldKeys_) {
            held_ |= still->flag;
        }
        steps.push_back({Action::keys, {modifierStroke(*modifier, press, held_)}});
        return std::nullopt;
    }

    // The key typed with the chord's modifiers pressed before it, in order, and released after it,
    // in reverse order; a modifier already held stays as it is.
    [[nodiscard]] Step typed(const Key& key, const std::vector<const Modifier*>& chord) const {
        Step step;
        std::uint64_t flags = held_;
        std::vector<const Modifier*> pressed;
        for (const Modifier* modifier : chord) {
            if (isHeld(*modifier) || std::find(pressed.begin(), pressed.end(), modifier) != pressed.end()) {
                continue;
            }
            flags |= modifier->flag;
            step.strokes.push_back(modifierStroke(*modifier, true, flags));
            pressed.push_back(modifier);
        }
        const std::optional<std::string> characters =
            (flags & appkit::shiftFlag) != 0 ? shifted(key.characters) : key.characters;
        step.strokes.push_back({key.keyCode, true, flags, characters});
        step.strokes.push_back({key.keyCode, false, flags, characters});
        for (auto modifier = pressed.rbegin(); modifier != pressed.rend(); ++modifier) {
            flags = held_;
            for (auto still = pressed.begin(); still != modifier.base() - 1; ++still) {
                flags |= (*still)->flag;
            }
            step.strokes.push_back(modifierStroke(**modifier, false, flags));
        }
        return step;
    }

    std::vector<const Modifier*> heldKeys_;
    std::uint64_t held_ = 0;
};

}  // namespace

std::variant<std::vector<Word>, std::string> parseWords(const std::vector<std::string>& words) {
    Parser parser;
    std::vector<Word> parsed;
    for (const std::string& text : words) {
        Word word{text, {}};
        std::string_view rest = text;
        while (true) {
            const std::size_t comma = rest.find(',');
            if (std::optional<std::string> error = parser.parse(rest.substr(0, comma), word.steps)) {
                return *error;
            }
            if (comma == std::string_view::npos) {
                break;
            }
            rest = rest.substr(comma + 1);
        }
        parsed.push_back(std::move(word));
    }
    return parsed;
}

bool isModifierKey(std::uint16_t keyCode) { return !modifierKeyName(keyCode).empty(); }

std::string modifierKeyName(std::uint16_t keyCode) {
    for (const Modifier& modifier : modifiers) {
        if (modifier.keyCode == keyCode) {
            return std::string(modifier.name);
        }
    }
    return {};
}

std::string modifierNames(std::uint64_t flags) {
    std::string names;
    for (const auto& [flag, name] : std::array<std::pair<std::uint64_t, std::string_view>, 4>{{
             {appkit::commandFlag, "Command"},
             {appkit::controlFlag, "Control"},
             {appkit::optionFlag, "Option"},
             {appkit::shiftFlag, "Shift"},
         }}) {
        if ((flags & flag) != 0) {
            names += (names.empty() ? "" : "+") + std::string(name);
        }
    }
    return names;
}

std::string printable(std::string_view text) {
    std::string result;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0x1b) {
            result += "Escape";
        } else if (byte == '\r') {
            result += "Return";
        } else if (byte == '\t') {
            result += "Tab";
        } else if (byte == 0x7f) {
            result += "Delete";
        } else if (byte < 0x20) {
            std::array<char, 8> code{};
            std::snprintf(code.data(), code.size(), "U+%04X", static_cast<unsigned>(byte));
            result += code.data();
        } else {
            result += c;
        }
    }
    return result;
}

std::string_view keyWordsHelp() {
    return "  a-z, 0-9        a key; A-Z: the key typed with Shift held (Shift goes down before it and up\n"
           "                  after it, as on a keyboard)\n"
           "  escape (esc), return (enter), space, tab, delete, left, right, up, down\n"
           "  option (opt), rightoption (ropt), shift, control (ctrl), command (cmd)\n"
           "                  a lone tap of that modifier key (left Option is key 58, right Option 61)\n"
           "  MOD+KEY, MOD+MOD+KEY   KEY typed while the modifiers are held: option+h, cmd+space,\n"
           "                  opt+shift+right; each modifier goes down in order and up in reverse order\n"
           "  +MOD ... -MOD   hold a modifier down across several words: +shift a b -shift types A and B\n"
           "                  under one press of Shift; a key typed meanwhile carries its flag\n"
           "  click, rightclick   a left or right mouse-down\n"
           "  resign          another application becomes frontmost (the host resigns active)\n"
           "  activate        the host becomes frontmost again\n"
           "  enable, disable switch the add-in's setting on or off and call the library's update entry\n"
           "                  point (updateEnableAccessKeys, or updateColumnSelector)\n"
           "  W1,W2,...       words joined by commas are taken one after another without running the\n"
           "                  host's main queue between them, as a person typing faster than the host\n"
           "                  answers: f,c or escape,option\n"
           "Any other word is an error, and nothing is typed.\n";
}

}  // namespace keytips::sim
