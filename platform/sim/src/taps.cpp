// The simulated Core Graphics event taps and Core Foundation run loops.
//
// A tap's callback runs on the thread that runs the run loop holding the tap's source. A test thread
// injects an event: it walks the enabled taps in order, hands the event to each tap's run loop and
// waits for the callback's answer. Events the callbacks post go back through the taps after the
// current one; what passes every tap is what the host receives.
#include "platform/sim/taps.hpp"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <iterator>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "platform/events.hpp"
#include "platform/privacy.hpp"
#include "platform/sim/event_flags.hpp"
#include "state.hpp"

namespace platform::cg {

struct Event {
    sim::KeyEvent data;
    std::optional<EventSourceState> source;  // the state of the source it was created from
};

struct EventSource {
    EventSourceState state = EventSourceState::hidSystem;
};

struct TapProxy {};

// The fields set at creation never change; enabled and the rest are guarded by the taps' mutex.
struct MachPort {
    EventMask mask = 0;
    TapCallback callback = nullptr;
    void* userInfo = nullptr;
    long rank = 0;  // place in the order in which events pass the taps
    bool listenOnly = false;
    std::size_t record = 0;  // index of its record in the world's tap records
    TapProxy proxy;
    bool enabled = false;
};

struct RunLoopSource {
    MachPortRef port;
};

// One hand-over of an event to a tap's callback on its run loop's thread.
struct Delivery {
    MachPortRef tap;
    EventType type = keyDownEvent;
    EventRef event;
    std::optional<sim::KeyEvent> result;  // none: the callback deleted the event
    bool done = false;
};

struct RunLoop {
    std::vector<RunLoopSourceRef> sources;
    std::deque<Delivery*> queue;
    int running = 0;
    bool stopRequested = false;
};

}  // namespace platform::cg

namespace platform::sim {

namespace {

using cg::Delivery;
using cg::MachPort;
using cg::MachPortRef;
using cg::RunLoop;
using cg::RunLoopSourceRef;

bool isNotification(cg::EventType type) {
    return type == cg::tapDisabledByTimeout || type == cg::tapDisabledByUserInput;
}

bool maskMatches(cg::EventMask mask, cg::EventType type) {
    return type < 64 && (mask & (cg::EventMask{1} << type)) != 0;
}

struct TapWorld {
    std::mutex mutex;
    std::condition_variable changed;
    std::mutex injection;  // one injection at a time

    std::vector<std::weak_ptr<MachPort>> taps;    // in creation order
    std::vector<std::unique_ptr<RunLoop>> loops;  // kept for the process: threads may still hold them
    std::uint64_t generation = 1;                 // raised by every reset
    long lowestRank = 0;
    long highestRank = 0;

    bool failNextTap = false;
    std::optional<std::size_t> failKeyboardFrom;
    std::size_t keyboardCreations = 0;
    bool failSource = false;

    std::vector<TapRecord> records;  // one per tap created, kept after the tap is released
    std::vector<PostRecord> posted;
    std::vector<KeyEvent> hostReceived;
    std::vector<KeyEvent>* postsOfDelivery = nullptr;  // where callbacks' posts go during an injection

    // Caller holds the mutex.
    RunLoop* loopHolding(const MachPortRef& tap) const {
        for (const auto& loop : loops) {
            for (const auto& source : loop->sources) {
                if (source->port == tap) {
                    return loop.get();
                }
            }
        }
        return nullptr;
    }

    // Live taps in the order events pass them. Caller holds the mutex.
    std::vector<MachPortRef> tapsInPassOrder() const {
        std::vector<MachPortRef> live;
        for (const auto& weak : taps) {
            if (auto tap = weak.lock()) {
                live.push_back(std::move(tap));
            }
        }
        std::stable_sort(live.begin(), live.end(),
                         [](const MachPortRef& a, const MachPortRef& b) { return a->rank < b->rank; });
        return live;
    }
};

TapWorld& taps() {
    static TapWorld* const instance = new TapWorld;
    return *instance;
}

// The calling thread's run loop; dropped with its sources when the thread ends.
struct ThreadLoop {
    RunLoop* loop = nullptr;
    std::uint64_t generation = 0;

