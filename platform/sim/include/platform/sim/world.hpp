// The simulated macOS: a deterministic world that tests and tools set up, drive, inspect and reset.
//
// Everything the libraries ask of the platform seam is answered from here. The main queue runs only
// when pumped, delayed blocks wait for the virtual clock, and every request and effect is recorded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/accessibility.hpp"
#include "platform/appkit.hpp"
#include "platform/geometry.hpp"
#include "platform/privacy.hpp"
#include "platform/sim/event_flags.hpp"

namespace platform::sim {

// How a read of one attribute of one element fails.
enum class AttributeFailure {
    none,       // the stored value is returned
    error,      // the read returns an error code (cannotComplete) and no value
    noValue,    // the read returns success and no value
    wrongType,  // the read returns success and a value of another type (an OtherValue)
};

// The answer a host add-in macro gives to a script that runs it.
struct ScriptAnswer {
    enum class Kind { text, noString, error, creationFails };
    Kind kind = Kind::text;
    std::string text;  // the answer for text, the error description for error

    static ScriptAnswer withText(std::string value) { return {Kind::text, std::move(value)}; }
    static ScriptAnswer withoutString() { return {Kind::noString, {}}; }
    static ScriptAnswer withError(std::string description) { return {Kind::error, std::move(description)}; }
    static ScriptAnswer creationFailure() { return {Kind::creationFails, {}}; }
    // An error whose description is the error dictionary as the platform prints one (see
    // errorDictionaryText); with no message given, the platform's wording for the number.
    static ScriptAnswer withErrorNumber(int number, std::optional<std::string> message = std::nullopt);
};

// The text form of a failed script run's error dictionary, as the platform prints a dictionary: an
// opening brace, one key a line indented four spaces in key order, a closing brace, no line feed at
// the end. A text is quoted, with quotation marks, backslashes, line feeds and tabs escaped and every
// character beyond ASCII written as \Uxxxx (UTF-16 units), unless it is made of letters, digits and
// _$.:/ only; the number is bare. For example, for -1728 and "Can’t get object.":
//   {
//       NSAppleScriptErrorBriefMessage = "Can\U2019t get object.";
//       NSAppleScriptErrorMessage = "Can\U2019t get object.";
//       NSAppleScriptErrorNumber = -1728;
//       NSAppleScriptErrorRange = "NSRange: {0, 0}";
//   }
std::string errorDictionaryText(int number, std::string_view message);

// The platform's wording of an error number: -1728, -1743, -1708, -1712, -600 and -2741 have their
// own; any other number reads "An error of type <number> has occurred.".
std::string scriptErrorMessage(int number);

// One element to add to an accessibility tree. Position is the accessibility position: the top left
// corner measured from the top left of the primary screen, y growing downward.
struct ElementSetup {
    std::string role;
    std::optional<std::string> title;
    std::optional<std::string> description;
    std::optional<ax::Value> value;
    std::optional<Point> position;
    std::optional<Size> size;
    bool enabled = true;
    // Action names; empty means the default for the role ("AXPress", plus "AXShowMenu" for menu
    // buttons, "AXCancel" for popovers, "AXRaise" for windows).
    std::vector<std::string> actions;
    std::string name;  // optional handle for tests to find the element by
};

// Where a menu goes when a button shows it: the accessibility position of its top left corner.
using MenuPlacement = std::function<Point()>;

// A performed accessibility action, with the element's role and title at that moment.
struct ActionRecord {
    ax::Element element;
    std::string action;
    std::string role;
    std::optional<std::string> title;
    std::optional<std::string> description;
    ax::Error result = ax::Error::success;
    bool shown = false;  // the element was in a window's tree at that moment
};

struct AttributeSetRecord {
    ax::Element element;
    std::string attribute;
    ax::Value value;
    std::string role;
    std::optional<std::string> title;
    ax::Error result = ax::Error::success;
    bool shown = false;  // the element was in a window's tree at that moment
};

// A window of the libraries (a label window) as it stands now.
// Its number names the window for good; the pointer is there only while the window is alive (null in a
// record of a window since destroyed).
struct WindowInfo {
    const appkit::Window* window = nullptr;
    std::uint64_t number = 0;  // given when the window was made, never given to another window
    Rect frame;
    std::string text;                     // the string of its first text field
    std::optional<std::string> category;  // the user-interface item identifier a label window carries
    double backgroundAlpha = 0;
    int level = 0;
    bool visible = false;
};

// A change of a library window: shown (make key and order front) or ordered out.
struct WindowEvent {
    enum class Kind { shown, orderedOut };
    Kind kind = Kind::shown;
    WindowInfo info;
};

// One entry of the records in the order they were made: which record, and its index in that record's
// list (actions(), attributeSets(), logLines() or alerts()).
struct HistoryEntry {
    enum class Kind { action, attributeSet, log, alert };
    Kind kind = Kind::action;
    std::size_t index = 0;
    friend bool operator==(const HistoryEntry&, const HistoryEntry&) = default;
};

class World {
public:
    // Returns the world to its initial state: one primary screen of 1440 x 900 points, the preferred
    // languages ["en-US"], no applications, no monitors, observers, windows or queued blocks, the
    // clock at 0, the alert answer 1001 (second button), the default script answers, empty records,
    // no modifier key held and every fidelity setting below at its default.
    void reset();

