// Accessibility functions: finding the host, the walk's order, depth and visited rules, the attribute
// cache, flipped positions, sizes, the element dump line and the window listings.
#include "engine/accessibility.hpp"

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "engine_test_support.hpp"

namespace enginetest {
namespace {

using test_support::PrintTo;

using keytips::AttributeCache;
using keytips::Element;
using keytips::VisitedSet;
using platform::ax::OtherValue;
using platform::ax::PackedValue;
using platform::ax::Value;
using platform::sim::AttributeFailure;
using platform::sim::ElementSetup;
using Elements = std::vector<Element>;
using Lines = std::vector<std::string>;

class Accessibility : public test_support::SimWorldTest {
protected:
    void SetUp() override {
        SimWorldTest::SetUp();
        pid = world().launchApplication(std::string(hostBundle));
    }

    static Element named(const char* name) { return world().find(name); }
    static Elements named(std::initializer_list<const char*> names) {
        Elements out;
        for (const char* name : names) {
            out.push_back(world().find(name));
        }
        return out;
    }
    // A button in a new window whose attribute holds the value if given, and whose reads of it fail as
    // given.
    [[nodiscard]] Element buttonWith(const char* attribute, const std::optional<Value>& value,
                                     std::optional<AttributeFailure> failure) const {
        const Element element =
            world().addElement(world().addWindow(pid, "W"), ElementSetup{.role = "AXButton"});
        if (value) {
            world().setAttribute(element, attribute, *value);
        }
        if (failure) {
            world().failAttribute(element, attribute, *failure);
        }
        return element;
    }
    // A chain of `levels` groups below a new window; returns the window and the chain, level 1 first.
    Element chain(int levels, Elements& below) const {
        const Element window = world().addWindow(pid, "Chain");
        Element parent = window;
        for (int i = 0; i < levels; ++i) {
            parent = world().addElement(parent, ElementSetup{.role = "AXGroup"});
            below.push_back(parent);
        }
        return window;
    }