    ThreadLoop() = default;
    ThreadLoop(const ThreadLoop&) = delete;
    ThreadLoop& operator=(const ThreadLoop&) = delete;
    ThreadLoop(ThreadLoop&&) = delete;
    ThreadLoop& operator=(ThreadLoop&&) = delete;
    ~ThreadLoop() {
        std::vector<RunLoopSourceRef> dropped;
        TapWorld& world = taps();
        std::lock_guard lock(world.mutex);
        if (loop != nullptr && generation == world.generation) {
            dropped.swap(loop->sources);
        }
    }
};

thread_local ThreadLoop currentThreadLoop;
thread_local bool inCallback = false;

// Runs one delivery on the run loop's thread, without the lock. The callback's answer holds the event
// it passes on, the one delivered or one it made, while it is read.
void handle(Delivery& delivery) {
    inCallback = true;
    const MachPort& tap = *delivery.tap;
    const cg::EventRef out =
        tap.callback(const_cast<cg::TapProxy*>(&tap.proxy), delivery.type, delivery.event, tap.userInfo);
    inCallback = false;
    if (out) {
        delivery.result = out->data;
    }
}

// Finishes deliveries that a run loop will not handle: the event passes that tap unchanged.
void passUnhandled(RunLoop& loop) {
    for (Delivery* delivery : loop.queue) {
        delivery->result = delivery->event->data;
        delivery->done = true;
    }
    loop.queue.clear();
}

// Hands one event to a tap on its run loop and waits for the answer. Caller holds the lock.
std::optional<KeyEvent> deliver(std::unique_lock<std::mutex>& lock, RunLoop& loop, const MachPortRef& tap,
                                const KeyEvent& event) {
    TapWorld& world = taps();
    Delivery delivery{tap, event.type, std::make_shared<cg::Event>(cg::Event{event, std::nullopt}),
                      std::nullopt, false};
    loop.queue.push_back(&delivery);
    world.changed.notify_all();
    world.changed.wait(lock, [&] { return delivery.done; });
    return delivery.result;
}

// Passes an event through the enabled taps whose mask takes it; none when a tap deleted it.
// Posts made by the callbacks are appended to posts.
std::optional<KeyEvent> throughTaps(KeyEvent event, std::vector<KeyEvent>& posts) {
    TapWorld& world = taps();
    std::unique_lock lock(world.mutex);
    const auto order = world.tapsInPassOrder();
    for (const auto& tap : order) {
        RunLoop* loop = world.loopHolding(tap);
        if (!tap->enabled || !maskMatches(tap->mask, event.type) || loop == nullptr || loop->running == 0) {
            continue;
        }
        world.postsOfDelivery = &posts;
        auto result = deliver(lock, *loop, tap, event);
        world.postsOfDelivery = nullptr;
        if (tap->listenOnly) {
            continue;  // a listening tap sees the event but can neither change nor delete it
        }
        if (!result) {
            return std::nullopt;
        }
        event = *result;
    }
    return event;
}

// A tap-disabled notification: the system switches the first running tap off and tells its callback,
// whatever its mask and state. Returns whether the callback returned the notification.
bool notifyFirstTap(const KeyEvent& notification, std::vector<KeyEvent>& posts) {
    TapWorld& world = taps();
    std::unique_lock lock(world.mutex);
    for (const auto& tap : world.tapsInPassOrder()) {
        RunLoop* loop = world.loopHolding(tap);
        if (loop == nullptr || loop->running == 0) {
            continue;
        }
        tap->enabled = false;
        world.postsOfDelivery = &posts;
        auto result = deliver(lock, *loop, tap, notification);
        world.postsOfDelivery = nullptr;
        return result.has_value();
    }
    return false;
}

void recordHostReceived(const KeyEvent& event) {
    TapWorld& world = taps();
    std::lock_guard lock(world.mutex);
    world.hostReceived.push_back(event);
}

// Runs the events through the taps, each one's posts after it. Caller holds the injection mutex.
TapVerdict run(const KeyEvent& first) {
    TapVerdict verdict;
    std::deque<KeyEvent> pending{first};
    bool isFirst = true;
    while (!pending.empty()) {
        const KeyEvent event = pending.front();
        pending.pop_front();
        std::vector<KeyEvent> posts;
        if (isNotification(event.type)) {
            const bool returned = notifyFirstTap(event, posts);
            if (isFirst) {
                verdict.passed = returned;
            }
        } else {
            auto outcome = throughTaps(event, posts);
            if (isFirst) {
                verdict.passed = outcome.has_value();
            }
            if (outcome) {
                verdict.hostReceived.push_back(*outcome);
                recordHostReceived(*outcome);
            }
        }
        isFirst = false;
        pending.insert(pending.end(), posts.begin(), posts.end());
    }
    return verdict;
}

}  // namespace

cg::RunLoopRef waitForTapRunLoop() {
    TapWorld& world = taps();
    std::unique_lock lock(world.mutex);
    RunLoop* found = nullptr;
    world.changed.wait(lock, [&] {
        for (const auto& loop : world.loops) {
            if (loop->running > 0 && !loop->sources.empty()) {
                found = loop.get();
                return true;
            }
        }
        return false;
    });
    return found;
}

TapVerdict injectTapEvent(const KeyEvent& event) {
    KeyEvent typed = event;
    if (!isNotification(event.type)) {
        auto& shared = detail::state();
        shared.heldModifiers = event.flags & heldModifierMask;
        if (!shared.bareEvents) {
            typed.flags |= deviceFlagBits(event.keyCode);
        }
    }
    std::lock_guard serial(taps().injection);
    return run(typed);
}

std::vector<KeyEvent> postedEvents() {
    TapWorld& world = taps();
    std::lock_guard lock(world.mutex);
    std::vector<KeyEvent> events;
    events.reserve(world.posted.size());
    for (const PostRecord& post : world.posted) {
        events.push_back(post.event);
    }
    return events;
}

std::vector<PostRecord> postRecords() {
    TapWorld& world = taps();
    std::lock_guard lock(world.mutex);
    return world.posted;
}

std::vector<TapRecord> tapRecords() {
    TapWorld& world = taps();
    std::lock_guard lock(world.mutex);
    return world.records;
}

std::vector<cg::RunLoopRef> waitForTapRunLoops(std::size_t count) {
    TapWorld& world = taps();
    std::unique_lock lock(world.mutex);
    std::vector<cg::RunLoopRef> found;
    world.changed.wait(lock, [&] {
        found.clear();
        for (const auto& loop : world.loops) {
            if (loop->running > 0 && !loop->sources.empty()) {
                found.push_back(loop.get());
            }
        }
        return found.size() >= count;
    });
    return found;
}

std::vector<KeyEvent> hostReceivedKeyEvents() {
    TapWorld& world = taps();
    std::lock_guard lock(world.mutex);
    return world.hostReceived;
}

void failNextTapCreation() {
    TapWorld& world = taps();
    std::lock_guard lock(world.mutex);
    world.failNextTap = true;
}

void failKeyboardEventCreation(std::optional<std::size_t> fromCreation) {
    TapWorld& world = taps();
    std::lock_guard lock(world.mutex);
    world.failKeyboardFrom = fromCreation;
    world.keyboardCreations = 0;
}

void failEventSourceCreation(bool fail) {
    TapWorld& world = taps();
    std::lock_guard lock(world.mutex);
    world.failSource = fail;
}

std::size_t installedTapCount() {
    TapWorld& world = taps();
    std::lock_guard lock(world.mutex);
    return static_cast<std::size_t>(std::count_if(world.taps.begin(), world.taps.end(),
                                                  [](const auto& weak) { return !weak.expired(); }));
}

bool firstTapEnabled() {
    TapWorld& world = taps();
    std::lock_guard lock(world.mutex);
    for (const auto& weak : world.taps) {
        if (auto tap = weak.lock()) {
            return tap->enabled;
        }
    }
    return false;
}

void resetEventTaps() {
    TapWorld& world = taps();
    std::vector<RunLoopSourceRef> dropped;  // released outside the lock
    {
        std::lock_guard lock(world.mutex);
        ++world.generation;
        for (auto& loop : world.loops) {
            std::move(loop->sources.begin(), loop->sources.end(), std::back_inserter(dropped));
            loop->sources.clear();
            loop->stopRequested = false;
            passUnhandled(*loop);
        }
        world.taps.clear();
        world.records.clear();
        world.lowestRank = 0;
        world.highestRank = 0;
        world.failNextTap = false;
        world.failKeyboardFrom.reset();
        world.keyboardCreations = 0;
        world.failSource = false;
        world.posted.clear();
        world.hostReceived.clear();
        world.changed.notify_all();
    }
}

}  // namespace platform::sim

