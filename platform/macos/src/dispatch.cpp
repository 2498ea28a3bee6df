// Dispatch on the platform's queues. Blocks travel as C functions with their context: no Objective-C
// blocks are needed, and each queued block is deleted once it has run. Any thread may queue.
#include "platform/dispatch.hpp"

#include <dispatch/dispatch.h>
#include <pthread.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace platform::dispatch {

namespace {

void runBlock(void* context) {
    const std::unique_ptr<Block> block(static_cast<Block*>(context));
    (*block)();
}

void* contextOf(Block block) { return new Block(std::move(block)); }

}  // namespace

void mainAsync(Block block) {
    dispatch_async_f(dispatch_get_main_queue(), contextOf(std::move(block)), runBlock);
}

void mainAsyncAfter(double seconds, Block block) {
    const auto delay = static_cast<std::int64_t>(std::max(seconds, 0.0) * static_cast<double>(NSEC_PER_SEC));
    dispatch_after_f(dispatch_time(DISPATCH_TIME_NOW, delay), dispatch_get_main_queue(),
                     contextOf(std::move(block)), runBlock);
}

void detachTask(Block block) {
    dispatch_async_f(dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_DEFAULT, 0),
                     contextOf(std::move(block)), runBlock);
}

bool isMainThread() { return pthread_main_np() != 0; }

}  // namespace platform::dispatch
