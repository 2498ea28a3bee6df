// Label windows: where a label goes, how it looks, what happens when the element cannot be placed,
// and removing one category of labels.
#include "engine/overlay_window.hpp"

#include <string>
#include <vector>

#include "engine_test_support.hpp"

namespace enginetest {
namespace {

using test_support::PrintTo;

using keytips::Element;
using keytips::OverlayWindows;
using platform::Point;
using platform::Rect;
using platform::Size;
using platform::sim::ElementSetup;
using platform::sim::WindowEvent;
using platform::sim::WindowInfo;

class LabelWindows : public test_support::SimWorldTest {
protected:
    void SetUp() override {
        SimWorldTest::SetUp();
        world().setScreens({Rect{{0, 0}, {1440, 1000}}});
        pid = world().launchApplication(std::string(hostBundle));
        window = world().addWindow(pid, "Book1");
        labels = std::make_unique<OverlayWindows>();
    }
    void TearDown() override {
        labels.reset();
        SimWorldTest::TearDown();
    }
    Element element(std::optional<Point> position, std::optional<Size> size) const {
        return world().addElement(
            window, ElementSetup{.role = "AXButton", .title = "Cut", .position = position, .size = size});
    }

    int pid = 0;
    Element window;
    std::unique_ptr<OverlayWindows> labels;
};

struct LabelledElement {
    const char* name;
    Point position;  // accessibility position, y downward
    Size size;
    Rect frame;
};

const LabelledElement labelledElements[] = {
    {"mid-screen", {100, 500}, {40, 20}, {{120, 475}, {15, 15}}},
    {"no width", {100, 500}, {0, 20}, {{100, 475}, {15, 15}}},
    {"top left corner", {0, 0}, {30, 10}, {{15, 985}, {15, 15}}},
    {"partly off screen", {-20, 990}, {10.5, 30}, {{-14.75, -25}, {15, 15}}},
};

class LabelFrame : public LabelWindows, public ::testing::WithParamInterface<LabelledElement> {};

TEST_P(LabelFrame, SitsBelowTheElementsCentre) {
    const LabelledElement& c = GetParam();
    labels->createOverlayWindow(element(c.position, c.size), "Cut", "C", "layerAccessToolbar", true);
    ASSERT_FALSE(labels->windows().empty());
    EXPECT_EQ(labels->windows().back()->frame(), c.frame) << c.position.x << "," << c.position.y;
    EXPECT_EQ(labels->windows().size(), 1U);
    EXPECT_EQ(world().visibleWindows().size(), 1U);
    EXPECT_TRUE(world().logLines().empty());
}

INSTANTIATE_TEST_SUITE_P(LabelWindows, LabelFrame, ::testing::ValuesIn(labelledElements),
                         test_support::NameOfCase());

struct LabelLook {
    const char* name;
    const char* letter;
    bool enabled;
    double alpha;
};

const LabelLook labelLooks[] = {{"enabled H", "H", true, 0.5},
                                {"disabled H", "H", false, 0.2},
                                {"enabled JS", "JS", true, 0.5},
                                {"disabled format directive", "%@", false, 0.2}};

class LookOfLabels : public LabelWindows, public ::testing::WithParamInterface<LabelLook> {};

TEST_P(LookOfLabels, FollowsTheirTextAndWhetherEnabled) {
    const LabelLook& c = GetParam();
    labels->createOverlayWindow(element(Point{100, 500}, Size{40, 20}), "ignored %@", c.letter, "second",
                                c.enabled);
    ASSERT_EQ(labels->windows().size(), 1U);
    const keytips::OverlayWindow& label = *labels->windows()[0];
    EXPECT_EQ(label.category(), "second");
    EXPECT_EQ(label.styleMask(), appkit::borderlessWindowMask);
    EXPECT_EQ(label.backing(), appkit::BackingStore::buffered);
    EXPECT_EQ(label.level(), appkit::floatingWindowLevel);
    EXPECT_FALSE(label.isOpaque());
    EXPECT_FALSE(label.hasShadow());
    EXPECT_TRUE(label.isVisible());
    EXPECT_EQ(label.backgroundColor(), appkit::Color::blueColor().withAlphaComponent(c.alpha)) << c.letter;
    ASSERT_EQ(label.contentView().subviews.size(), 1U);
    const appkit::TextField& field = label.contentView().subviews[0];
    EXPECT_EQ(field.stringValue, c.letter);
    EXPECT_FALSE(field.editable);
    EXPECT_FALSE(field.bordered);
    EXPECT_EQ(field.backgroundColor, appkit::Color::clearColor());
    EXPECT_EQ(field.textColor, appkit::Color::whiteColor());
    EXPECT_EQ(field.alignment, appkit::TextAlignment::center);
    EXPECT_EQ(field.fontSize, 12);
    // Sized to its text and centred on the window's centre, overhanging it when wider.
    appkit::TextField fitted(Rect{{0, 0}, {15, 15}});
    fitted.stringValue = c.letter;
    fitted.fontSize = 12;
    fitted.sizeToFit();
    EXPECT_EQ(field.frame.size, fitted.frame.size) << c.letter;
    EXPECT_EQ(field.frame.origin.x, (15 - fitted.frame.size.width) / 2) << c.letter;
    EXPECT_EQ(field.frame.origin.y, (15 - fitted.frame.size.height) / 2) << c.letter;
    const auto shown = world().visibleWindows();
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0].text, c.letter);
    EXPECT_EQ(shown[0].backgroundAlpha, c.alpha);
    EXPECT_EQ(shown[0].category, "second");
}

