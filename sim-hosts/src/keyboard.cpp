#include "sim_hosts/keyboard.hpp"

#include "platform/appkit.hpp"

namespace sim_hosts {

using platform::sim::World;

void tapOption(World& world, Pump pump) {
    world.deliver(World::flagsChanged(keys::leftOption, platform::appkit::optionFlag));
    world.deliver(World::flagsChanged(keys::leftOption, 0));
    if (pump == Pump::afterEachKey) {
        world.pump();
    }
}

void typeCharacters(World& world, std::string_view characters, Pump pump) {
    for (const char c : characters) {
        world.deliver(World::keyDown(keyCodeOf(c), std::string(1, c)));
        if (pump == Pump::afterEachKey) {
            world.pump();
        }
    }
}

}  // namespace sim_hosts
