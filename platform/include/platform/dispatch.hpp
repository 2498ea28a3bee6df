// Dispatch: the main queue, delayed blocks and detached tasks.
#pragma once

#include <functional>

namespace platform::dispatch {

using Block = std::function<void()>;

// Queues a block on the main queue; blocks run in the order queued, after the caller returns.
void mainAsync(Block block);

// Queues a block on the main queue to run once the given number of seconds has passed from now.
void mainAsyncAfter(double seconds, Block block);

// Starts a detached task that runs the block off the main thread.
void detachTask(Block block);

// Whether the calling thread is the process's main thread, the one the main queue runs on.
bool isMainThread();

}  // namespace platform::dispatch
