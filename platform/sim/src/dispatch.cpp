// The main queue, delayed blocks and detached tasks: queued by the seam, run when a test or tool
// pumps the queue, advances the clock or runs the tasks.
#include "platform/dispatch.hpp"

#include <unistd.h>

#include <algorithm>
#include <optional>

#include "platform/sim/world.hpp"
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

// The process's first thread, as on a Mac; the thread that pumps the queue is the tests' own business.
bool isMainThread() { return gettid() == getpid(); }

}  // namespace platform::dispatch

namespace platform::sim {

using detail::state;

namespace {

// Takes the next block to run now: detached tasks first, then main-queue blocks, then due delayed blocks;
// under a seeded interleaving a task or the next main-queue block, and which task, by the seed.
std::optional<dispatch::Block> takeNext() {
    auto& shared = state();
    std::lock_guard lock(shared.queueMutex);
    auto takeFront = [](std::deque<dispatch::Block>& queue) {
        dispatch::Block block = std::move(queue.front());
        queue.pop_front();
        return block;
    };
    const bool tasksWaiting = !shared.tasks.empty() && !shared.tasksHeld;
    if (shared.interleaving && tasksWaiting) {
        // Every waiting task and main-queue block is as likely to go next: a uniform random merge.
        auto& random = *shared.interleaving;
        const std::size_t waiting = shared.tasks.size() + shared.mainBlocks.size();
        if (random() % waiting < shared.tasks.size()) {
            const auto chosen =
                shared.tasks.begin() + static_cast<std::ptrdiff_t>(random() % shared.tasks.size());
            dispatch::Block block = std::move(*chosen);
            shared.tasks.erase(chosen);
            return block;
        }
        return takeFront(shared.mainBlocks);
    }
    if (tasksWaiting) {
        return takeFront(shared.tasks);
    }
    if (!shared.mainBlocks.empty()) {
        return takeFront(shared.mainBlocks);
    }
    if (!shared.delayed.empty() && shared.delayed.begin()->first <= shared.clock) {
        dispatch::Block block = std::move(shared.delayed.begin()->second);
        shared.delayed.erase(shared.delayed.begin());
        return block;
    }
    return std::nullopt;
}

}  // namespace

std::size_t World::pump() {
    std::size_t run = 0;
    while (auto block = takeNext()) {
        if (*block) {
            (*block)();
        }
        ++run;
    }
    return run;
}

void World::advanceClock(double seconds) {
    auto& shared = state();
    double target = 0;
    {
        std::lock_guard lock(shared.queueMutex);
        target = shared.clock + std::max(seconds, 0.0);
    }
    for (;;) {
        dispatch::Block block;
        {
            std::lock_guard lock(shared.queueMutex);
            if (shared.delayed.empty() || shared.delayed.begin()->first > target) {
                break;
            }
            shared.clock = std::max(shared.clock, shared.delayed.begin()->first);
            block = std::move(shared.delayed.begin()->second);
            shared.delayed.erase(shared.delayed.begin());
        }
        if (block) {
            block();
        }
        pump();
    }
    {
        std::lock_guard lock(shared.queueMutex);
        shared.clock = target;
    }
    pump();
}

double World::now() const {
    std::lock_guard lock(state().queueMutex);
    return state().clock;
}

std::size_t World::pendingMainBlocks() const {
    std::lock_guard lock(state().queueMutex);
    return state().mainBlocks.size();
}

std::size_t World::pendingDelayedBlocks() const {
    std::lock_guard lock(state().queueMutex);
    return state().delayed.size();
}

void World::setTasksHeld(bool held) {
    std::lock_guard lock(state().queueMutex);
    state().tasksHeld = held;
}

std::size_t World::runTasks() {
    std::size_t run = 0;
    for (;;) {
        dispatch::Block task;
        {
            std::lock_guard lock(state().queueMutex);
            if (state().tasks.empty()) {
                break;
            }
            task = std::move(state().tasks.front());
            state().tasks.pop_front();
        }
        if (task) {
            task();
        }
        ++run;
    }
    return run;
}

std::size_t World::pendingTasks() const {
    std::lock_guard lock(state().queueMutex);
    return state().tasks.size();
}

}  // namespace platform::sim
