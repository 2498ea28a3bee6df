#include "support/host_window.hpp"

#include <cctype>

#include "platform/sim/world.hpp"

namespace test_support {
namespace {

// An element's name: its title in lower case without spaces.
std::string nameOf(std::string_view title) {
    std::string name;
    for (const char c : title) {
        if (c != ' ') {
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return name;
}

}  // namespace

std::string hostWindow(const HostWindow& window) {
    const std::string size =
        " size=" + std::to_string(window.buttonSize) + "," + std::to_string(window.buttonSize);
    std::string text = "window \"" + window.title + "\"\n";
    int x = window.toolbarX;
    for (const std::string& button : window.toolbar) {
        text += "  AXButton \"" + button + "\" pos=" + std::to_string(x) + ",10" + size +
                " name=" + nameOf(button) + "\n";
        x += 20;
    }
    text += "  AXMenuButton \"Customize Quick Access Toolbar\" pos=" + std::to_string(window.anchorX) +
            ",10" + size + " name=anchor\n" + window.nearToolbar;
    const std::string indent = window.grouped ? "    " : "  ";
    if (window.grouped) {
        text += "  AXTabGroup\n";
    }
    int tabX = 10;
    for (const HostWindow::Tab& tab : window.tabs) {
        text += indent + "AXRadioButton \"" + tab.title + "\" " + tab.settings +
                " pos=" + std::to_string(tabX) + ",40 size=40,20 name=" + nameOf(tab.title) + "\n";
        tabX += 50;
    }
    if (window.grouped) {
        text += "  AXGroup name=content\n";
    }
    text += indent + "AXCheckBox \"Bold\" value=0 pos=10,80 size=20,20 name=bold\n" + window.moreCommands;
    return text;
}

std::vector<std::string> labelTexts(std::optional<std::string_view> category) {
    std::vector<std::string> texts;
    for (const platform::sim::WindowInfo& label : platform::sim::world().visibleWindows()) {
        if (!category || label.category == *category) {
            texts.push_back(label.text);
        }
    }
    return texts;
}

}  // namespace test_support
