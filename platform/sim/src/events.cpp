// Events through the local monitors, and notifications to their observers.
#include <utility>

#include "platform/sim/event_flags.hpp"
#include "platform/sim/world.hpp"
#include "state.hpp"

namespace platform::sim {

using detail::state;

std::optional<appkit::Event> World::deliver(const appkit::Event& event) {
    if (event.type == appkit::EventType::keyDown || event.type == appkit::EventType::flagsChanged) {
        setHeldModifierFlags(event.modifierFlags);
    }
    const auto monitors = state().monitors;  // a handler may add monitors meanwhile
    const appkit::EventMask bit = appkit::EventMask{1} << static_cast<int>(event.type);
    std::optional<appkit::Event> current = event;
    for (const auto& monitor : monitors) {
        if ((monitor.mask & bit) == 0 || !monitor.handler) {
            continue;
        }
        current = monitor.handler(*current);
        if (!current) {
            return std::nullopt;
        }
    }
    state().hostReceived.push_back(*current);
    return current;
}

namespace {

appkit::ModifierFlags withDeviceBits(std::uint16_t keyCode, appkit::ModifierFlags flags) {
    return state().bareEvents ? flags : flags | deviceFlagBits(keyCode);
}

}  // namespace

appkit::Event World::keyDown(std::uint16_t keyCode, std::optional<std::string> characters,
                             appkit::ModifierFlags flags) {
    return {appkit::EventType::keyDown, keyCode, withDeviceBits(keyCode, flags), std::move(characters)};
}

appkit::Event World::flagsChanged(std::uint16_t keyCode, appkit::ModifierFlags flags) {
    return {appkit::EventType::flagsChanged, keyCode, withDeviceBits(keyCode, flags), std::nullopt};
}

appkit::Event World::mouseDown(bool left) {
    return {left ? appkit::EventType::leftMouseDown : appkit::EventType::rightMouseDown, 0, 0, std::nullopt};
}

void World::postNotification(std::string_view name) {
    const auto observers = state().observers;
    const appkit::Notification notification{std::string(name)};
    for (const auto& observer : observers) {
        if (observer.name == name && observer.block) {
            observer.block(notification);
        }
    }
}

std::size_t World::monitorCount() const { return state().monitors.size(); }

std::size_t World::observerCount() const { return state().observers.size(); }

}  // namespace platform::sim