    // ---- Fidelity settings ----
    // Late effects (default off). Off: an action's effect on the host's tree happens before the action
    // returns. On: pressing a tab (its selection and its panel), showing a menu ("AXShowMenu", or
    // "AXPress" on a button whose menu opens on press), cancelling a popover, toggling a check box and
    // closing the menus of a chosen item change the tree in a main-queue block that the action queues,
    // as a host may do; the action's
    // record and its result are still there at once, and "AXRaise" and attribute sets still act at once.
    void setLateEffects(bool late);
    [[nodiscard]] bool lateEffects() const;

    // Seeded interleaving (default none: pump() runs every detached task before the main-queue blocks,
    // each in the order queued). With a seed, pump() chooses at each step, while tasks wait, among the
    // waiting tasks and the next main-queue block, each waiting task and block as likely as any other
    // (a seeded random merge): main-queue blocks keep their order, while a task may run before,
    // between or after them, and tasks may run in any order among themselves. The same seed gives the
    // same order. Delayed blocks that are due still run once both queues are empty. Setting a seed
    // (again) restarts its sequence; none returns to the default order.
    void setInterleavingSeed(std::optional<std::uint64_t> seed);

    // Bare events (default off). Off: the keyboard events the world builds carry the bits a Mac's
    // events carry besides the modifiers (see event_flags.hpp): World::keyDown and
    // World::flagsChanged, events injected into the taps (injectTapEvent adds them to what it is
    // given), and new keyboard events created from an event source. A flags comparison by equality
    // therefore fails here as it would on a Mac; bit tests pass. On: events carry exactly the flags
    // given (new events: only the held modifiers, when their source reads them).
    void setBareEvents(bool bare);
    [[nodiscard]] bool bareEvents() const;

    // The modifier keys held at this moment (the modifier bits of heldModifierMask; default none).
    // Every key or flags-changed event that deliver() or injectTapEvent() hands over sets it to that
    // event's modifier bits, as the keyboard does; events the libraries post do not change it. A new
    // keyboard event made from a source of the HID system state or the combined session state starts
    // with these flags (plus its device bits) until flags are set on it; one from a private-state
    // source or from no source starts with no modifier.
    void setHeldModifierFlags(std::uint64_t flags);
    [[nodiscard]] std::uint64_t heldModifierFlags() const;

    // ---- Applications and system settings ----
    // Adds a running application (at the end of the workspace's list) and returns its process id.
    int launchApplication(std::optional<std::string> bundleIdentifier);
    void quitApplication(int processIdentifier);
    void setFrontmost(std::optional<int> processIdentifier);
    void setScreens(std::vector<Rect> frames);
    void setPreferredLanguages(std::vector<std::string> languages);
    void setAlertAnswer(long response);
    // The answer of the macro whose name appears in a script's text ("GetEnableKeyboardShortcuts",
    // "GetLanguageCode", "GetEnableColumnSelector"). Defaults: "True", "1033", "True".
    void setScriptAnswer(std::string macroName, ScriptAnswer answer);
    // The privacy permissions the user has given the host process (default: every one). Without
    // accessibility, every attribute read, action-name read, attribute write and action fails with
    // apiDisabled (writes and actions are still recorded, with that result); without the access an
    // event tap needs (posting for a tap that may change events, listening for a listen-only one),
    // its creation fails.
    void setPermissions(privacy::Permissions permissions);
    [[nodiscard]] privacy::Permissions permissions() const;

