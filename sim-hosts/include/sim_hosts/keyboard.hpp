// The keyboard of the person at the simulated host: the virtual key codes of an ANSI keyboard, and
// the keys as that person strikes them, delivered through the world's event monitors.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "platform/sim/world.hpp"

namespace sim_hosts {

// The virtual key codes of the keys that are not letters or digits.
namespace keys {
inline constexpr std::uint16_t returnKey = 36;
inline constexpr std::uint16_t tab = 48;
inline constexpr std::uint16_t space = 49;
inline constexpr std::uint16_t deleteKey = 51;
inline constexpr std::uint16_t escape = 53;
inline constexpr std::uint16_t command = 55;
inline constexpr std::uint16_t shift = 56;
inline constexpr std::uint16_t capsLock = 57;
inline constexpr std::uint16_t leftOption = 58;
inline constexpr std::uint16_t control = 59;
inline constexpr std::uint16_t rightOption = 61;
inline constexpr std::uint16_t function = 63;
inline constexpr std::uint16_t f1 = 122;
inline constexpr std::uint16_t leftArrow = 123;
inline constexpr std::uint16_t rightArrow = 124;
inline constexpr std::uint16_t downArrow = 125;
inline constexpr std::uint16_t upArrow = 126;
}  // namespace keys

// The virtual key code of a lowercase letter or a digit; none for any other character.
constexpr std::optional<std::uint16_t> characterKeyCode(char c) {
    constexpr std::array<std::pair<char, std::uint16_t>, 36> codes = {{
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

// The virtual key code of a lowercase letter or a digit; throws std::out_of_range for any other
// character (and fails to compile when evaluated at compile time for one).
constexpr std::uint16_t keyCodeOf(char c) {
    const std::optional<std::uint16_t> code = characterKeyCode(c);
    if (!code) {
        throw std::out_of_range("no key code for the character '" + std::string(1, c) + "'");
    }
    return *code;
}

// Whether the host's main queue runs after each key, as when a person pauses between keys, or only
// when the caller pumps it, as when keys come faster than the host answers.
enum class Pump { afterEachKey, never };

// A lone tap of the left Option key: Option goes down, then up.
void tapOption(platform::sim::World& world, Pump pump = Pump::afterEachKey);

// Each character as a key-down of its key (keyCodeOf), carrying the character.
void typeCharacters(platform::sim::World& world, std::string_view characters, Pump pump = Pump::afterEachKey);

}  // namespace sim_hosts
