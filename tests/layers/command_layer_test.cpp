// The command layer: which elements below the toolbar row carry a layer's labels, what typed
// shortcuts do (final commands, further layers, repeated shortcuts and prefixes), the colour
// galleries' focus, going back a layer, and the key-to-element map kept across openings.
#include "layer_fixture.hpp"

namespace layertest {
namespace {

using test_support::PrintTo;

using platform::ax::Value;

class CommandLayer : public LayerTest {
protected:
    // The toolbar anchor at y 10, the selected Home tab, and `commands` (lines indented by four
    // spaces) in the content group.
    static std::string homeWindow(std::string_view commands, std::string_view windowChildren = "") {
        return std::string(R"(window "Book1"
  AXMenuButton "Customize Quick Access Toolbar" pos=200,10 size=16,16 name=anchor
  AXRadioButton "Home" value=1 pos=10,40 size=40,20 name=home
)") + std::string(windowChildren) +
               "  AXGroup name=content\n" + std::string(commands);
    }

    // Opens key-tip mode and the Home layer, then forgets the records.
    void openHome() {
        tapOption();
        type("h");
        ASSERT_TRUE(tips->mode().isSecondLayerActive());
        world().clearRecords();
    }

    void useCommands(KeyTable rows) { usTables.sharedKeys = std::move(rows); }

