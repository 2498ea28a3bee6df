// US English ribbon-tab table of the presentation host, in table order.
#include "tables/presentation.hpp"

namespace keytips::presentation {
namespace {

// clang-format off
constexpr KeyRow rows[] = {
    {{"Ribbon"}, "Home", "h", "AXRadioButton", "Home", nullptr, false, false},
    {{"Ribbon"}, "Insert", "n", "AXRadioButton", "Insert", nullptr, false, false},
    {{"Ribbon"}, "Draw", "d", "AXRadioButton", "Draw", nullptr, false, false},
    {{"Ribbon"}, "Design", "g", "AXRadioButton", "Design", nullptr, false, false},
    {{"Ribbon"}, "Transitions", "k", "AXRadioButton", "Transitions", nullptr, false, false},
    {{"Ribbon"}, "Animations", "a", "AXRadioButton", "Animations", nullptr, false, false},
    {{"Ribbon"}, "Slide Show", "s", "AXRadioButton", "Slide Show", nullptr, false, false},
    {{"Ribbon"}, "Record", "c", "AXRadioButton", "Record", nullptr, false, false},
    {{"Ribbon"}, "Review", "r", "AXRadioButton", "Review", nullptr, false, false},
    {{"Ribbon"}, "View", "w", "AXRadioButton", "View", nullptr, false, false},
    {{"Ribbon"}, "Slide Master", "m", "AXRadioButton", "Slide Master", nullptr, false, false},
    {{"Ribbon"}, "Customize Quick Access", "b", "AXMenuButton", "Customize Quick Access Toolbar", nullptr, false, false},
};
// clang-format on

}  // namespace

const std::span<const KeyRow> usRibbonKeyRows = rows;

}  // namespace keytips::presentation
