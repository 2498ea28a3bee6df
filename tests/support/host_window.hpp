// The spreadsheet or presentation host's window as most tests open it in the simulated world, and the
// texts of the labels shown over it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace test_support {

// A host window as fixture text for World::loadFixture. Top to bottom: the Quick Access Toolbar's row
// at y 10, its buttons left to right 20 points apart, then the customise menu button that anchors the
// toolbar; the tabs side by side at y 40, 50 points apart from x 10, each 40 by 20 points; the Home
// tab's Bold check box at (10, 80). Each element is named for World::find by its title in lower case
// without spaces ("save", "home", "insert", "bold"), the customise button "anchor".
struct HostWindow {
    // A tab: its title and the rest of its fixture line, its value (1 when selected) and any further
    // settings.
    struct Tab {
        std::string title;
        std::string settings;
    };

    std::string title = "Book1";
    // The toolbar's buttons, the first at x `toolbarX`, each `buttonSize` points square like the anchor.
    std::vector<std::string> toolbar{"Save"};
    int toolbarX = 100;
    int anchorX = 300;
    int buttonSize = 20;
    // Further elements after the anchor, as fixture lines indented by two spaces: more of the toolbar
    // row, or a second row below it.
    std::string nearToolbar;
    std::vector<Tab> tabs{{"Home", "value=1"}, {"Insert", "value=0"}};
    // The tabs inside a tab group, and Bold inside a group named "content" that ends the window, so
    // that lines indented by four spaces appended to the text add commands beside Bold.
    bool grouped = false;
    // Further commands after Bold, as fixture lines indented like Bold.
    std::string moreCommands;
};

std::string hostWindow(const HostWindow& window = {});

// The texts of the labels on screen, in the order they were shown; only those of one category if given.
std::vector<std::string> labelTexts(std::optional<std::string_view> category = std::nullopt);

}  // namespace test_support