    // ---- Accessibility trees ----
    ax::Element applicationElement(int processIdentifier);
    // Adds a window with a title (absent: the window has no "AXTitle"); the first window of an
    // application becomes its focused window.
    ax::Element addWindow(int processIdentifier, std::optional<std::string> title, Rect frame = {});
    void setFocusedWindow(int processIdentifier, std::optional<ax::Element> window);
    [[nodiscard]] std::optional<ax::Element> focusedWindow(int processIdentifier);
    ax::Element addElement(ax::Element parent, ElementSetup setup);
    // Makes an element that no tree holds yet (a tab's panel, a menu), to be shown later.
    ax::Element createDetached(ElementSetup setup);
    // Puts an existing element also under a second parent.
    void addChild(ax::Element parent, ax::Element child);
    void removeChild(ax::Element parent, ax::Element child);
    std::vector<ax::Element> children(ax::Element element) const;
    // From now on every read and action of the element fails with invalidUIElement.
    void vanish(ax::Element element);
    void setAttribute(ax::Element element, std::string attribute, ax::Value value);
    void removeAttribute(ax::Element element, std::string_view attribute);
    void failAttribute(ax::Element element, std::string attribute, AttributeFailure failure);
    void failActionNames(ax::Element element, bool fail);
    void setEnabled(ax::Element element, bool enabled);
    std::optional<ax::Value> attribute(ax::Element element, std::string_view attribute) const;
    // The element a fixture or setup named; the default handle when none has that name.
    ax::Element find(std::string_view name) const;
    // The first element, depth first from the application's windows, with this role and title.
    ax::Element findByTitle(int processIdentifier, std::string_view role, std::string_view title);

    // Behaviours. Pressing a tab ("AXRadioButton") selects it: its "AXValue" becomes 1 and its sibling
    // radio buttons' 0, and its panel's children replace the children of the content element. Each
    // value keeps its form: a boolean "AXValue" becomes true or false, any other 1 or 0.
    void setTabPanel(ax::Element tab, ax::Element content, ax::Element panel);
    // "AXShowMenu" on the button (and "AXPress" when opensOnPress) puts the menu element at the end
    // of the focused window's children at once. "AXCancel" on an "AXPopover" removes it from its
    // parents. "AXPress" on a check box toggles its "AXValue" (true / false when it is a boolean, else
    // 1 / 0; an absent or zero value becomes 1). "AXPress" on an item of a menu (an element below an
    // "AXPopover", not one itself) chooses it, unless the press shows a menu or the item is a combo box
    // ("AXComboBox", which a press, like a focus, only readies for typing): as a host closes its
    // menus when an item is chosen, every popover above the item is removed from its parents, and so
    // is every popover above the button that last showed a removed one (a menu opened from an item of
    // another menu closes that menu too).
    // "AXRaise" on a window makes it the focused window. Setting "AXFocused" stores the value.
    // Every action is recorded with its result: invalidUIElement on a vanished element,
    // actionUnsupported for a name the element does not list, cannotComplete on a disabled element
    // (which then does nothing); success otherwise.
    // A placement, when given, is asked at each showing where the menu's top left corner goes; the
    // menu and every element below it move there together.
    void setMenu(ax::Element button, ax::Element menu, bool opensOnPress = false,
                 MenuPlacement placement = {});
    // Moves an element to a position and every element below it by the same offset.
    void moveElement(ax::Element element, Point position);

