// The key words keytips-sim understands, and the keys a keyboard sends for them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace keytips::sim {

// One key going down or up, with the modifier keys held at that moment (the device-independent
// modifier bits). A modifier key's own stroke is a flags-changed event: its flags say whether it is
// now held.
struct Stroke {
    std::uint16_t keyCode = 0;
    bool down = true;
    std::uint64_t flags = 0;
    std::optional<std::string> characters;  // what the key types, ignoring modifiers other than Shift
};

// What one step does besides typing keys.
enum class Action { keys, click, rightClick, resign, activate, enable, disable };

// One step of a word: keys typed, or one of the other actions.
struct Step {
    Action action = Action::keys;
    std::vector<Stroke> strokes;
};

// One word of the command line: its steps, all taken before the host's main queue runs.
struct Word {
    std::string text;
    std::vector<Step> steps;
};

// The words in order, or an error text naming the first word not understood.
std::variant<std::vector<Word>, std::string> parseWords(const std::vector<std::string>& words);

// Whether a key code is one of the modifier keys (its strokes are flags-changed events).
bool isModifierKey(std::uint16_t keyCode);

// "Option", "right Option", "Shift", ...: the name of a modifier key; empty for other keys.
std::string modifierKeyName(std::uint16_t keyCode);

// The modifiers of a set of flags, such as "Option+Shift"; empty when none is held.
std::string modifierNames(std::uint64_t flags);

// The text with control characters written by name ("Escape", "Return", "Tab", "Delete", or
// "U+0001" for others), for printing.
std::string printable(std::string_view text);

// Help text listing the words.
std::string_view keyWordsHelp();

}  // namespace keytips::sim
