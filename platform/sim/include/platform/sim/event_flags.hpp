// The flag bits a Mac's keyboard events carry besides the modifier keys, shared by the AppKit events
// the world builds and the Core Graphics events of the taps (both use the same bit values).
#pragma once

#include <cstdint>

namespace platform::sim {

// Set on every keyboard event that the system delivers or creates.
inline constexpr std::uint64_t nonCoalescedFlag = 0x100;
// Both set on the arrow keys, whether or not Fn is held. (A Mac also sets the first on the keypad's
// keys and the second on the function and navigation keys; the simulation models the arrows only.)
inline constexpr std::uint64_t numericPadFlag = 0x200000;
inline constexpr std::uint64_t functionKeyFlag = 0x800000;

// The modifier keys' own bits: Caps Lock, Shift, Control, Option, Command. These say which modifier
// keys are held; the bits above do not.
inline constexpr std::uint64_t heldModifierMask = 0x1F0000;

inline constexpr std::uint16_t firstArrowKeyCode = 123;
inline constexpr std::uint16_t lastArrowKeyCode = 126;

// The bits besides the modifiers that an event of this key carries.
constexpr std::uint64_t deviceFlagBits(std::int64_t keyCode) {
    const bool arrow = keyCode >= firstArrowKeyCode && keyCode <= lastArrowKeyCode;
    return nonCoalescedFlag | (arrow ? numericPadFlag | functionKeyFlag : 0);
}

// Key codes 54 to 63 are the modifier keys (Command, Shift, Caps Lock, Option, Control on both sides,
// and Fn); their events are flags-changed events, not key-down or key-up events.
constexpr bool isModifierKeyCode(std::int64_t keyCode) { return keyCode >= 54 && keyCode <= 63; }

}  // namespace platform::sim
