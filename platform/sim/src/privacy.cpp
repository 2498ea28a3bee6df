// The privacy permissions, answered from the world.
#include "platform/privacy.hpp"

#include <mutex>

#include "platform/sim/world.hpp"
#include "state.hpp"

namespace platform::sim {

void World::setPermissions(privacy::Permissions permissions) {
    auto& shared = detail::state();
    const std::lock_guard lock(shared.mutex);
    shared.permissions = permissions;
}

privacy::Permissions World::permissions() const { return detail::permissions(); }

privacy::Permissions detail::permissions() {
    const auto& shared = state();
    const std::lock_guard lock(shared.mutex);
    return shared.permissions;
}

}  // namespace platform::sim

namespace platform::privacy {

Permissions permissions() { return sim::detail::permissions(); }

}  // namespace platform::privacy
