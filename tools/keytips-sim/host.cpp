#include "host.hpp"

#include "platform/sim/world.hpp"

namespace keytips::sim {

namespace {

// A small spreadsheet window: the Quick Access Toolbar row, the Home and Insert tabs, and a few
// commands of the Home tab.
constexpr std::string_view smallRibbon = R"(window "Book1"
  AXButton "Save" pos=10,5 size=20,20
  AXButton "Undo" pos=35,5 size=20,20
  AXMenuButton "Customize Quick Access Toolbar" pos=100,5 size=20,20
  AXRadioButton "Home" value=1 pos=10,40 size=40,20
  AXRadioButton "Insert" value=0 pos=60,40 size=40,20
  AXCheckBox "Bold" value=0 pos=10,80 size=20,20
  AXCheckBox "Italic" value=0 pos=35,80 size=20,20
  AXCheckBox "Underline" value=0 pos=60,80 size=20,20
)";

}  // namespace

std::optional<std::string> setUpHost(const std::string& host, const std::string& language) {
    if (host != "spreadsheet") {
        return "unknown host " + host + " (known: spreadsheet)";
    }
    std::string code = language;
    if (language == "en-US") {
        code = "1033";
    } else if (language == "en-GB") {
        code = "2057";
    }
    auto& world = platform::sim::world();
    world.setScriptAnswer("GetLanguageCode", platform::sim::ScriptAnswer::withText(code));
    const int pid = world.launchApplication("com.microsoft.Excel");
    world.setFrontmost(pid);
    world.loadFixture(pid, smallRibbon);
    return std::nullopt;
}

}  // namespace keytips::sim
