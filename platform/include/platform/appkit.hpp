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

// A text field; its frame is in the coordinates of the view that holds it.
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
    // Resizes the field to fit its text in its font.
    void sizeToFit();
};

struct View {
    Rect bounds;
    std::vector<std::shared_ptr<TextField>> subviews;
    void addSubview(std::shared_ptr<TextField> field) { subviews.push_back(std::move(field)); }
};

// A window on the content rectangle given, in screen coordinates with the origin at the lower left
// of the primary screen.
class Window {
public:
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
    [[nodiscard]] View& contentView() { return contentView_; }
    [[nodiscard]] const View& contentView() const { return contentView_; }

    void setLevel(int level) { level_ = level; }
    void setOpaque(bool opaque) { opaque_ = opaque; }
    void setHasShadow(bool shadow) { hasShadow_ = shadow; }
    void setBackgroundColor(Color color) { backgroundColor_ = color; }

    // Shows the window in front; a borderless window does not become the key window.
    void makeKeyAndOrderFront();
    // Hides the window.
    void orderOut();

    // The label group of a window that belongs to one, for inspection; none for plain windows.
    [[nodiscard]] virtual std::optional<std::string> inspectionCategory() const { return std::nullopt; }

private:
    Rect frame_;
    std::uint64_t styleMask_;
    BackingStore backing_;
    int level_ = 0;
    bool opaque_ = true;
    bool hasShadow_ = true;
    bool visible_ = false;
    Color backgroundColor_ = Color::whiteColor();
    View contentView_;
};

}  // namespace platform::appkit
