// The measures of the simulated ribbon, in points, laid out as a person sees a ribbon: every control as
// wide as its title (or description), no two controls on top of each other.
#pragma once

#include <cstddef>
#include <string_view>

namespace sim_hosts::detail {

inline constexpr double windowWidth = 1440;
inline constexpr double windowHeight = 900;
inline constexpr double margin = 8;
// Control titles are written at 10 points (as the screen picture draws them), with room on both
// sides, and an arrow after the title of a menu button or combo box.
inline constexpr double titleFontSize = 10;
inline constexpr double captionFontSize = 9;
inline constexpr double textPadding = 8;
inline constexpr double arrowWidth = 14;
// A key-tip label is 15 points wide from the middle of its control and reaches from 10 points above
// the control's bottom edge to 5 below it: a control at least this wide keeps its label on itself,
// and rows of controls stand far enough apart that no label covers the next row.
inline constexpr double minimumWidth = 32;
inline constexpr double labelReach = 5;
inline constexpr double rowGap = labelReach + 1;
// The toolbar row sits in the title bar, the tab row below it.
inline constexpr double toolbarY = 4;
inline constexpr double barHeight = 22;  // toolbar buttons and tabs
inline constexpr double barGap = 4;
inline constexpr double tabRowY = 30;
inline constexpr double tabGap = 2;
// Commands in the band and in menus.
inline constexpr double controlHeight = 24;
inline constexpr double rowPitch = controlHeight + rowGap;
inline constexpr double columnGap = 4;
// A group: up to three rows of controls, its name in a caption below them.
inline constexpr std::size_t groupRows = 3;
inline constexpr std::size_t unnamedGroupSize = 3 * groupRows;
inline constexpr double groupPadding = 4;
inline constexpr double captionHeight = 14;
inline constexpr double groupHeight =
    groupPadding + static_cast<double>(groupRows - 1) * rowPitch + controlHeight + labelReach + captionHeight;
inline constexpr double groupGap = 4;
// A menu: a vertical list (in further columns when taller than the screen allows).
inline constexpr double menuPadding = 4;
inline constexpr double menuGap = 2;
inline constexpr double minimumMenuWidth = 100;

// The width of a text written at this size.
double textWidth(std::string_view text, double fontSize);
// The width of a control with this role and text.
double controlWidth(std::string_view role, std::string_view text);

}  // namespace sim_hosts::detail