    static AccessKey row(std::vector<std::string> source, std::string identifier, std::string shortcut,
                         std::string title, bool last = true, std::string role = "AXButton",
                         bool press = true) {
        return AccessKey{std::move(source),
                         std::move(identifier),
                         std::move(shortcut),
                         std::move(role),
                         std::move(title),
                         std::nullopt,
                         press,
                         last};
    }
};

// A check box at the accessibility y of the case, against the toolbar row at y 10.
struct CommandAt {
    const char* name;
    const char* y;
    bool labelled;
};

const CommandAt commandsAt[] = {{"on the toolbar row", "10", false},
                                {"half a point above the row", "9.5", false},
                                {"at the top of the screen", "0", false},
                                {"a quarter point below the row", "10.25", true},
                                {"on the commands' row", "80", true}};

class CommandPlace : public CommandLayer, public ::testing::WithParamInterface<CommandAt> {};

TEST_P(CommandPlace, IsLabelledOnlyStrictlyBelowTheToolbarRow) {
    const CommandAt& c = GetParam();
    start(homeWindow(std::string("    AXCheckBox \"Bold\" value=0 pos=300,") + c.y + " size=20,20\n"));
    openHome();
    EXPECT_EQ(labels("second"), (c.labelled ? std::vector<std::string>{"1"} : std::vector<std::string>{}));
}

INSTANTIATE_TEST_SUITE_P(CommandLayer, CommandPlace, ::testing::ValuesIn(commandsAt),
                         test_support::NameOfCase());

TEST_F(CommandLayer, WithoutAToolbarRowNothingIsLabelledAndKeysEndTheMode) {
    start(R"(window "Book1"
  AXRadioButton "Home" value=1 pos=10,40 size=40,20
  AXCheckBox "Bold" value=0 pos=10,80 size=20,20
)");
    tapOption();
    ASSERT_EQ(labels(), (std::vector<std::string>{"H"}));
    type("h");
    EXPECT_TRUE(logged("This is the source: Home"));
    EXPECT_TRUE(labels().empty());
    EXPECT_TRUE(tips->mode().isSecondLayerActive());
    world().clearRecords();
    type("1");
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXRaise Book1"}));
    EXPECT_TRUE(idle());
}

TEST_F(CommandLayer, EachPositionIsLabelledOnceEarlierKeysFirst) {
    useCommands({
        row({"Home"}, "Cut1", "x", "Cut"), row({"Home"}, "Cut2", "y", "Cut"),
        row({"Home"}, "Cut3", "z", "Cut"),  // both Cut buttons taken: dropped
        row({"Home"}, "Paste", "v", "Paste"),
        row({"Home"}, "Paste Special", "s", "Paste Special"),  // its only element shares Paste's place
    });
    start(homeWindow(R"(    AXButton "Cut" pos=10,80 size=20,20 name=cut1
    AXButton "Cut" pos=40,80 size=20,20 name=cut2
    AXButton "Paste" pos=70,80 size=20,20
    AXButton "Paste Special" pos=70,80 size=20,20
)"));
    openHome();
    EXPECT_EQ(labels("second"), (std::vector<std::string>{"X", "Y", "V"}));
    EXPECT_EQ(labelXs(), (std::vector<double>{20, 50, 80}));
    type("y");
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXPress Cut"}));
    EXPECT_EQ(world().actions().at(0).element, el("cut2"));
}

// Two keys of one layer may share an identifier (as "Align Middle" does in the UK tables): each acts on
// the element that carries its own label; the identifier's map entry keeps the last one filed.
struct SharedIdentifierKey {
    const char* name;
    const char* typed;
    const char* pressed;
};

const SharedIdentifierKey sharedIdentifierKeys[] = {{"x presses the first Cut", "x", "cut1"},
                                                    {"y presses the second Cut", "y", "cut2"}};

class KeysSharingAnIdentifier : public CommandLayer,
                                public ::testing::WithParamInterface<SharedIdentifierKey> {};

TEST_P(KeysSharingAnIdentifier, EachPressTheElementOfTheirLabel) {
    const auto& [name, typed, pressed] = GetParam();
    useCommands({row({"Home"}, "Cut", "x", "Cut"), row({"Home"}, "Cut", "y", "Cut")});
    start(homeWindow(R"(    AXButton "Cut" pos=10,80 size=20,20 name=cut1
    AXButton "Cut" pos=40,80 size=20,20 name=cut2
)"));
    openHome();
    EXPECT_EQ(labels("second"), (std::vector<std::string>{"X", "Y"}));
    EXPECT_EQ(tips->commandAccessLayer().accessKeyToElement.at("Cut"), el("cut2"));
    type(typed);
    ASSERT_EQ(world().actions().size(), 1U);
    EXPECT_EQ(world().actions()[0].element, el(pressed));
}

INSTANTIATE_TEST_SUITE_P(CommandLayer, KeysSharingAnIdentifier, ::testing::ValuesIn(sharedIdentifierKeys),
                         test_support::NameOfCase());

TEST_F(CommandLayer, FirstLayerTakesTheFirstMatchDeeperLayersTheLast) {
    useCommands({
        row({"Home"}, "Borders", "b", "Borders", false, "AXMenuButton", false),
        row({"Home", "Borders"}, "Line", "l", "Line"),
    });
    start(homeWindow(R"(    AXMenuButton "Borders" pos=100,80 size=20,20
    AXButton "Line" pos=10,80 size=20,20 name=upper
    AXButton "Line" pos=10,200 size=20,20 name=lower
)"));
    openHome();
    EXPECT_EQ(tips->commandAccessLayer().accessKeyToElement.at("Line"), el("upper"));
    type("b");
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXShowMenu Borders"}));
    EXPECT_EQ(tips->mode().layerHistory(), (std::vector<std::string>{"Home", "Borders"}));
    EXPECT_EQ(labels(), (std::vector<std::string>{"L"}));
    EXPECT_EQ(tips->commandAccessLayer().accessKeyToElement.at("Line"), el("lower"));
    world().clearRecords();
    type("l");
    ASSERT_EQ(world().actions().size(), 1U);
    EXPECT_EQ(world().actions()[0].element, el("lower"));
    EXPECT_TRUE(idle());
    EXPECT_TRUE(tips->mode().layerHistory().empty());
}

struct RoleAction {
    const char* name;
    const char* role;
    bool press;
    bool last;
    std::vector<std::string> sets;
    std::vector<std::string> actions;
};

const RoleAction roleActions[] = {
    {"AXMenuButton press last", "AXMenuButton", true, true, {}, {"AXPress Tool"}},
    {"AXMenuButton press", "AXMenuButton", true, false, {}, {"AXPress Tool"}},
    {"AXMenuButton", "AXMenuButton", false, false, {}, {"AXShowMenu Tool"}},
    {"AXButton last", "AXButton", false, true, {}, {"AXPress Tool"}},
    {"AXCheckBox press last", "AXCheckBox", true, true, {}, {"AXPress Tool"}},
    {"AXComboBox last", "AXComboBox", false, true, {"AXFocused Tool"}, {"AXPress Tool"}},
    {"AXComboBox", "AXComboBox", false, false, {"AXFocused Tool"}, {"AXPress Tool"}},
    {"AXTextField press last", "AXTextField", true, true, {"AXFocused Tool"}, {"AXPress Tool"}},
    {"AXIncrementor press last", "AXIncrementor", true, true, {}, {"AXPress Tool"}},
    {"AXRadioButton press last", "AXRadioButton", true, true, {}, {"AXPress Tool"}},
};

class EachRole : public CommandLayer, public ::testing::WithParamInterface<RoleAction> {};

TEST_P(EachRole, GetsItsActionAndFinalCommandsLeaveWindowAndPopoversAlone) {
    const RoleAction& c = GetParam();
    useCommands({row({"Home"}, "Tool", "t", "Tool", c.last, c.role, c.press)});
    start(homeWindow(
        std::string("    ") + c.role + " \"Tool\" pos=100,80 size=20,20 actions=AXPress,AXShowMenu\n",
        "  AXPopover \"Gallery\" pos=300,300 size=50,50\n"));
    openHome();
    type("t");
    EXPECT_EQ(attributeSets(), c.sets);
    EXPECT_EQ(actions(), c.actions);
    EXPECT_TRUE(logged(std::string("Performing action on element with role ") + c.role + " and press " +
                       (c.press ? "true" : "false")));
    EXPECT_EQ(world().children(windows[0]).size(), 4U);  // the popover stays
    if (c.last) {
        EXPECT_TRUE(idle());
        EXPECT_TRUE(labels().empty());
    } else {
        EXPECT_TRUE(tips->mode().isSecondLayerActive());
        EXPECT_EQ(tips->mode().layerHistory(), (std::vector<std::string>{"Home", "Tool"}));
        EXPECT_TRUE(logged("This is the source: Tool"));
    }
}

INSTANTIATE_TEST_SUITE_P(CommandLayer, EachRole, ::testing::ValuesIn(roleActions),
                         test_support::NameOfCase());

// A change to the Bold check box.
struct BoldChange {
    const char* name;
    void (*change)();
};

const BoldChange brokenBolds[] = {
    {"disabled", [] { world().setEnabled(world().find("bold"), false); }},
    {"never labelled", [] { world().removeChild(world().find("content"), world().find("bold")); }},
};

class MissingOrDisabledElement : public CommandLayer, public ::testing::WithParamInterface<BoldChange> {};

TEST_P(MissingOrDisabledElement, EndsTheModeWithTheWindowStep) {
    const BoldChange& c = GetParam();
    start(homeWindow(R"(    AXCheckBox "Bold" value=0 pos=10,80 size=20,20 name=bold
    AXCheckBox "Italic" value=0 pos=40,80 size=20,20
)",
                     "  AXPopover \"Gallery\" pos=300,300 size=50,50\n"));
    c.change();
    openHome();
    type("1");
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXRaise Book1", "AXCancel Gallery"}));
    EXPECT_FALSE(logged("Performing action on element with role AXCheckBox and press false"));
    EXPECT_TRUE(idle());
    EXPECT_TRUE(labels().empty());
    EXPECT_TRUE(tips->mode().layerHistory().empty());
    EXPECT_TRUE(tips->mode().keyBuffer().empty());
}

INSTANTIATE_TEST_SUITE_P(CommandLayer, MissingOrDisabledElement, ::testing::ValuesIn(brokenBolds),
                         test_support::NameOfCase());

struct RepeatedShortcut {
    const char* name;
    KeyTable rows;
    bool copyHasElement;
    std::vector<std::string> actions;
    bool stillSecondLayer;
};

class RepeatedShortcuts : public CommandLayer, public ::testing::WithParamInterface<RepeatedShortcut> {
public:
    static std::vector<RepeatedShortcut> cases() {
        return {
            {"two final commands both act, in table order",
             {row({"Home"}, "Cut", "t", "Cut"), row({"Home"}, "Copy", "t", "Copy")},
             true,
             {"AXPress Cut", "AXPress Copy"},
             false},
            {"a first key without element ends the layer, the second still acts",
             {row({"Home"}, "Missing", "t", "Missing"), row({"Home"}, "Copy", "t", "Copy")},
             true,
             {"AXRaise Book1", "AXPress Copy"},
             false},
            {"a first key opening a layer stops the handling",
             {row({"Home"}, "Paste", "t", "Paste", false, "AXMenuButton", false),
              row({"Home"}, "Copy", "t", "Copy")},
             true,
             {"AXShowMenu Paste"},
             true},
        };
    }
};

TEST_P(RepeatedShortcuts, ActInTableOrderUntilALayerOpens) {
    const RepeatedShortcut& c = GetParam();
    useCommands(c.rows);
    start(homeWindow(R"(    AXButton "Cut" pos=10,80 size=20,20
    AXButton "Copy" pos=40,80 size=20,20
    AXMenuButton "Paste" pos=70,80 size=20,20
)"));
    openHome();
    type("t");
    EXPECT_EQ(actions(), c.actions);
    EXPECT_EQ(tips->mode().isSecondLayerActive(), c.stillSecondLayer);
}

INSTANTIATE_TEST_SUITE_P(CommandLayer, RepeatedShortcuts, ::testing::ValuesIn(RepeatedShortcuts::cases()),
                         test_support::NameOfCase());

// A final command ends the second layer; a later exact match of the same shortcut that opens a
// layer brings the second layer back, so its labels are typed into, not passed to the host.
TEST_F(CommandLayer, LayerOpenedAfterAFinalMatchOfTheSameShortcutTakesTheKeys) {
    useCommands({
        row({"Home"}, "Cut", "t", "Cut"),
        row({"Home"}, "Paste", "t", "Paste", false, "AXMenuButton", false),
        row({"Paste"}, "Values", "v", "Values"),
    });
    start(homeWindow(R"(    AXButton "Cut" pos=10,80 size=20,20
    AXMenuButton "Paste" pos=70,80 size=20,20
    AXButton "Values" pos=70,120 size=20,20
)"));
    openHome();
    type("t");
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXPress Cut", "AXShowMenu Paste"}));
    EXPECT_TRUE(tips->mode().isSecondLayerActive());
    EXPECT_EQ(labels(), (std::vector<std::string>{"V"}));
    EXPECT_FALSE(press(keyCodeOf('v'), "v"));
    world().pump();
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXPress Cut", "AXShowMenu Paste", "AXPress Values"}));
    EXPECT_TRUE(idle());
}

TEST_F(CommandLayer, ShorterShortcutActsBeforeTheLongerCanBeTyped) {
    useCommands(
        {row({"Home"}, "Freeze", "f", "Freeze"), row({"Home"}, "Freeze Panes", "ff", "Freeze Panes")});
    start(homeWindow(R"(    AXButton "Freeze" pos=10,80 size=20,20
    AXButton "Freeze Panes" pos=40,80 size=20,20
)"));
    openHome();
    EXPECT_EQ(labels(), (std::vector<std::string>{"F", "FF"}));
    type("f");
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXPress Freeze"}));
    EXPECT_TRUE(idle());
    EXPECT_TRUE(press(keyCodeOf('f'), "f"));  // the mode has ended: the host gets the second "f"
}

TEST_F(CommandLayer, PrefixWaitsAndAContinuationOfNoShortcutEndsTheMode) {
    useCommands({row({"Home"}, "Zoom Left", "zl", "Zoom Left"), row({"Home"}, "Zoom Fit", "zf", "Zoom Fit"),
                 row({"Home"}, "Zoom All", "za", "Zoom All")});
    start(homeWindow(R"(    AXButton "Zoom Left" pos=10,80 size=20,20
    AXButton "Zoom Fit" pos=40,80 size=20,20
    AXButton "Zoom All" pos=70,80 size=20,20
)"));
    openHome();
    type("z");
    EXPECT_FALSE(press(50, ""));  // a key without text changes nothing
    world().pump();
    EXPECT_EQ(world().logLines(), (std::vector<std::string>{"VELKARO || Key pressed Layer Two: z",
                                                            "VELKARO || Key pressed Layer Two: "}));
    EXPECT_EQ(labels(), (std::vector<std::string>{"ZL", "ZF", "ZA"}));
    EXPECT_EQ(tips->mode().keyBuffer(), "z");
    type("q");
    EXPECT_TRUE(logged("VELKARO || Layer 2: No access keys found starting with zq"));
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXRaise Book1"}));
    EXPECT_TRUE(idle());
    EXPECT_TRUE(labels().empty());
    EXPECT_TRUE(tips->mode().keyBuffer().empty());
}

struct Gallery {
    const char* name;
    const char* layer;
    int galleryButtons;
    std::vector<std::string> sets;
};

// The Home tab is the first radio button of the window; the gallery's follow it.
const Gallery galleries[] = {
    {"Font Color with 3", "Font Color", 3, {"AXFocused Red"}},
    {"Shading with 3", "Shading", 3, {"AXFocused Red"}},
    {"Line Color with 3", "Line Color", 3, {"AXFocused Red"}},
    {"Line Color with 1", "Line Color", 1, {"AXFocused Red"}},
    {"Font Color with 0", "Font Color", 0, {}},
    {"Borders with 3", "Borders", 3, {}},
    {"lower-case font color with 3", "font color", 3, {}},
};

class ColourGalleries : public CommandLayer, public ::testing::WithParamInterface<Gallery> {};

TEST_P(ColourGalleries, FocusTheirSecondRadioButton) {
    const Gallery& c = GetParam();
    useCommands({row({"Home"}, c.layer, "c", c.layer, false, "AXMenuButton", false)});
    std::string gallery = "  AXPopover \"Gallery\" pos=300,300 size=50,50\n";
    const char* colours[] = {"Red", "Green", "Blue"};
    for (int i = 0; i < c.galleryButtons; ++i) {
        gallery += std::string("    AXRadioButton \"") + colours[i] + "\" pos=300," +
                   std::to_string(300 + 20 * i) + " size=10,10\n";
    }
    start(homeWindow(std::string("    AXMenuButton \"") + c.layer + "\" pos=100,80 size=20,20\n", gallery));
    openHome();
    type("c");
    EXPECT_EQ(attributeSets(), c.sets);
    if (!c.sets.empty()) {
        EXPECT_EQ(world().attribute(world().findByTitle(pid, "AXRadioButton", "Red"), "AXFocused"),
                  Value(true));
    }
}

INSTANTIATE_TEST_SUITE_P(CommandLayer, ColourGalleries, ::testing::ValuesIn(galleries),
                         test_support::NameOfCase());

TEST_F(CommandLayer, ReturnLayerReopensThePreviousCommandLayer) {
    useCommands({
        row({"Home"}, "Borders", "b", "Borders", false, "AXMenuButton", false),
        row({"Home"}, "Bold", "1", "Bold", true, "AXCheckBox", false),
        row({"Borders"}, "Line", "l", "Line"),
    });
    start(homeWindow(R"(    AXMenuButton "Borders" pos=100,80 size=20,20
    AXCheckBox "Bold" value=0 pos=10,80 size=20,20
    AXButton "Line" pos=10,200 size=20,20
)"));
    openHome();
    type("b");
    ASSERT_EQ(labels(), (std::vector<std::string>{"L"}));
    world().clearRecords();
    tips->commandAccessLayer().returnLayer();
    EXPECT_TRUE(logged("Returning to Command Bar"));
    EXPECT_TRUE(logged("This is the source: Home"));
    EXPECT_EQ(tips->mode().layerHistory(), (std::vector<std::string>{"Home"}));
    EXPECT_EQ(labels(), (std::vector<std::string>{"B", "1"}));
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXRaise Book1"}));
    EXPECT_TRUE(tips->mode().isSecondLayerActive());
    type("1");
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXRaise Book1", "AXPress Bold"}));
}

TEST_F(CommandLayer, ReturnLayerFromTheFirstCommandLayerReopensTheTabs) {
    start(bookWindow);
    world().setAttribute(el("insert"), "AXValue", Value(0));
    openHome();
    ASSERT_EQ(labels(), (std::vector<std::string>{"1", "2"}));
    tips->commandAccessLayer().returnLayer();
    EXPECT_TRUE(logged("Returning to Ribbon Bar"));
    EXPECT_TRUE(tips->mode().isFirstLayerActive());
    EXPECT_FALSE(tips->mode().isSecondLayerActive());
    EXPECT_EQ(labels(), (std::vector<std::string>{"H", "N"}));
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXRaise Book1"}));
    world().clearRecords();
    type("n");
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXPress Insert"}));
    EXPECT_TRUE(logged("This is the source: Insert"));
}

// Only the boolean false disables: any other "AXEnabled" (a number, a text, an unreadable value)
// leaves the control enabled, labelled in full and pressed.
const BoldChange nonBooleanEnabled[] = {
    {"the number 0", [] { world().setAttribute(world().find("bold"), "AXEnabled", Value(0)); }},
    {"a text", [] { world().setAttribute(world().find("bold"), "AXEnabled", Value("NO")); }},
    {"unreadable",
     [] {
         world().failAttribute(world().find("bold"), "AXEnabled", platform::sim::AttributeFailure::error);
     }},
    {"absent", [] { world().removeAttribute(world().find("bold"), "AXEnabled"); }},
};

class NonBooleanEnabled : public CommandLayer, public ::testing::WithParamInterface<BoldChange> {};

TEST_P(NonBooleanEnabled, CountsAsEnabled) {
    const BoldChange& c = GetParam();
    start();
    c.change();
    openHome();
    ASSERT_EQ(labels(), (std::vector<std::string>{"1", "2"}));
    for (const platform::sim::WindowInfo& label : world().visibleWindows()) {
        EXPECT_EQ(label.backgroundAlpha, world().visibleWindows().back().backgroundAlpha) << label.text;
    }
    type("1");
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXPress Bold"}));
}

INSTANTIATE_TEST_SUITE_P(CommandLayer, NonBooleanEnabled, ::testing::ValuesIn(nonBooleanEnabled),
                         test_support::NameOfCase());

// A key that begins no shortcut ends the mode and forgets the layers it went through: the next mode's
// first command layer labels the first of several matching elements, as a first layer does.
TEST_F(CommandLayer, NoMatchForgetsTheLayersSoTheNextModeLabelsTheFirstMatch) {
    start(
        homeWindow("    AXCheckBox \"Bold\" value=0 pos=10,80 size=20,20 name=bold\n"
                   "    AXCheckBox \"Bold\" value=0 pos=70,80 size=20,20 name=bold2\n"));
    openHome();
    type("q");
    ASSERT_TRUE(idle());
    EXPECT_TRUE(tips->mode().layerHistory().empty());

    openHome();
    type("1");
    ASSERT_FALSE(world().actions().empty());
    EXPECT_EQ(world().actions()[0].element, el("bold"));
    EXPECT_EQ(world().actions()[0].action, "AXPress");
}

// The map keeps what an earlier opening filed, but a key that labelled nothing in this opening does
// not act on it: the element may be a hidden control of another tab.
const BoldChange boldsGoneFromTheLayer[] = {
    {"taken out of the window", [] { world().removeChild(world().find("content"), world().find("bold")); }},
    {"moved above the toolbar row",
     [] {
         world().setAttribute(world().find("bold"), "AXPosition",
                              Value(platform::ax::PackedValue::point({10, 5})));
     }},
    {"vanished", [] { world().vanish(world().find("bold")); }},
};

class KeyUnlabelledInThisOpening : public CommandLayer, public ::testing::WithParamInterface<BoldChange> {};

TEST_P(KeyUnlabelledInThisOpening, IgnoresWhatAnEarlierOpeningFiled) {
    const BoldChange& c = GetParam();
    start();
    openHome();
    press(keys::escape, "\x1b");
    world().pump();
    c.change();
    openHome();
    EXPECT_EQ(labels(), (std::vector<std::string>{"2"}));  // Italic only
    EXPECT_EQ(tips->commandAccessLayer().accessKeyToElement.count("Bold"), 1U);
    type("1");
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXRaise Book1"}));
    EXPECT_FALSE(tips->isLayerActive());
    EXPECT_TRUE(idle());
}

INSTANTIATE_TEST_SUITE_P(CommandLayer, KeyUnlabelledInThisOpening, ::testing::ValuesIn(boldsGoneFromTheLayer),
                         test_support::NameOfCase());

// The attribute cache outlives the layer and the mode: an element renamed since is still matched by
// the title first read.
TEST_F(CommandLayer, RenamedElementIsStillMatchedByItsFirstReadTitle) {
    start();
    openHome();
    press(keys::escape, "\x1b");
    world().pump();
    world().setAttribute(el("bold"), "AXTitle", Value("Fett"));
    openHome();
    EXPECT_EQ(labels(), (std::vector<std::string>{"1", "2"}));
}

}  // namespace
}  // namespace layertest
