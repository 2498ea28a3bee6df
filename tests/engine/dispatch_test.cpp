// Event dispatch and key-tip mode: the handlers' rules as (state, event) -> (pass or swallow, state
// after, blocks queued, lines logged), Option-chord sequences, the ways the mode ends, the resign-active
// shutdown, the key buffers and how typed text is routed.
#include <algorithm>
#include <string>
#include <vector>

#include "engine_test_support.hpp"

namespace enginetest {
namespace {

using test_support::PrintTo;

using platform::sim::World;
using Lines = std::vector<std::string>;

constexpr appkit::ModifierFlags option = appkit::optionFlag;

struct State {
    bool enabled = true;
    bool first = false;
    bool second = false;
    bool block = false;
    std::string buffer;
};

State idle() { return {}; }
State first(std::string buffer = {}) { return {true, true, false, false, std::move(buffer)}; }
State second() { return {true, false, true, false, {}}; }
State blocked(State state) {
    state.block = true;
    return state;
}
State off(State state) {
    state.enabled = false;
    return state;
}

struct Rule {
    const char* name;
    State before;
    appkit::Event event;
    bool passes;
    State after;
    std::size_t blocksQueued;
    Lines lines;
};

using Dispatch = EngineTest;

// The engine on the small tables in US English, brought into the rule's state through the mode's
// transitions; the rule's event goes straight to its handler.
class HandlerRules : public EngineTest, public ::testing::WithParamInterface<Rule> {
protected:
    void reach(const State& state) {
        tips->EnableAccessKeys = state.enabled;
        if (state.first || state.second) {
            peer().openMode();
        }
        if (state.second) {
            peer().enterSecondLayer();
        }
        if (state.block) {
            peer().holdOptionChord();
        }
        peer().typeAtTabs(state.buffer);
    }
};

std::vector<Rule> handlerRules() {
    const std::string odd("a\0\xff", 3);  // an embedded NUL and a byte that is not UTF-8
    return {
        // Key down.
        {"idle key", idle(), World::keyDown(keys::h, "h"), true, idle(), 0, {}},
        {"idle Option chord", idle(), World::keyDown(keys::c, "c", option), true, blocked(idle()), 0, {}},
        {"first Option chord", first(), World::keyDown(keys::c, "c", option), true, blocked(first()), 0, {}},
        {"second Option chord",
         second(),
         World::keyDown(keys::b, "b", option),
         true,
         blocked(second()),
         0,
         {}},
        {"Option key code with Option flag is no chord",
         idle(),
         World::keyDown(keys::leftOption, std::nullopt, option),
         true,
         idle(),
         0,
         {}},
        {"left arrow", first("j"), World::keyDown(keys::leftArrow, std::nullopt), true, first("j"), 0, {}},
        {"up arrow", second(), World::keyDown(keys::upArrow, std::nullopt), true, second(), 0, {}},
        {"Return", first(), World::keyDown(keys::returnKey, "\r"), true, first(), 1, {}},
        {"Escape", second(), World::keyDown(keys::escape, "\x1b"), false, second(), 1, {}},
        {"no characters", first("j"), World::keyDown(keys::h, std::nullopt), false, first("j"), 0, {}},
        {"tab letter",
         first(),
         World::keyDown(keys::h, "h"),
         false,
         second(),
         1,
         {"VELKARO || Key pressed Layer One: h"}},
        {"Shift+H",
         first(),
         World::keyDown(keys::h, "H", appkit::shiftFlag),
         false,
         second(),
         1,
         {"VELKARO || Key pressed Layer One: h"}},
        {"prefix",
         first(),
         World::keyDown(keys::j, "j"),
         false,
         first("j"),
         1,
         {"VELKARO || Key pressed Layer One: j"}},
        {"prefix completed",
         first("j"),
         World::keyDown(keys::s, "s"),
         false,
         second(),
         1,
         {"VELKARO || Key pressed Layer One: s"}},
        {"no candidate",
         first(),
         World::keyDown(keys::q, "q"),
         false,
         first(),
         1,
         {"VELKARO || Key pressed Layer One: q", "No access keys found starting with q"}},
        {"space",
         first(),
         World::keyDown(keys::space, " "),
         false,
         first(),
         1,
         {"VELKARO || Key pressed Layer One:  ", "No access keys found starting with  "}},
        {"digit",
         first(),
         World::keyDown(keys::one, "1"),
         false,
         first("1"),
         1,
         {"VELKARO || Key pressed Layer One: 1"}},
        {"letter after a digit",
         first("0"),
         World::keyDown(keys::h, "h"),
         false,
         first(),
         1,
         {"VELKARO || Key pressed Layer One: h", "No access keys found starting with 0h"}},
        {"several characters",
         first(),
         World::keyDown(keys::j, "JS"),
         false,
         second(),
         1,
         {"VELKARO || Key pressed Layer One: js"}},
        {"format directives",
         first(),
         World::keyDown(keys::q, "%@%n"),
         false,
         first(),
         1,
         {"VELKARO || Key pressed Layer One: %@%n", "No access keys found starting with %@%n"}},
        {"embedded NUL and stray bytes",
         first(),
         World::keyDown(keys::q, std::string("A\0\xff", 3)),
         false,
         first(),
         1,
         {"VELKARO || Key pressed Layer One: " + odd, "No access keys found starting with " + odd}},
        {"second layer key",
         second(),
         World::keyDown(keys::b, "B", appkit::shiftFlag),
         false,
         second(),
         1,
         {"VELKARO || Key pressed Layer Two: b"}},
        {"second layer digit",
         second(),
         World::keyDown(keys::one, "1"),
         false,
         second(),
         1,
         {"VELKARO || Key pressed Layer Two: 1"}},
        {"off: Escape", off(first()), World::keyDown(keys::escape, "\x1b"), true, off(first()), 0, {}},
        {"off: Option chord", off(idle()), World::keyDown(keys::c, "c", option), true, off(idle()), 0, {}},
        {"off: letter", off(first()), World::keyDown(keys::h, "h"), true, off(first()), 0, {}},
        // Flags changed.
        {"Option down", idle(), World::flagsChanged(keys::leftOption, option), true, idle(), 0, {}},
        {"Option up opens", idle(), World::flagsChanged(keys::leftOption, 0), true, first(), 1, {}},
        {"right Option up opens", idle(), World::flagsChanged(keys::rightOption, 0), true, first(), 1, {}},
        {"blocked Option up", blocked(idle()), World::flagsChanged(keys::leftOption, 0), true, idle(), 0, {}},
        {"Option with Shift",
         idle(),
         World::flagsChanged(keys::shift, option | appkit::shiftFlag),
         true,
         blocked(idle()),
         0,
         {}},
        {"Option with Command",
         first(),
         World::flagsChanged(keys::command, option | appkit::commandFlag),
         true,
         blocked(first()),
         0,
         {}},
        {"Option with Control",
         idle(),
         World::flagsChanged(keys::control, option | appkit::controlFlag),
         true,
         blocked(idle()),
         0,
         {}},
        {"Option with Caps Lock",
         idle(),
         World::flagsChanged(keys::capsLock, option | appkit::capsLockFlag),
         true,
         idle(),
         0,
         {}},
        {"Option down while open",
         first(),
         World::flagsChanged(keys::leftOption, option),
         true,
         first(),
         0,
         {}},
        {"Option up while open", first(), World::flagsChanged(keys::leftOption, 0), true, first(), 1, {}},
        {"blocked Option up while open",
         blocked(second()),
         World::flagsChanged(keys::rightOption, 0),
         true,
         second(),
         1,
         {}},
        {"Shift while open",
         first(),
         World::flagsChanged(keys::shift, appkit::shiftFlag),
         true,
         first(),
         1,
         {}},
        {"Shift released while open", second(), World::flagsChanged(keys::shift, 0), true, second(), 1, {}},
        {"Caps Lock while open",
         first(),
         World::flagsChanged(keys::capsLock, appkit::capsLockFlag),
         true,
         first(),
         1,
         {}},
        {"Function while open",
         second(),
         World::flagsChanged(keys::function, appkit::functionFlag),
         true,
         second(),
         1,
         {}},
        {"Shift while idle",
         idle(),
         World::flagsChanged(keys::shift, appkit::shiftFlag),
         true,
         idle(),
         0,
         {}},
        {"off: Option up", off(idle()), World::flagsChanged(keys::leftOption, 0), true, off(idle()), 0, {}},
        {"off: Shift while open",
         off(first()),
         World::flagsChanged(keys::shift, appkit::shiftFlag),
         true,
         off(first()),
         0,
         {}},
        {"off: Option with Shift",
         off(idle()),
         World::flagsChanged(keys::shift, option | appkit::shiftFlag),
         true,
         off(idle()),
         0,
         {}},
        // Mouse down.
        {"click while idle", idle(), World::mouseDown(true), true, idle(), 0, {}},
        {"left click while open", first(), World::mouseDown(true), true, first(), 1, {}},
        {"right click while open", second(), World::mouseDown(false), true, second(), 1, {}},
        {"off: click while open", off(first()), World::mouseDown(true), true, off(first()), 0, {}},
    };
}

TEST_P(HandlerRules, PassOrSwallowTheEventAndLeaveTheStateOfTheRule) {
    const Rule& rule = GetParam();
    tips->language = "1033";
    tips->initializeAccessKeys();
    reach(rule.before);
    std::optional<appkit::Event> result;
    switch (rule.event.type) {
        case appkit::EventType::keyDown:
            result = tips->handleKeyDownEvent(rule.event);
            break;
        case appkit::EventType::flagsChanged:
            result = tips->handleFlagsChangedEvent(rule.event);
            break;
        case appkit::EventType::leftMouseDown:
        case appkit::EventType::rightMouseDown:
            result = tips->handleMouseDownEvent(rule.event);
            break;
    }
    EXPECT_EQ(result.has_value(), rule.passes) << rule.name;
    if (result) {
        EXPECT_EQ(result->keyCode, rule.event.keyCode) << rule.name;
        EXPECT_EQ(result->modifierFlags, rule.event.modifierFlags) << rule.name;
        EXPECT_EQ(result->charactersIgnoringModifiers, rule.event.charactersIgnoringModifiers) << rule.name;
    }
    EXPECT_EQ(tips->EnableAccessKeys, rule.after.enabled) << rule.name;
    EXPECT_EQ(tips->mode().isFirstLayerActive(), rule.after.first) << rule.name;
    EXPECT_EQ(tips->mode().isSecondLayerActive(), rule.after.second) << rule.name;
    EXPECT_EQ(tips->mode().blockAccessibility(), rule.after.block) << rule.name;
    EXPECT_EQ(tips->mode().firstLayerKeyBuffer(), rule.after.buffer) << rule.name;
    EXPECT_EQ(world().pendingMainBlocks(), rule.blocksQueued) << rule.name;
    EXPECT_EQ(world().logLines(), rule.lines) << rule.name;
}

INSTANTIATE_TEST_SUITE_P(Dispatch, HandlerRules, ::testing::ValuesIn(handlerRules()),
                         test_support::NameOfCase());

// Sequences of events delivered through the monitors from idle, with a host window whose Home tab and
// toolbar button get labels; then the queue is run.
struct Sequence {
    const char* name;
    std::vector<appkit::Event> events;
    bool open;   // key-tip mode open at the end
    bool block;  // blockAccessibility at the end
};

class OptionChordSequences : public EngineTest, public ::testing::WithParamInterface<Sequence> {};

std::vector<Sequence> optionChordSequences() {
    const appkit::Event optionDown = World::flagsChanged(keys::leftOption, option);
    const appkit::Event optionUp = World::flagsChanged(keys::leftOption, 0);
    return {
        {"lone tap", {optionDown, optionUp}, true, false},
        {"Option+c", {optionDown, World::keyDown(keys::c, "c", option)}, false, true},
        {"Option+c, release", {optionDown, World::keyDown(keys::c, "c", option), optionUp}, false, false},
        {"Option+c, release, tap",
         {optionDown, World::keyDown(keys::c, "c", option), optionUp, optionDown, optionUp},
         true,
         false},
        {"Shift held, Option tapped",
         {World::flagsChanged(keys::shift, appkit::shiftFlag),
          World::flagsChanged(keys::leftOption, appkit::shiftFlag | option),
          World::flagsChanged(keys::leftOption, appkit::shiftFlag), World::flagsChanged(keys::shift, 0)},
         false,
         false},
        {"both Option keys",
         {optionDown, World::flagsChanged(keys::rightOption, option),
          World::flagsChanged(keys::leftOption, option), World::flagsChanged(keys::rightOption, 0)},
         true,
         false},
        {"Command+Option, release both",
         {World::flagsChanged(keys::command, appkit::commandFlag),
          World::flagsChanged(keys::leftOption, appkit::commandFlag | option),
          World::flagsChanged(keys::command, option), optionUp},
         false,
         false},
        {"second tap closes", {optionDown, optionUp, optionDown, optionUp}, false, false},
        {"Option+key while open stays open",
         {optionDown, optionUp, optionDown, World::keyDown(keys::c, "c", option)},
         true,
         true},
        {"Option+key while open, release closes",
         {optionDown, optionUp, optionDown, World::keyDown(keys::c, "c", option), optionUp},
         false,
         false},
        {"arrows while open",
         {optionDown, optionUp, World::keyDown(keys::leftArrow, std::nullopt)},
         true,
         false},
    };
}

TEST_P(OptionChordSequences, ReachTheHostAndLeaveTheModeAsListed) {
    const Sequence& sequence = GetParam();
    launchHost(bookFixture);
    start();
    world().clearRecords();
    for (const appkit::Event& event : sequence.events) {
        const bool swallowed = !deliver(event).has_value();
        // Flag changes, chords and arrows always reach the host.
        EXPECT_FALSE(swallowed) << sequence.name;
        world().pump();
    }
    EXPECT_EQ(tips->isLayerActive(), sequence.open) << sequence.name;
    EXPECT_EQ(tips->mode().blockAccessibility(), sequence.block) << sequence.name;
    EXPECT_EQ(world().visibleWindows().empty(), !sequence.open) << sequence.name;
    EXPECT_EQ(world().hostReceived().size(), sequence.events.size()) << sequence.name;
}

INSTANTIATE_TEST_SUITE_P(Dispatch, OptionChordSequences, ::testing::ValuesIn(optionChordSequences()),
                         test_support::NameOfCase());

struct ResignState {
    const char* name;
    bool enabled;
    bool open;
};

const ResignState resignStates[] = {{"idle", true, false},
                                    {"open", true, true},
                                    {"open, key tips off", false, true},
                                    {"idle, key tips off", false, false}};

class ResignActive : public EngineTest, public ::testing::WithParamInterface<ResignState> {};

TEST_P(ResignActive, ShutsDownAtOnce) {
    const ResignState& c = GetParam();
    launchHost(bookFixture);
    start();
    if (c.open) {
        // The Home tab's command layer, with its label on Bold.
        tapOption();
        world().pump();
        type(keys::h, "h");
        world().pump();
        ASSERT_EQ(tips->mode().layerHistory(), Lines{"Home"}) << c.name;
        ASSERT_EQ(world().visibleWindows().size(), 1U) << c.name;
    }
    tips->EnableAccessKeys = c.enabled;
    world().clearRecords();
    world().postNotification(appkit::applicationDidResignActiveNotification);
    EXPECT_EQ(world().pendingMainBlocks(), 0U) << c.name;
    EXPECT_FALSE(tips->isLayerActive()) << c.name;
    EXPECT_TRUE(tips->mode().layerHistory().empty()) << c.name;
    EXPECT_TRUE(world().visibleWindows().empty()) << c.name;
    const Lines lines = world().logLines();
    ASSERT_FALSE(lines.empty()) << c.name;
    EXPECT_EQ(lines[0], "VELKARO || Application lost focus. Performing custom actions.") << c.name;
    // The window step runs also while idle: the host's windows are listed. The window the first layer
    // opened on is raised; with no mode opened yet, none is remembered.
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Window Title: Book1"), lines.end()) << c.name;
    const auto actions = world().actions();
    const bool raised = std::any_of(actions.begin(), actions.end(), [](const auto& a) {
        return a.action == "AXRaise" && a.title == "Book1";
    });
    EXPECT_EQ(raised, c.open) << c.name;
    // The mode is over: a letter typed next reaches the host.
    EXPECT_TRUE(type(keys::b, "b").has_value()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Dispatch, ResignActive, ::testing::ValuesIn(resignStates),
                         test_support::NameOfCase());

// Ending the mode and opening the first layer both empty the two key buffers.
struct LastMode {
    const char* name;
    std::vector<appkit::Event> typed;  // typed in the mode before, then Escape
};

class KeyBuffers : public EngineTest, public ::testing::WithParamInterface<LastMode> {};

std::vector<LastMode> lastModes() {
    return {
        {"ribbon prefix", {World::keyDown(keys::j, "j")}},
        {"toolbar digit", {World::keyDown(keys::zero, "0")}},
    };
}

TEST_P(KeyBuffers, StartEmptyInTheNextMode) {
    const LastMode& c = GetParam();
    openFirstLayerInBook();
    for (const appkit::Event& event : c.typed) {
        deliver(event);
    }
    deliver(World::keyDown(keys::escape, "\x1b"));
    world().pump();
    EXPECT_TRUE(tips->mode().firstLayerKeyBuffer().empty()) << c.name;
    EXPECT_TRUE(tips->mode().keyBuffer().empty()) << c.name;
    tapOption();
    EXPECT_FALSE(deliver(World::keyDown(keys::h, "h")).has_value());
    EXPECT_TRUE(tips->mode().isSecondLayerActive()) << c.name << ": \"h\" selects Home";
    world().pump();
    EXPECT_EQ(tips->mode().layerHistory(), Lines{"Home"}) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Dispatch, KeyBuffers, ::testing::ValuesIn(lastModes()), test_support::NameOfCase());

// Left-overs from elsewhere are dropped when the first layer opens.
TEST_F(Dispatch, LeftOverKeyBuffersAreEmptiedWhenTheFirstLayerOpens) {
    start();
    peer().typeAtTabs("j");
    peer().typeInLayer("x");
    tapOption();
    EXPECT_TRUE(tips->mode().firstLayerKeyBuffer().empty());
    EXPECT_TRUE(tips->mode().keyBuffer().empty());
}

// Keys holding a decimal digit of any script go to the Quick Access Toolbar layer, other keys to the
// ribbon-tab layer.
struct TypedText {
    const char* name;
    const char* characters;
    bool toolbar;
};

const TypedText typedTexts[] = {
    {"digit seven", "7", true},
    {"Arabic-Indic digit three", "\xd9\xa3", true},
    {"Devanagari digit three", "\xe0\xa5\xa9", true},
    {"fullwidth digit one", "\xef\xbc\x91", true},
    {"mathematical bold digit zero", "\xf0\x9d\x9f\x8e", true},
    {"letter then digit", "a1", true},
    {"superscript two, not a decimal digit", "\xc2\xb2", false},
    {"Roman numeral four", "\xe2\x85\xa3", false},
    {"e with acute", "\xc3\xa9", false},
    {"not UTF-8", "\xff", false},
};

class TypedTextInTheFirstLayer : public EngineTest, public ::testing::WithParamInterface<TypedText> {};

TEST_P(TypedTextInTheFirstLayer, GoesToTheToolbarLayerWhenItHoldsADigitOfAnyScript) {
    const TypedText& c = GetParam();
    openFirstLayerInBook();
    world().clearRecords();
    EXPECT_FALSE(type(keys::q, c.characters).has_value()) << c.characters;
    EXPECT_EQ(world().pendingMainBlocks(), 1U);
    const Lines atOnce = world().logLines();
    ASSERT_FALSE(atOnce.empty());
    const std::string key = atOnce[0].substr(std::string("VELKARO || Key pressed Layer One: ").size());
    // The match check runs only for keys bound for the ribbon-tab layer.
    EXPECT_EQ(atOnce.size(), c.toolbar ? 1U : 2U) << c.characters;
    EXPECT_EQ(tips->mode().firstLayerKeyBuffer(), c.toolbar ? key : "") << c.characters;
    world().pump();
    const Lines lines = logSince(atOnce.size());
    const std::string toolbarLine = "VELKARO || QAT: No access keys found starting with " + key;
    EXPECT_EQ(std::find(lines.begin(), lines.end(), toolbarLine) != lines.end(), c.toolbar) << c.characters;
    EXPECT_FALSE(tips->isLayerActive()) << c.characters;
}

INSTANTIATE_TEST_SUITE_P(Dispatch, TypedTextInTheFirstLayer, ::testing::ValuesIn(typedTexts),
                         test_support::NameOfCase());

struct ShiftedLetter {
    const char* name;
    const char* typed;
    const char* key;
};

const ShiftedLetter shiftedLetters[] = {{"Latin H", "H", "h"},
                                        {"E with acute", "\xc3\x89", "\xc3\xa9"},
                                        {"Greek capital sigma", "\xce\xa3", "\xcf\x83"},
                                        {"J and A with diaeresis", "J\xc3\x84", "j\xc3\xa4"}};

class ShiftedLetters : public EngineTest, public ::testing::WithParamInterface<ShiftedLetter> {};

TEST_P(ShiftedLetters, AreLowerCased) {
    const ShiftedLetter& c = GetParam();
    peer().openMode();
    tips->handleKeyDownEvent(World::keyDown(keys::h, c.typed, appkit::shiftFlag));
    ASSERT_FALSE(world().logLines().empty());
    EXPECT_EQ(world().logLines()[0], std::string("VELKARO || Key pressed Layer One: ") + c.key);
}

INSTANTIATE_TEST_SUITE_P(Dispatch, ShiftedLetters, ::testing::ValuesIn(shiftedLetters),
                         test_support::NameOfCase());

// Keys typed in the second layer go to the command layer and never into the first-layer buffer; keys
// typed before the queued tab press has run already count as second-layer keys.
TEST_F(Dispatch, KeysAfterATabMatchGoToTheCommandLayer) {
    openFirstLayerInBook();
    EXPECT_FALSE(type(keys::h, "h").has_value());
    EXPECT_FALSE(type(keys::b, "b").has_value());
    EXPECT_TRUE(tips->mode().firstLayerKeyBuffer().empty());
    EXPECT_EQ(world().pendingMainBlocks(), 2U);
    const Lines lines = world().logLines();
    EXPECT_EQ(lines[lines.size() - 2], "VELKARO || Key pressed Layer One: h");
    EXPECT_EQ(lines.back(), "VELKARO || Key pressed Layer Two: b");
}

struct ShutDown {
    const char* name;
    keytips::Closing closing;
    bool closesWindow;
};

const ShutDown shutDowns[] = {{"closing the window", keytips::Closing::shutDown, true},
                              {"keeping the window", keytips::Closing::shutDownKeepingWindow, false}};

class ShuttingDown : public EngineTest, public ::testing::WithParamInterface<ShutDown> {};

// From the Home tab's command layer, with its label on Bold.
TEST_P(ShuttingDown, EndsTheModeAndEmptiesTheHistory) {
    const ShutDown& c = GetParam();
    openFirstLayerInBook();
    type(keys::h, "h");
    world().pump();
    ASSERT_EQ(tips->mode().layerHistory(), Lines{"Home"});
    ASSERT_EQ(world().visibleWindows().size(), 1U);
    world().clearRecords();
    tips->shutDownAccessKeys(c.closing);
    EXPECT_FALSE(tips->isLayerActive());
    EXPECT_TRUE(tips->mode().layerHistory().empty());
    EXPECT_TRUE(world().visibleWindows().empty());
    const Lines lines = world().logLines();
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "Window Title: Book1") != lines.end(), c.closesWindow);
    const auto actions = world().actions();
    EXPECT_EQ(std::any_of(actions.begin(), actions.end(),
                          [](const auto& a) { return a.action == "AXRaise" && a.title == "Book1"; }),
              c.closesWindow);
    // The mode is over: a letter typed next reaches the host, and no queued block is left to act.
    EXPECT_TRUE(type(keys::b, "b").has_value());
    EXPECT_EQ(world().pendingMainBlocks(), 0U);
}

INSTANTIATE_TEST_SUITE_P(Dispatch, ShuttingDown, ::testing::ValuesIn(shutDowns), test_support::NameOfCase());

struct BufferMatch {
    const char* name;
    const char* buffer;
    State after;
    Lines lines;
};

class CheckShortcutMatch : public EngineTest, public ::testing::WithParamInterface<BufferMatch> {};

std::vector<BufferMatch> bufferMatches() {
    return {
        {"tab", "h", second(), {}},
        {"prefix of a contextual tab", "j", first("j"), {}},
        {"contextual tab", "jc", second(), {}},
        {"prefix then no match", "jx", first(), {"No access keys found starting with jx"}},
        {"tab then more", "hh", first(), {"No access keys found starting with hh"}},
        {"empty", "", first(""), {}},
        {"format directives", "%n%s\n", first(), {"No access keys found starting with %n%s\n"}},
    };
}

TEST_P(CheckShortcutMatch, LeavesTheStateAndLogOfTheBuffer) {
    const BufferMatch& c = GetParam();
    tips->language = "1033";
    tips->initializeAccessKeys();
    // The first layer, with the buffer typed at the tabs.
    peer().openMode();
    peer().typeAtTabs(c.buffer);
    tips->checkShortcutMatch(c.buffer);
    EXPECT_EQ(tips->mode().isFirstLayerActive(), c.after.first) << c.buffer;
    EXPECT_EQ(tips->mode().isSecondLayerActive(), c.after.second) << c.buffer;
    EXPECT_EQ(tips->mode().firstLayerKeyBuffer(), c.after.buffer) << c.buffer;
    EXPECT_EQ(world().logLines(), c.lines) << c.buffer;
    EXPECT_EQ(world().pendingMainBlocks(), 0U) << c.buffer;
    // The next key goes to the layer the check left open.
    tips->handleKeyDownEvent(World::keyDown(keys::n, "n"));
    ASSERT_GT(world().logLines().size(), c.lines.size()) << c.buffer;
    EXPECT_EQ(world().logLines()[c.lines.size()],
              std::string("VELKARO || Key pressed Layer ") + (c.after.second ? "Two" : "One") + ": n")
        << c.buffer;
}

INSTANTIATE_TEST_SUITE_P(Dispatch, CheckShortcutMatch, ::testing::ValuesIn(bufferMatches()),
                         test_support::NameOfCase());

}  // namespace
}  // namespace enginetest
