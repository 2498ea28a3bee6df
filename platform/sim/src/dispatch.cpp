// The main queue, delayed blocks and detached tasks: queued here, run by World::pump / advanceClock.
#include "platform/dispatch.hpp"

#include <algorithm>

#include "state.hpp"

namespace platform::dispatch {

using sim::detail::state;

void mainAsync(Block block) {
    std::lock_guard lock(state().queueMutex);
    state().mainBlocks.push_back(std::move(block));
}

void mainAsyncAfter(double seconds, Block block) {
    std::lock_guard lock(state().queueMutex);
    const double deadline = state().clock + std::max(seconds, 0.0);
    state().delayed.emplace(deadline, std::move(block));
}

void detachTask(Block block) {
    std::lock_guard lock(state().queueMutex);
    state().tasks.push_back(std::move(block));
}

}  // namespace platform::dispatch
