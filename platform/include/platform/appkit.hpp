// AppKit: events and local monitors, notifications, the workspace, alerts, screens and windows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.hpp"

namespace platform::appkit {

// ---- Events -------------------------------------------------------------------------------------

enum class EventType : int { leftMouseDown = 1, rightMouseDown = 3, keyDown = 10, flagsChanged = 12 };

using EventMask = std::uint64_t;
inline constexpr EventMask leftMouseDownMask = EventMask{1} << 1;   // 2
inline constexpr EventMask rightMouseDownMask = EventMask{1} << 3;  // 8
inline constexpr EventMask keyDownMask = EventMask{1} << 10;        // 1024
inline constexpr EventMask flagsChangedMask = EventMask{1} << 12;   // 4096

using ModifierFlags = std::uint64_t;
inline constexpr ModifierFlags capsLockFlag = 0x10000;
inline constexpr ModifierFlags shiftFlag = 0x20000;
inline constexpr ModifierFlags controlFlag = 0x40000;
inline constexpr ModifierFlags optionFlag = 0x80000;
inline constexpr ModifierFlags commandFlag = 0x100000;
inline constexpr ModifierFlags functionFlag = 0x800000;

// A key, modifier or mouse event of the host process.
struct Event {
    EventType type = EventType::keyDown;
    std::uint16_t keyCode = 0;
    ModifierFlags modifierFlags = 0;
    // Characters of a key event ignoring modifiers; absent for events that carry none.
    std::optional<std::string> charactersIgnoringModifiers;
};

// A local monitor's handler returns the event to let the host have it, or nothing to swallow it.
using EventHandler = std::function<std::optional<Event>(const Event&)>;

struct MonitorHandle {
    std::uint64_t id = 0;
};

// Adds a monitor of the host's own events matching the mask; absent when none could be added.
std::optional<MonitorHandle> addLocalMonitorForEvents(EventMask mask, EventHandler handler);

// ---- Notifications ------------------------------------------------------------------------------

inline constexpr std::string_view applicationDidResignActiveNotification =
    "NSApplicationDidResignActiveNotification";

struct Notification {
    std::string name;
};

struct ObserverHandle {
    std::uint64_t id = 0;
};

// Registers an observer with the default notification centre, from any sender and with no queue:
// the block runs on the thread that posts the notification.
ObserverHandle addObserver(std::string_view name, std::function<void(const Notification&)> block);

// ---- Workspace ----------------------------------------------------------------------------------

struct RunningApplication {
    std::optional<std::string> bundleIdentifier;
    int processIdentifier = 0;
};

std::vector<RunningApplication> runningApplications();
std::optional<RunningApplication> frontmostApplication();
bool openURL(std::string_view url);

// ---- Alerts -------------------------------------------------------------------------------------

enum class AlertStyle : int { warning = 0, informational = 1, critical = 2 };
inline constexpr long alertFirstButtonReturn = 1000;

struct Alert {
    std::string messageText;
    std::string informativeText;
    AlertStyle style = AlertStyle::warning;
    std::vector<std::string> buttons;

    void addButton(std::string title) { buttons.push_back(std::move(title)); }
    // Shows the alert modally; returns 1000 for the first button, 1001 for the second, ...
    [[nodiscard]] long runModal() const;
};

// ---- Screens ------------------------------------------------------------------------------------

// Frames of the screens; the first is the primary screen, whose frame has the global origin at its
// lower left corner.
std::vector<Rect> screenFrames();

// ---- Windows ------------------------------------------------------------------------------------

struct Color {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 1;

    static Color blueColor() { return {0, 0, 1, 1}; }
    static Color whiteColor() { return {1, 1, 1, 1}; }
    static Color clearColor() { return {0, 0, 0, 0}; }
    [[nodiscard]] Color withAlphaComponent(double value) const { return {red, green, blue, value}; }
    friend bool operator==(const Color&, const Color&) = default;
};

enum class TextAlignment : int { left = 0, center = 1, right = 2 };

inline constexpr std::uint64_t borderlessWindowMask = 0;
enum class BackingStore : int { retained = 0, nonretained = 1, buffered = 2 };
inline constexpr int floatingWindowLevel = 3;

// A text field as the library describes it; its frame is in the coordinates of the view that holds
// it. Plain data: a window that is given one creates the platform's field from this description.
struct TextField {
    Rect frame;
    std::string stringValue;
    bool editable = true;
    bool bordered = true;
    Color backgroundColor = Color::whiteColor();
    Color textColor = {0, 0, 0, 1};
    TextAlignment alignment = TextAlignment::left;
    double fontSize = 13;  // the system font at this size

    explicit TextField(Rect initialFrame) : frame(initialFrame) {}
    // Resizes the field to fit its text, measured in the system font of its size.
    void sizeToFit();
};

// The content view of a window: the descriptions of the fields it was given, in order.
struct View {
    Rect bounds;
    std::vector<TextField> subviews;
};

// A window on the content rectangle given, in screen coordinates with the origin at the lower left
// of the primary screen. Main thread only.
//
// The getters read what was last set through this class, so they answer without asking the
// platform; every operation the platform must see is defined by the implementation, which both
// keeps that record and passes the operation on to its window.
class Window {
public:
    // Each implementation's own state of a window (the platform's window object, or nothing).
    struct Native;

    Window(Rect contentRect, std::uint64_t styleMask, BackingStore backing, bool defer);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    Window(Window&&) = delete;
    Window& operator=(Window&&) = delete;

    [[nodiscard]] Rect frame() const { return frame_; }
    [[nodiscard]] std::uint64_t styleMask() const { return styleMask_; }
    [[nodiscard]] BackingStore backing() const { return backing_; }
    [[nodiscard]] int level() const { return level_; }
    [[nodiscard]] bool isOpaque() const { return opaque_; }
    [[nodiscard]] bool hasShadow() const { return hasShadow_; }
    [[nodiscard]] Color backgroundColor() const { return backgroundColor_; }
    [[nodiscard]] bool isVisible() const { return visible_; }
    // The user-interface item identifier; absent until one is set.
    [[nodiscard]] const std::optional<std::string>& identifier() const { return identifier_; }
    [[nodiscard]] const View& contentView() const { return contentView_; }

    void setLevel(int level);
    void setOpaque(bool opaque);
    void setHasShadow(bool shadow);
    void setBackgroundColor(Color color);
    // Names the window for user-interface inspection (the platform's user-interface item identifier).
    void setIdentifier(std::string identifier);
    // Adds a text field made from a copy of the description to the content view; later changes to
    // the description do not reach the window.
    void addSubview(const TextField& field);

    // Shows the window in front; a borderless window does not become the key window.
    void makeKeyAndOrderFront();
    // Hides the window.
    void orderOut();

private:
    Rect frame_;
    std::uint64_t styleMask_;
    BackingStore backing_;
    int level_ = 0;
    bool opaque_ = true;
    bool hasShadow_ = true;
    bool visible_ = false;
    Color backgroundColor_ = Color::whiteColor();
    std::optional<std::string> identifier_;
    View contentView_;
    std::unique_ptr<Native> native_;  // null where the implementation keeps nothing of its own
};

}  // namespace platform::appkit