namespace platform::cg {

using sim::taps;

MachPortRef eventTapCreate(TapLocation location, TapPlacement placement, TapOptions options,
                           EventMask eventsOfInterest, TapCallback callback, void* userInfo) {
    // A tap that may change events needs the permission to post them; one that listens, to listen.
    const privacy::Permissions granted = sim::detail::permissions();
    const bool permitted = options == TapOptions::listenOnly ? granted.listenToEvents : granted.postEvents;
    auto& world = taps();
    std::lock_guard lock(world.mutex);
    const bool fails = world.failNextTap || callback == nullptr || !permitted;
    world.records.push_back({location, placement, options, eventsOfInterest, fails});
    if (fails) {
        world.failNextTap = false;
        return nullptr;
    }
    auto tap = std::make_shared<MachPort>();
    tap->mask = eventsOfInterest;
    tap->callback = callback;
    tap->userInfo = userInfo;
    tap->rank = placement == TapPlacement::headInsert ? --world.lowestRank : ++world.highestRank;
    tap->listenOnly = options == TapOptions::listenOnly;
    tap->record = world.records.size() - 1;
    tap->enabled = true;  // a new tap is enabled; it sees events once its source runs
    world.taps.push_back(tap);
    return tap;
}

void eventTapEnable(const MachPortRef& tap, bool enable) {
    if (!tap) {
        return;
    }
    auto& world = taps();
    std::lock_guard lock(world.mutex);
    tap->enabled = enable;
    if (tap->record < world.records.size()) {
        world.records[tap->record].enableCalls.push_back(enable);
    }
}

bool eventTapIsEnabled(const MachPortRef& tap) {
    if (!tap) {
        return false;
    }
    auto& world = taps();
    std::lock_guard lock(world.mutex);
    return tap->enabled;
}

RunLoopSourceRef machPortCreateRunLoopSource(const MachPortRef& port, long /*order*/) {
    if (!port) {
        return nullptr;
    }
    return std::make_shared<RunLoopSource>(RunLoopSource{port});
}

RunLoopRef runLoopGetCurrent() {
    auto& world = taps();
    auto& current = sim::currentThreadLoop;
    std::lock_guard lock(world.mutex);
    if (current.loop == nullptr || current.generation != world.generation) {
        world.loops.push_back(std::make_unique<RunLoop>());
        current.loop = world.loops.back().get();
        current.generation = world.generation;
    }
    return current.loop;
}

void runLoopAddSource(RunLoopRef loop, const RunLoopSourceRef& source) {
    if (loop == nullptr || !source) {
        return;
    }
    auto& world = taps();
    std::lock_guard lock(world.mutex);
    if (std::find(loop->sources.begin(), loop->sources.end(), source) == loop->sources.end()) {
        loop->sources.push_back(source);
        if (source->port && source->port->record < world.records.size()) {
            ++world.records[source->port->record].sourcesAdded;
        }
    }
    world.changed.notify_all();
}

void runLoopRemoveSource(RunLoopRef loop, const RunLoopSourceRef& source) {
    if (loop == nullptr) {
        return;
    }
    RunLoopSourceRef removed;  // released outside the lock
    auto& world = taps();
    std::lock_guard lock(world.mutex);
    auto found = std::find(loop->sources.begin(), loop->sources.end(), source);
    if (found != loop->sources.end()) {
        removed = std::move(*found);
        loop->sources.erase(found);
        if (removed->port && removed->port->record < world.records.size()) {
            ++world.records[removed->port->record].sourcesRemoved;
        }
    }
    world.changed.notify_all();
}

void runLoopRun() {
    RunLoop* loop = runLoopGetCurrent();
    auto& world = taps();
    std::unique_lock lock(world.mutex);
    if (loop->stopRequested || loop->sources.empty()) {
        loop->stopRequested = false;
        return;
    }
    ++loop->running;
    world.changed.notify_all();
    for (;;) {
        world.changed.wait(
            lock, [&] { return !loop->queue.empty() || loop->stopRequested || loop->sources.empty(); });
        if (loop->queue.empty()) {
            break;
        }
        Delivery* delivery = loop->queue.front();
        loop->queue.pop_front();
        lock.unlock();
        sim::handle(*delivery);
        lock.lock();
        delivery->done = true;
        world.changed.notify_all();
    }
    loop->stopRequested = false;
    --loop->running;
    sim::passUnhandled(*loop);
    world.changed.notify_all();
}

void runLoopStop(RunLoopRef loop) {
    if (loop == nullptr) {
        return;
    }
    auto& world = taps();
    std::lock_guard lock(world.mutex);
    loop->stopRequested = true;
    world.changed.notify_all();
}

EventSourceRef eventSourceCreate(EventSourceState state) {
    auto& world = taps();
    std::lock_guard lock(world.mutex);
    if (world.failSource) {
        return nullptr;
    }
    return std::make_shared<EventSource>(EventSource{state});
}

EventRef eventCreateKeyboardEvent(const EventSourceRef& source, KeyCode key, bool keyDown) {
    auto& world = taps();
    {
        std::lock_guard lock(world.mutex);
        ++world.keyboardCreations;
        if (world.failKeyboardFrom && world.keyboardCreations >= *world.failKeyboardFrom) {
            return nullptr;
        }
    }
    // A source that reads the keyboard's state gives the new event the modifiers held now; a private
    // source, or none, gives no modifier. A modifier key's event is a flags-changed event.
    const auto& shared = sim::detail::state();
    EventFlags flags = 0;
    if (source && (source->state == EventSourceState::hidSystem ||
                   source->state == EventSourceState::combinedSession)) {
        flags = shared.heldModifiers;
    }
    if (!shared.bareEvents) {
        flags |= sim::deviceFlagBits(key);
    }
    EventType type = keyDown ? keyDownEvent : keyUpEvent;
    if (sim::isModifierKeyCode(key)) {
        type = flagsChangedEvent;
    }
    return std::make_shared<Event>(
        Event{{type, key, keyDown, flags}, source ? std::optional(source->state) : std::nullopt});
}

std::int64_t eventGetIntegerValueField(const Event* event, EventField field) {
    if (event == nullptr || field != EventField::keyboardEventKeycode) {
        return 0;
    }
    return event->data.keyCode;
}

EventFlags eventGetFlags(const Event* event) { return event == nullptr ? 0 : event->data.flags; }

void eventSetFlags(Event* event, EventFlags flags) {
    if (event != nullptr) {
        event->data.flags = flags;
    }
}

void eventPost(TapLocation location, const Event* event) {
    if (event == nullptr) {
        return;
    }
    auto& world = taps();
    {
        std::lock_guard lock(world.mutex);
        world.posted.push_back({event->data, location, event->source});
        if (sim::inCallback && world.postsOfDelivery != nullptr) {
            // Goes back through the taps once the event being delivered is done.
            world.postsOfDelivery->push_back(event->data);
            return;
        }
    }
    // Posted outside a callback: it goes through the taps now.
    std::lock_guard serial(world.injection);
    sim::run(event->data);
}

}  // namespace platform::cg