INSTANTIATE_TEST_SUITE_P(LabelWindows, LookOfLabels, ::testing::ValuesIn(labelLooks),
                         test_support::NameOfCase());

struct Unplaced {
    const char* name;
    std::optional<Point> position;
    std::optional<Size> size;
    const char* line;
};

const Unplaced unplacedElements[] = {
    {"no position", std::nullopt, Size{40, 20}, "VELKARO || Failed to get position for element: "},
    {"no size", Point{100, 500}, std::nullopt, "VELKARO || Failed to get size for element: "},
    {"neither", std::nullopt, std::nullopt, "VELKARO || Failed to get position for element: "},
};

class ElementThatCannotBePlaced : public LabelWindows, public ::testing::WithParamInterface<Unplaced> {};

TEST_P(ElementThatCannotBePlaced, GetsNoLabel) {
    const Unplaced& c = GetParam();
    labels->createOverlayWindow(element(Point{1, 1}, Size{1, 1}), "Ok", "O", "second", true);
    world().clearRecords();
    const Element unplaced = element(c.position, c.size);
    labels->createOverlayWindow(unplaced, "Cut", "C", "second", true);
    EXPECT_EQ(labels->windows().size(), 1U);
    EXPECT_TRUE(world().windowEvents().empty());
    EXPECT_EQ(world().logLines(), std::vector<std::string>{c.line + platform::ax::describe(unplaced)});
}

INSTANTIATE_TEST_SUITE_P(LabelWindows, ElementThatCannotBePlaced, ::testing::ValuesIn(unplacedElements),
                         test_support::NameOfCase());

// No screen: no position to place the label at.
TEST_F(LabelWindows, WithoutAScreenNoLabelIsPlaced) {
    world().setScreens({});
    const Element placed = element(Point{100, 500}, Size{40, 20});
    labels->createOverlayWindow(placed, "Cut", "C", "second", true);
    EXPECT_TRUE(labels->windows().empty());
    EXPECT_EQ(world().logLines(), std::vector<std::string>{"VELKARO || Failed to get position for element: " +
                                                           platform::ax::describe(placed)});
}

TEST_F(LabelWindows, DeletingACategory) {
    const char* categories[] = {"layerAccessToolbar", "second", "layerAccessToolbar", "second", "Second"};
    for (const char* category : categories) {
        labels->createOverlayWindow(element(Point{10, 10}, Size{10, 10}), "", category, category, true);
    }
    std::vector<const appkit::Window*> created;
    for (const auto& label : labels->windows()) {
        created.push_back(label.get());
    }
    const std::vector<WindowInfo> before = world().windows();  // in creation order too
    world().clearRecords();

    labels->deleteOverlayWindowsByCategory("second");
    const auto events = world().windowEvents();
    ASSERT_EQ(events.size(), 2U);
    EXPECT_EQ(events[0].kind, WindowEvent::Kind::orderedOut);
    EXPECT_EQ(events[0].info.number, before[1].number);
    EXPECT_EQ(events[1].kind, WindowEvent::Kind::orderedOut);
    EXPECT_EQ(events[1].info.number, before[3].number);
    ASSERT_EQ(labels->windows().size(), 3U);
    EXPECT_EQ(labels->windows()[0].get(), created[0]);
    EXPECT_EQ(labels->windows()[1].get(), created[2]);
    EXPECT_EQ(labels->windows()[2].get(), created[4]);
    for (const auto& label : labels->windows()) {
        EXPECT_TRUE(label->isVisible());
    }
    EXPECT_EQ(world().visibleWindows().size(), 3U);

    // Twice in a row, or a category no label carries: nothing changes.
    world().clearRecords();
    for (const char* category : {"second", "", "layer", "SECOND"}) {
        labels->deleteOverlayWindowsByCategory(category);
        EXPECT_TRUE(world().windowEvents().empty()) << "category \"" << category << "\"";
        EXPECT_EQ(labels->windows().size(), 3U) << "category \"" << category << "\"";
    }

    labels->deleteOverlayWindowsByCategory("layerAccessToolbar");
    ASSERT_EQ(labels->windows().size(), 1U);
    EXPECT_EQ(labels->windows()[0]->category(), "Second");
    EXPECT_EQ(world().visibleWindows().size(), 1U);
}

}  // namespace
}  // namespace enginetest