    // Compact indented text trees, one element a line, two spaces of indentation a level:
    //   window "Book1"
    //     AXRadioButton "Home" value=1 pos=10,40 size=40,20 name=home
    //     AXButton desc="Close" pos=0,0 size=10,10 disabled actions=AXPress,AXRaise
    // A line starting with "window" adds a window (with its title, or none); other lines give the
    // role, then an optional quoted title, then key=value items (desc, value (integer, number,
    // true/false or quoted text), pos, size, actions, name) and the word "disabled". Quoted texts
    // take \" \\ and \n escapes. An empty quoted title ("") gives a present, empty "AXTitle", unlike
    // no title. Returns the windows in order.
    std::vector<ax::Element> loadFixture(int processIdentifier, std::string_view text);

    // ---- Main queue, clock and tasks ----
    // Runs queued detached tasks and main-queue blocks, including those they queue, until none is
    // left that is due. Returns the number of blocks and tasks run.
    std::size_t pump();
    // Moves the virtual clock forward, running every delayed block that falls due, in deadline order,
    // each followed by a pump.
    void advanceClock(double seconds);
    [[nodiscard]] double now() const;
    [[nodiscard]] std::size_t pendingMainBlocks() const;
    [[nodiscard]] std::size_t pendingDelayedBlocks() const;
    [[nodiscard]] std::size_t pendingTasks() const;
    // Held tasks (default off): while on, pump() and advanceClock() leave detached tasks waiting, so an
    // event can be delivered after a task was started and before it runs. runTasks() runs the waiting
    // tasks (and those they start), in the order started, and no main-queue block.
    void setTasksHeld(bool held);
    std::size_t runTasks();

    // ---- Events through the local monitors ----
    // Hands the event to the installed monitors whose mask matches, in order of installation; the
    // event a monitor returns goes on to the next. Returns what the host receives (none: swallowed).
    std::optional<appkit::Event> deliver(const appkit::Event& event);
    // The key and flags-changed events add the key's device bits to the flags given, unless bare
    // events are on (see setBareEvents).
    static appkit::Event keyDown(std::uint16_t keyCode, std::optional<std::string> characters,
                                 appkit::ModifierFlags flags = 0);
    static appkit::Event flagsChanged(std::uint16_t keyCode, appkit::ModifierFlags flags);
    static appkit::Event mouseDown(bool left = true);
    void postNotification(std::string_view name);
    [[nodiscard]] std::size_t monitorCount() const;
    [[nodiscard]] std::size_t observerCount() const;

    // ---- Records ----
    [[nodiscard]] std::vector<std::string> logLines() const;
    [[nodiscard]] std::string standardOutput() const;
    [[nodiscard]] std::vector<appkit::Alert> alerts() const;
    [[nodiscard]] std::vector<std::string> openedURLs() const;
    [[nodiscard]] std::vector<std::string> scriptsRun() const;
    [[nodiscard]] std::vector<ActionRecord> actions() const;
    [[nodiscard]] std::vector<AttributeSetRecord> attributeSets() const;
    [[nodiscard]] std::vector<appkit::Event> hostReceived() const;
    // The actions, attribute sets, log lines and alerts above, merged in the order they happened.
    [[nodiscard]] std::vector<HistoryEntry> history() const;
    // Library windows alive now, in creation order, and the shown / ordered-out history.
    [[nodiscard]] std::vector<WindowInfo> windows() const;
    [[nodiscard]] std::vector<WindowInfo> visibleWindows() const;
    [[nodiscard]] std::vector<WindowEvent> windowEvents() const;
    // Requests by kind: "copyAttributeValue", "copyAttributeValue AXRole" (one per attribute name),
    // "copyActionNames", "setAttributeValue", "performAction", "runningApplications",
    // "frontmostApplication", "screens".
    [[nodiscard]] std::size_t requestCount(std::string_view kind) const;
    [[nodiscard]] std::map<std::string, std::size_t> requestCounts() const;
    void clearRecords();

    // The screen as an SVG picture: the focused windows' elements with their frames, and the visible
    // library windows on top.
    [[nodiscard]] std::string svg() const;

    // Used by the seam implementation.
    void countRequest(std::string_view kind);
    void recordLog(std::string_view line);
    void recordStandardOutput(std::string_view text);
};

// The process's one world.
World& world();

}  // namespace platform::sim
