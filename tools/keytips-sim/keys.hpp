// The key words keytips-sim understands, and the simulated events they stand for.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/appkit.hpp"

namespace keytips::sim {

// One typed step: the events it delivers, in order (a modifier tap is a press and a release), or a
// resignation of the host application.
struct Step {
    std::string word;
    std::vector<platform::appkit::Event> events;
    bool resignActive = false;
};

// The step for a word: a letter or digit ("h", "H" for Shift+H, "1"), "option", "shift", "control",
// "command", "escape", "return", "space", "tab", "delete", "left", "right", "up", "down", "click",
// "rightclick", "option+KEY" (a key typed with Option held) or "resign". None for an unknown word.
std::optional<Step> parseStep(std::string_view word);

// Help text listing the words.
std::string_view keyWordsHelp();

}  // namespace keytips::sim