    int pid = 0;
};

// The applications running for the look-ups: one without a bundle identifier, the host twice, another
// application and one whose bundle identifier is empty.
struct RunningApplications {
    int unnamed = 0;
    int firstHost = 0;
    int secondHost = 0;
    int other = 0;
    int empty = 0;
};

RunningApplications launchApplications() {
    RunningApplications running;
    running.unnamed = world().launchApplication(std::nullopt);
    running.firstHost = world().launchApplication(std::string(hostBundle));
    running.secondHost = world().launchApplication(std::string(hostBundle));
    running.other = world().launchApplication("com.example.other");
    running.empty = world().launchApplication("");
    return running;
}

struct BundleLookup {
    const char* name;
    std::string bundle;
    std::optional<int RunningApplications::*> expected;  // the application found; none: none is
};

const BundleLookup bundleLookups[] = {{"host", hostBundle, &RunningApplications::firstHost},
                                      {"other application", "com.example.other", &RunningApplications::other},
                                      {"empty", "", &RunningApplications::empty},
                                      {"lower case", "com.microsoft.excel", std::nullopt},
                                      {"trailing space", "com.microsoft.Excel ", std::nullopt},
                                      {"not running", "com.example.none", std::nullopt}};

// Fresh worlds with only the applications of the look-ups running.
class GetApplication : public test_support::SimWorldTest,
                       public ::testing::WithParamInterface<BundleLookup> {};

TEST_P(GetApplication, ChoosesTheFirstWithThatBundle) {
    const BundleLookup& c = GetParam();
    const RunningApplications running = launchApplications();
    const std::optional<Element> app = keytips::getApplication(c.bundle);
    ASSERT_EQ(app.has_value(), c.expected.has_value()) << c.bundle;
    if (app) {
        EXPECT_EQ(*app, world().applicationElement(running.**c.expected)) << c.bundle;
    }
    EXPECT_TRUE(world().logLines().empty());
}

INSTANTIATE_TEST_SUITE_P(Accessibility, GetApplication, ::testing::ValuesIn(bundleLookups),
                         test_support::NameOfCase());

using GetApplicationAfterAQuit = test_support::SimWorldTest;

TEST_F(GetApplicationAfterAQuit, ChoosesTheNextWithThatBundle) {
    const RunningApplications running = launchApplications();
    world().quitApplication(running.firstHost);
    EXPECT_EQ(keytips::getApplication(hostBundle), world().applicationElement(running.secondHost));
    // An application without a bundle identifier is never chosen, also for the empty argument.
    world().quitApplication(running.empty);
    EXPECT_FALSE(keytips::getApplication("").has_value());
    EXPECT_TRUE(world().logLines().empty());
}

TEST_F(Accessibility, WalkListsChildrenBeforeTheirSubtrees) {
    const Elements windows = world().loadFixture(pid, R"(window "W"
  AXGroup name=a
    AXButton name=a1
      AXButton name=a1x
    AXButton name=a2
  AXGroup name=b
    AXButton name=b1
)");
    VisitedSet visited;
    EXPECT_EQ(keytips::fetchElements(windows[0], visited), named({"a", "b", "a1", "a2", "a1x", "b1"}));
    EXPECT_EQ(visited.size(), 7U);  // the window and every element: each read once
    // A start element already visited gives nothing.
    EXPECT_TRUE(keytips::fetchElements(windows[0], visited).empty());
    EXPECT_TRUE(keytips::fetchElements(named("a"), visited).empty());
}

// A walk from a depth below a chain of 14 groups.
struct WalkDepth {
    const char* name;
    std::int64_t depth;
    std::size_t listed;   // levels 1..listed below the window
    std::size_t visited;  // elements read
};

const WalkDepth walkDepths[] = {
    {"depth 0", 0, 11, 11},           {"depth 5", 5, 6, 6},
    {"depth 10", 10, 1, 1},           {"depth 11", 11, 0, 0},
    {"depth 12", 12, 0, 0},           {"depth minus 1", -1, 12, 12},
    {"depth minus 3", -3, 14, 14},    {"largest depth", std::numeric_limits<std::int64_t>::max(), 0, 0},
    {"depth minus 100", -100, 14, 15}};

class Walk : public Accessibility, public ::testing::WithParamInterface<WalkDepth> {};

TEST_P(Walk, FollowsTheDepthAndVisitedRules) {
    const WalkDepth& c = GetParam();
    Elements levels;
    const Element window = chain(14, levels);
    VisitedSet visited;
    const Elements result = keytips::fetchElements(window, visited, c.depth);
    EXPECT_EQ(result, Elements(levels.begin(), levels.begin() + static_cast<std::ptrdiff_t>(c.listed)))
        << "depth " << c.depth;
    EXPECT_EQ(visited.size(), c.visited) << "depth " << c.depth;
    if (c.visited > 0) {
        EXPECT_TRUE(visited.count(window)) << "depth " << c.depth;
    }
    // The deepest listed element is not read further.
    if (c.listed > 0 && c.listed == c.visited && c.listed < levels.size()) {
        EXPECT_FALSE(visited.count(levels[c.listed - 1])) << "depth " << c.depth;
    }
}

INSTANTIATE_TEST_SUITE_P(Accessibility, Walk, ::testing::ValuesIn(walkDepths), test_support::NameOfCase());

TEST_F(Accessibility, WalkStopsAtElevenLevelsOfAVeryDeepTree) {
    Elements levels;
    const Element window = chain(5000, levels);
    VisitedSet visited;
    const Elements result = keytips::fetchElements(window, visited);
    EXPECT_EQ(result, Elements(levels.begin(), levels.begin() + 11));
}

TEST_F(Accessibility, WalkCyclesAndSharedElements) {
    const Elements windows = world().loadFixture(pid, R"(window "W"
  AXGroup name=p
    AXGroup name=c
      AXButton name=d
  AXGroup name=q
)");
    // c also under q; the window under d (a cycle); p under itself.
    world().addChild(named("q"), named("c"));
    world().addChild(named("d"), windows[0]);
    world().addChild(named("p"), named("p"));
    VisitedSet visited;
    // p's children are c and p; c is listed again under q but read only once.
    const Element p = named("p");
    const Element c = named("c");
    EXPECT_EQ(keytips::fetchElements(windows[0], visited),
              (Elements{p, named("q"), c, p, named("d"), windows[0], c}));
    EXPECT_EQ(visited.size(), 5U);
}

// A window with two branches, "a" and "b", of one button each.
constexpr const char* twoBranches = R"(window "W"
  AXGroup name=a
    AXButton name=a1
  AXGroup name=b
    AXButton name=b1
)";

// How a read of an attribute fails.
struct ReadFailure {
    const char* name;
    AttributeFailure failure;
};

const ReadFailure readFailures[] = {{"error", AttributeFailure::error},
                                    {"no value", AttributeFailure::noValue},
                                    {"wrong type", AttributeFailure::wrongType}};

class FailedChildrenRead : public Accessibility, public ::testing::WithParamInterface<ReadFailure> {};

TEST_P(FailedChildrenRead, EndsOnlyThatBranch) {
    const AttributeFailure failure = GetParam().failure;
    const Elements windows = world().loadFixture(pid, twoBranches);
    world().failAttribute(named("a"), "AXChildren", failure);
    VisitedSet visited;
    EXPECT_EQ(keytips::fetchElements(windows[0], visited), named({"a", "b", "b1"}));
    VisitedSet again;
    EXPECT_TRUE(keytips::fetchElements(named("a"), again).empty());
    world().failAttribute(windows[0], "AXChildren", failure);
    VisitedSet top;
    EXPECT_TRUE(keytips::fetchElements(windows[0], top).empty());
}

INSTANTIATE_TEST_SUITE_P(Accessibility, FailedChildrenRead, ::testing::ValuesIn(readFailures),
                         test_support::NameOfCase());

// A vanished element: its branch is empty, its siblings' are walked.
TEST_F(Accessibility, VanishedElementEndsOnlyItsBranch) {
    const Elements windows = world().loadFixture(pid, twoBranches);
    world().vanish(named("a"));
    VisitedSet visited;
    EXPECT_EQ(keytips::fetchElements(windows[0], visited), named({"a", "b", "b1"}));
}

TEST_F(Accessibility, WalkOfAHundredThousandElements) {
    const Element window = world().addWindow(pid, "Big");
    std::vector<Element> groups;
    for (int g = 0; g < 100; ++g) {
        groups.push_back(world().addElement(window, ElementSetup{.role = "AXGroup"}));
    }
    for (const Element& group : groups) {
        for (int i = 0; i < 999; ++i) {
            world().addElement(group, ElementSetup{.role = "AXButton"});
        }
    }
    VisitedSet visited;
    const Elements result = keytips::fetchElements(window, visited);
    ASSERT_EQ(result.size(), 100'000U);
    EXPECT_EQ(Elements(result.begin(), result.begin() + 100), groups);
    const VisitedSet distinct(result.begin(), result.end());
    EXPECT_EQ(distinct.size(), 100'000U);
    EXPECT_EQ(visited.size(), 100'001U);
}

TEST_F(Accessibility, FocusedWindowWalk) {
    const Elements windows = world().loadFixture(pid, R"(window "One"
  AXButton name=one
window "Two"
  AXButton name=two
)");
    const Element app = world().applicationElement(pid);
    EXPECT_EQ(keytips::getFocusedWindow(app), windows[0]);
    world().setFocusedWindow(pid, windows[1]);
    EXPECT_EQ(keytips::fetchElementsFromFocusedWindow(app), named({"two"}));
    // A fresh visited set per call.
    EXPECT_EQ(keytips::fetchElementsFromFocusedWindow(app), named({"two"}));
    EXPECT_EQ(world().logLines(), (Lines{"VELKARO || Debug: Focused window found, fetching elements",
                                         "VELKARO || Debug: Focused window found, fetching elements"}));
    world().clearRecords();
    world().setFocusedWindow(pid, std::nullopt);
    EXPECT_FALSE(keytips::getFocusedWindow(app).has_value());
    EXPECT_TRUE(keytips::fetchElementsFromFocusedWindow(app).empty());
    world().setFocusedWindow(pid, windows[0]);
    world().failAttribute(app, "AXFocusedWindow", AttributeFailure::error);
    EXPECT_TRUE(keytips::fetchElementsFromFocusedWindow(app).empty());
    world().failAttribute(app, "AXFocusedWindow", AttributeFailure::noValue);
    EXPECT_TRUE(keytips::fetchElementsFromFocusedWindow(app).empty());
    // A host that is not running.
    EXPECT_TRUE(keytips::fetchElementsFromFocusedWindow(world().applicationElement(9999)).empty());
    EXPECT_TRUE(world().logLines().empty());
}

TEST_F(Accessibility, AttributeCacheKeepsTheFirstValueThatCameBack) {
    world().loadFixture(pid, R"(window "W"
  AXButton "Cut" name=cut
  AXButton "Copy" name=copy
)");
    const Element cut = named("cut");
    AttributeCache cache;
    const auto reads = [] { return world().requestCount("copyAttributeValue AXTitle"); };

    // A stored value is returned without asking the element, also after it changed.
    const Value* first = keytips::getAttribute(cut, "AXTitle", cache);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(*first, Value("Cut"));
    world().setAttribute(cut, "AXTitle", Value("Trim"));
    const std::size_t before = reads();
    const Value* again = keytips::getAttribute(cut, "AXTitle", cache);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(*again, Value("Cut"));
    EXPECT_EQ(reads(), before);
    // Keyed by element and by attribute name.
    EXPECT_EQ(*keytips::getAttribute(named("copy"), "AXTitle", cache), Value("Copy"));
    EXPECT_EQ(*keytips::getAttribute(cut, "AXRole", cache), Value("AXButton"));
    EXPECT_EQ(keytips::getAttribute(cut, "axtitle", cache), nullptr);
    // A fresh cache reads anew.
    AttributeCache fresh;
    EXPECT_EQ(*keytips::getAttribute(cut, "AXTitle", fresh), Value("Trim"));
}

struct NoValue {
    const char* name;
    std::optional<AttributeFailure> failure;  // none: the attribute is missing
};

const NoValue noValues[] = {
    {"missing", std::nullopt}, {"error", AttributeFailure::error}, {"no value", AttributeFailure::noValue}};

class AttributeCacheWithoutAValue : public Accessibility, public ::testing::WithParamInterface<NoValue> {};

TEST_P(AttributeCacheWithoutAValue, StoresNothingUntilAValueComesBack) {
    const NoValue& c = GetParam();
    world().loadFixture(pid, "window \"W\"\n  AXButton \"Cut\" name=cut\n");
    const Element cut = named("cut");
    if (c.failure) {
        world().failAttribute(cut, "AXValue", *c.failure);
    }
    AttributeCache cache;
    EXPECT_EQ(keytips::getAttribute(cut, "AXValue", cache), nullptr) << c.name;
    EXPECT_TRUE(cache.empty()) << c.name;
    // Asked again once the element has the attribute: the new value, now stored.
    world().failAttribute(cut, "AXValue", AttributeFailure::none);
    world().setAttribute(cut, "AXValue", Value(1));
    const Value* value = keytips::getAttribute(cut, "AXValue", cache);
    ASSERT_NE(value, nullptr) << c.name;
    EXPECT_EQ(*value, Value(1)) << c.name;
    world().setAttribute(cut, "AXValue", Value(0));
    EXPECT_EQ(*keytips::getAttribute(cut, "AXValue", cache), Value(1)) << c.name;
    ASSERT_EQ(cache.size(), 1U) << c.name;
    EXPECT_EQ(cache.at(cut).size(), 1U) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Accessibility, AttributeCacheWithoutAValue, ::testing::ValuesIn(noValues),
                         test_support::NameOfCase());

// A value of an unexpected type still came back, so it is stored.
TEST_F(Accessibility, AttributeCacheStoresAValueOfAnotherType) {
    world().loadFixture(pid, "window \"W\"\n  AXButton \"Cut\" name=cut\n");
    world().failAttribute(named("cut"), "AXTitle", AttributeFailure::wrongType);
    AttributeCache cache;
    const Value* odd = keytips::getAttribute(named("cut"), "AXTitle", cache);
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(*odd, Value(OtherValue{"wrong"}));
    world().failAttribute(named("cut"), "AXTitle", AttributeFailure::none);
    EXPECT_EQ(*keytips::getAttribute(named("cut"), "AXTitle", cache), Value(OtherValue{"wrong"}));
}

using platform::Point;
using platform::Rect;

const Rect primaryScreen{{0, 0}, {1440, 1000}};

struct PositionRead {
    const char* name;
    std::optional<Value> position;  // none: no "AXPosition"
    std::optional<AttributeFailure> failure;
    std::vector<Rect> screens;
    std::optional<Point> expected;
};

class Positions : public Accessibility, public ::testing::WithParamInterface<PositionRead> {};

std::vector<PositionRead> positionReads() {
    return {
        {"point", Value(PackedValue::point({200, 30})), std::nullopt, {primaryScreen}, Point{200, 970}},
        {"second screen ignored",
         Value(PackedValue::point({200, 30})),
         std::nullopt,
         {primaryScreen, Rect{{1440, 0}, {1920, 1200}}},
         Point{200, 970}},
        {"full frame height",
         Value(PackedValue::point({-5, 1030.5})),
         std::nullopt,
         {Rect{{0, 0}, {800, 600}}},
         Point{-5, -430.5}},
        {"packed size", Value(PackedValue::size({200, 30})), std::nullopt, {primaryScreen}, std::nullopt},
        {"packed rect",
         Value(PackedValue{platform::ax::PackedType::rect, 200, 30}),
         std::nullopt,
         {primaryScreen},
         std::nullopt},
        {"not packed", Value("200,30"), std::nullopt, {primaryScreen}, std::nullopt},
        {"missing", std::nullopt, std::nullopt, {primaryScreen}, std::nullopt},
        {"read error",
         Value(PackedValue::point({200, 30})),
         AttributeFailure::error,
         {primaryScreen},
         std::nullopt},
        {"no value",
         Value(PackedValue::point({200, 30})),
         AttributeFailure::noValue,
         {primaryScreen},
         std::nullopt},
        {"wrong type",
         Value(PackedValue::point({200, 30})),
         AttributeFailure::wrongType,
         {primaryScreen},
         std::nullopt},
        {"no screen", Value(PackedValue::point({200, 30})), std::nullopt, {}, std::nullopt},
    };
}

TEST_P(Positions, AreFlippedAgainstThePrimaryScreen) {
    const PositionRead& c = GetParam();
    world().setScreens(c.screens);
    const Element element = buttonWith("AXPosition", c.position, c.failure);
    EXPECT_EQ(keytips::getPosition(element), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Accessibility, Positions, ::testing::ValuesIn(positionReads()),
                         test_support::NameOfCase());

// The screen is read anew on every call.
TEST_F(Accessibility, PositionReadsTheScreenAnewOnEveryCall) {
    const Element element = world().addElement(world().addWindow(pid, "W"),
                                               ElementSetup{.role = "AXButton", .position = Point{200, 30}});
    world().setScreens({primaryScreen});
    EXPECT_EQ(keytips::getPosition(element), (Point{200, 970}));
    world().setScreens({Rect{{0, 0}, {1440, 900}}});
    EXPECT_EQ(keytips::getPosition(element), (Point{200, 870}));
}

struct SizeRead {
    const char* name;
    std::optional<Value> size;
    std::optional<AttributeFailure> failure;
    std::optional<platform::Size> expected;
};

class Sizes : public Accessibility, public ::testing::WithParamInterface<SizeRead> {};

std::vector<SizeRead> sizeReads() {
    return {
        {"size", Value(PackedValue::size({40, 20.5})), std::nullopt, platform::Size{40, 20.5}},
        {"zero", Value(PackedValue::size({0, 0})), std::nullopt, platform::Size{0, 0}},
        {"packed point", Value(PackedValue::point({40, 20})), std::nullopt, std::nullopt},
        {"number", Value(40), std::nullopt, std::nullopt},
        {"missing", std::nullopt, std::nullopt, std::nullopt},
        {"read error", Value(PackedValue::size({40, 20})), AttributeFailure::error, std::nullopt},
        {"wrong type", Value(PackedValue::size({40, 20})), AttributeFailure::wrongType, std::nullopt},
    };
}

TEST_P(Sizes, AreReadAsTheyAre) {
    const SizeRead& c = GetParam();
    world().setScreens({});  // sizes need no screen
    const Element element = buttonWith("AXSize", c.size, c.failure);
    EXPECT_EQ(keytips::getSize(element), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Accessibility, Sizes, ::testing::ValuesIn(sizeReads()), test_support::NameOfCase());

struct DumpedElement {
    const char* name;
    std::optional<Value> role;
    std::optional<Value> title;
    std::optional<Value> description;
    std::string line;
};

class ElementDumpLine : public Accessibility, public ::testing::WithParamInterface<DumpedElement> {};

std::vector<DumpedElement> dumpedElements() {
    const std::string megabyte(1 << 20, 'x');
    const std::string withNul("Bo\0ld", 5);
    return {
        // Hosts often report an empty title: it is a title, shown as such.
        {"empty title", Value("AXButton"), Value(""), Value(""),
         R"(VELKARO ELEMENTS || ("AXButton", "", "", "."),)"},
        {"check box", Value("AXCheckBox"), Value("Bold"), std::nullopt,
         R"(VELKARO ELEMENTS || ("AXCheckBox", "Bold", nil, "."),)"},
        {"described button", Value("AXButton"), std::nullopt, Value("Close"),
         R"(VELKARO ELEMENTS || ("AXButton", "nil", "Close", "."),)"},
        {"nothing", std::nullopt, std::nullopt, std::nullopt,
         R"(VELKARO ELEMENTS || ("nil", "nil", nil, "."),)"},
        {"description nil", Value("AXButton"), Value("nil"), Value("nil"),
         R"(VELKARO ELEMENTS || ("AXButton", "nil", nil, "."),)"},
        {"wrong types", Value(3), Value(true), Value(PackedValue::point({1, 2})),
         R"(VELKARO ELEMENTS || ("nil", "nil", nil, "."),)"},
        {"format directives", Value("AXButton"), Value("%@ %n %s"), Value("%d%%"),
         R"(VELKARO ELEMENTS || ("AXButton", "%@ %n %s", "%d%%", "."),)"},
        {"quotes and line feeds", Value("AXButton"), Value("Draw with\nTrackpad"), Value("say \"hi\""),
         "VELKARO ELEMENTS || (\"AXButton\", \"Draw with\nTrackpad\", \"say \"hi\"\", \".\"),"},
        {"not UTF-8", Value("AXButton"), Value("\xff\xfe\xc3"), std::nullopt,
         "VELKARO ELEMENTS || (\"AXButton\", \"\xff\xfe\xc3\", nil, \".\"),"},
        {"embedded NUL", Value("AXButton"), Value(withNul), std::nullopt,
         "VELKARO ELEMENTS || (\"AXButton\", \"" + withNul + "\", nil, \".\"),"},
        {"a megabyte", Value("AXButton"), Value(megabyte), std::nullopt,
         "VELKARO ELEMENTS || (\"AXButton\", \"" + megabyte + "\", nil, \".\"),"},
    };
}

TEST_P(ElementDumpLine, WritesRoleTitleAndDescription) {
    const DumpedElement& c = GetParam();
    const Element element = world().addElement(world().addWindow(pid, "W"), ElementSetup{.role = "AXButton"});
    world().removeAttribute(element, "AXRole");
    const auto put = [&](const char* attribute, const std::optional<Value>& value) {
        if (value) {
            world().setAttribute(element, attribute, *value);
        }
    };
    put("AXRole", c.role);
    put("AXTitle", c.title);
    put("AXDescription", c.description);
    world().clearRecords();
    keytips::printAllVisibleElements(element);
    EXPECT_EQ(world().logLines(), Lines{c.line}) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Accessibility, ElementDumpLine, ::testing::ValuesIn(dumpedElements()),
                         test_support::NameOfCase());

TEST_F(Accessibility, WindowListingsLeaveOutWindowsWithoutTitleOrActions) {
    const Elements windows = world().loadFixture(pid, R"(window "Book1"
  AXButton "Cut" name=cut
window
  AXButton name=untitled
window "Numbered"
window "Silent"
window "Broken"
window "Book2"
  AXGroup name=g
    AXButton "Copy" name=copy
)");
    world().setAttribute(windows[2], "AXTitle", Value(7));
    world().failActionNames(windows[3], true);
    world().failAttribute(windows[4], "AXTitle", AttributeFailure::error);
    // An element under both listed windows.
    world().addChild(windows[5], named("cut"));
    const Element app = world().applicationElement(pid);
    world().clearRecords();

    const std::vector<keytips::WindowRecord> records = keytips::fetchAllWindows(app);
    ASSERT_EQ(records.size(), 2U);
    EXPECT_EQ(records[0].window, windows[0]);
    EXPECT_EQ(records[0].title, "Book1");
    const Value listed = *platform::ax::copyActionNames(windows[0]).value;
    ASSERT_NE(listed.list(), nullptr);
    Lines actions;
    for (const Value& name : *listed.list()) {
        actions.push_back(*name.text());
    }
    EXPECT_EQ(records[0].actions, actions);
    EXPECT_FALSE(actions.empty());
    EXPECT_EQ(records[1].window, windows[5]);
    EXPECT_EQ(records[1].title, "Book2");
    EXPECT_TRUE(world().logLines().empty());

    const std::vector<keytips::ElementWindowPair> pairs = keytips::fetchElementsFromAllWindows(app);
    const Elements expected = named({"cut", "g", "cut", "copy"});
    ASSERT_EQ(pairs.size(), expected.size());
    const Lines titles{"Book1", "Book2", "Book2", "Book2"};
    Lines lines{"Fetching elements from window: Book1", "Fetching elements from window: Book2"};
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        EXPECT_EQ(pairs[i].element, expected[i]) << i;
        EXPECT_EQ(pairs[i].windowTitle, titles[i]) << i;
        lines.push_back("Element from window '" + titles[i] + "': " + platform::ax::describe(expected[i]));
    }
    EXPECT_EQ(world().logLines(), lines);

    // No windows to read.
    world().failAttribute(app, "AXWindows", AttributeFailure::error);
    EXPECT_TRUE(keytips::fetchAllWindows(app).empty());
    world().failAttribute(app, "AXWindows", AttributeFailure::wrongType);
    EXPECT_TRUE(keytips::fetchElementsFromAllWindows(app).empty());
}

// Every typed read gives the value of its kind, and none for a read error, a read that brings no
// value, or a value of another kind.
struct TypedRead {
    const char* name;
    std::function<Value(const Element& other)> stored;  // a value of the read's kind
    // What the read gives, written out; none when it gives none.
    std::function<std::optional<std::string>(const Element& element, const Element& other)> read;
    std::string expected;
};

std::string describePoint(double x, double y) { return std::to_string(x) + "," + std::to_string(y); }

const TypedRead typedReads[] = {
    {"text", [](const Element&) { return Value("Bold"); },
     [](const Element& e, const Element&) { return keytips::readText(e, "AXValue"); }, "Bold"},
    {"element", [](const Element& other) { return Value(other); },
     [](const Element& e, const Element& other) -> std::optional<std::string> {
         const std::optional<Element> read = keytips::readElement(e, "AXValue");
         if (!read) {
             return std::nullopt;
         }
         return *read == other ? "the other element" : "a wrong element";
     },
     "the other element"},
    {"elements",
     [](const Element& other) {
         return Value(platform::ax::ValueList{other, other});
     },
     [](const Element& e, const Element& other) -> std::optional<std::string> {
         const std::optional<Elements> read = keytips::readElements(e, "AXValue");
         if (!read) {
             return std::nullopt;
         }
         return *read == Elements{other, other} ? "both" : "wrong elements";
     },
     "both"},
    {"point",
     [](const Element&) {
         return Value(PackedValue::point({3, 4}));
     },
     [](const Element& e, const Element&) -> std::optional<std::string> {
         const std::optional<platform::Point> read = keytips::readPoint(e, "AXValue");
         if (!read) {
             return std::nullopt;
         }
         return describePoint(read->x, read->y);
     },
     describePoint(3, 4)},
    {"size",
     [](const Element&) {
         return Value(PackedValue::size({40, 20}));
     },
     [](const Element& e, const Element&) -> std::optional<std::string> {
         const std::optional<platform::Size> read = keytips::readSize(e, "AXValue");
         if (!read) {
             return std::nullopt;
         }
         return describePoint(read->width, read->height);
     },
     describePoint(40, 20)},
    {"flag", [](const Element&) { return Value(false); },
     [](const Element& e, const Element&) -> std::optional<std::string> {
         const std::optional<bool> read = keytips::readFlag(e, "AXValue");
         if (!read) {
             return std::nullopt;
         }
         return *read ? "true" : "false";
     },
     "false"},
};

struct ReadOutcome {
    const char* name;
    std::optional<AttributeFailure> failure;  // none: the value is read as stored
};

const ReadOutcome readOutcomes[] = {{"AsStored", std::nullopt},
                                    {"Error", AttributeFailure::error},
                                    {"NoValue", AttributeFailure::noValue},
                                    {"WrongType", AttributeFailure::wrongType}};

class TypedReads : public Accessibility,
                   public ::testing::WithParamInterface<std::tuple<TypedRead, ReadOutcome>> {};

TEST_P(TypedReads, GiveTheirKindOrNone) {
    const auto& [kind, outcome] = GetParam();
    const Element window = world().addWindow(pid, "Reads");
    const Element element = world().addElement(window, ElementSetup{.role = "AXGroup"});
    const Element other = world().addElement(window, ElementSetup{.role = "AXButton"});
    world().setAttribute(element, "AXValue", kind.stored(other));
    if (outcome.failure) {
        world().failAttribute(element, "AXValue", *outcome.failure);
    }
    const std::optional<std::string> read = kind.read(element, other);
    if (outcome.failure) {
        EXPECT_EQ(read, std::nullopt);
    } else {
        EXPECT_EQ(read, kind.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, TypedReads,
                         ::testing::Combine(::testing::ValuesIn(typedReads),
                                            ::testing::ValuesIn(readOutcomes)),
                         [](const ::testing::TestParamInfo<TypedReads::ParamType>& param) {
                             return std::string(std::get<0>(param.param).name) +
                                    std::get<1>(param.param).name;
                         });

TEST_F(Accessibility, TypedReadsRefuseValuesOfAnotherKind) {
    const Element window = world().addWindow(pid, "Reads");
    const Element element = world().addElement(window, ElementSetup{.role = "AXGroup"});
    // A list with an entry that is not an element is no list of elements.
    world().setAttribute(element, "AXValue", Value(platform::ax::ValueList{window, Value("text")}));
    EXPECT_EQ(keytips::readElements(element, "AXValue"), std::nullopt);
    // A packed size is no point; a number is no flag and no text.
    world().setAttribute(element, "AXValue", Value(PackedValue::size({1, 2})));
    EXPECT_EQ(keytips::readPoint(element, "AXValue"), std::nullopt);
    world().setAttribute(element, "AXValue", Value(1));
    EXPECT_EQ(keytips::readFlag(element, "AXValue"), std::nullopt);
    EXPECT_EQ(keytips::readText(element, "AXValue"), std::nullopt);
}

// A control's "AXValue" is on for 1 as an integer or for true, and its read fails on an error only.
struct ControlValueCase {
    const char* name;
    std::optional<Value> value;
    std::optional<AttributeFailure> failure;
    bool readSucceeded;
    bool isOn;
};

const ControlValueCase controlValueCases[] = {
    {"IntegerOne", Value(1), std::nullopt, true, true},
    {"IntegerZero", Value(0), std::nullopt, true, false},
    {"IntegerTwo", Value(2), std::nullopt, true, false},
    {"True", Value(true), std::nullopt, true, true},
    {"False", Value(false), std::nullopt, true, false},
    {"TextOne", Value("1"), std::nullopt, true, false},
    {"NoValue", std::nullopt, AttributeFailure::noValue, true, false},
    {"Error", Value(1), AttributeFailure::error, false, false}};

class ControlValues : public Accessibility, public ::testing::WithParamInterface<ControlValueCase> {};

TEST_P(ControlValues, AreOnForOneOrTrue) {
    const ControlValueCase& c = GetParam();
    const Element window = world().addWindow(pid, "Reads");
    const Element element = world().addElement(window, ElementSetup{.role = "AXRadioButton"});
    if (c.value) {
        world().setAttribute(element, "AXValue", *c.value);
    }
    if (c.failure) {
        world().failAttribute(element, "AXValue", *c.failure);
    }
    const keytips::ControlValue read = keytips::readControlValue(element);
    EXPECT_EQ(read.readSucceeded, c.readSucceeded);
    EXPECT_EQ(read.isOn, c.isOn);
}

INSTANTIATE_TEST_SUITE_P(EveryValue, ControlValues, ::testing::ValuesIn(controlValueCases),
                         test_support::NameOfCase());

}  // namespace
}  // namespace enginetest
