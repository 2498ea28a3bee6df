// The world itself: the one instance, its reset and its fidelity settings.
#include "platform/sim/world.hpp"

#include "platform/sim/event_flags.hpp"
#include "platform/sim/taps.hpp"
#include "state.hpp"

namespace platform::sim {

using detail::state;

World& world() {
    static World instance;
    return instance;
}

void World::reset() {
    state().reset();
    resetEventTaps();
}

// ---- Fidelity settings ----

void World::setLateEffects(bool late) { state().lateEffects = late; }

bool World::lateEffects() const { return state().lateEffects; }

void World::setInterleavingSeed(std::optional<std::uint64_t> seed) {
    std::lock_guard lock(state().queueMutex);
    state().interleaving.reset();
    if (seed) {
        state().interleaving.emplace(*seed);
    }
}

void World::setBareEvents(bool bare) { state().bareEvents = bare; }

bool World::bareEvents() const { return state().bareEvents; }

void World::setHeldModifierFlags(std::uint64_t flags) { state().heldModifiers = flags & heldModifierMask; }

std::uint64_t World::heldModifierFlags() const { return state().heldModifiers; }

}  // namespace platform::sim
