// The UK and US English tables of the presentation host side by side. Leaving out the UK command rows
// of the layers that no key opens, both languages hold the same rows in the same order: equal layers,
// identifiers, shortcuts, roles and flags. Only the wording of titles and descriptions differs, in the
// rows listed here.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <ostream>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "tables/presentation.hpp"
#include "tables/table_checks.hpp"

namespace keytips::presentation {
namespace {

using checks::Reader;

// The layers that no tab row, and no row of a layer that a tab reaches, opens. The UK command table
// keeps their rows in place; the US command table leaves them out.
const std::set<std::string>& neverOpenedLayers() {
    static const std::set<std::string> layers{
        "Page Layout",      "Scale to Fit", "Sheet Options",     "Margins",     "Orientation",
        "Print Area",       "Breaks",       "From Picture Data", "Refresh All", "Data Validation",
        "What-If Analysis", "Ungroup",      "Add Shape",
    };
    return layers;
}

bool neverOffered(const AccessKey& key) {
    return std::all_of(key.source.begin(), key.source.end(),
                       [](const std::string& layer) { return neverOpenedLayers().contains(layer); });
}

// A row without its wording.
std::string structureOf(const AccessKey& key) {
    std::ostringstream out;
    out << '[';
    for (std::size_t i = 0; i < key.source.size(); ++i) {
        out << (i == 0 ? "" : ", ") << key.source[i];
    }
    out << "] id \"" << key.identifier << "\" key \"" << key.shortcut << "\" " << key.role << " press "
        << (key.press ? "yes" : "no") << " last " << (key.isLastCommand ? "yes" : "no");
    return out.str();
}

// A UK row whose wording differs from the US row it pairs with.
struct Wording {
    std::size_t ukRow;
    const char* kind;  // "title" or "description"
    const char* uk;
    const char* us;
};

std::string describeWording(std::size_t ukRow, const std::string& kind, const std::string& uk,
                            const std::string& us) {
    return std::to_string(ukRow) + " " + kind + " \"" + uk + "\" / \"" + us + "\"";
}

constexpr std::array<Wording, 1> kRibbonWording{{
    {11, "title", "Customise Quick Access Toolbar", "Customize Quick Access Toolbar"},
}};

// The Shading menu's "More Colors..." reads "More Colours..." in the UK table like its two namesakes.
// clang-format off
constexpr std::array<Wording, 66> kCommandWording{{
    {21, "title", "Text Highlight Colour", "Text Highlight Color"},
    {22, "title", "Font Colour", "Font Color"},
    {23, "title", "Bulletpoints", "Bullets"},
    {29, "title", "Align to Left", "Align Left"},
    {30, "title", "Centre", "Center"},
    {31, "title", "Align to Right", "Align Right"},
    {65, "title", "Capitalise Each Word", "Capitalize Each Word"},
    {68, "title", "Bulletpoints and Numbering...", "Bullets and Numbering..."},
    {69, "title", "Bulletpoints and Numbering...", "Bullets and Numbering..."},
    {92, "title", "Bring Forwards", "Bring Forward"},
    {93, "title", "Send Backwards", "Send Backward"},
    {121, "title", "More Colours...", "More Colors..."},
    {122, "title", "Align to Left", "Align Left"},
    {123, "title", "Align to Centre", "Align Center"},
    {124, "title", "Align to Right", "Align Right"},
    {125, "title", "Align to Top", "Align Top"},
    {126, "title", "Align to Middle", "Align Middle"},
    {127, "title", "Align to Bottom", "Align Bottom"},
    {132, "title", "Rotate Right by 90\u00B0", "Rotate Right 90\u00B0"},
    {133, "title", "Rotate Left by 90\u00B0", "Rotate Left 90\u00B0"},
    {182, "title", "Video Browser...", "Movie Browser..."},
    {183, "title", "Video from File...", "Movie from File..."},
    {185, "title", "Online Film...", "Online Movie..."},
    {187, "title", "Audio from File ...", "Audio from File..."},
    {208, "title", "Ink to Maths", "Ink to Math"},
    {220, "description", "Standard (4 3 ratio)", "Standard (4 ratio 3)"},
    {221, "description", "Widescreen (16 9 ratio)", "Widescreen (16 ratio 9)"},
    {229, "title", "Apply to All", "Apply To All"},
    {242, "title", "Auto-preview", "AutoPreview"},
    {289, "title", "Colours", "Colors"},
    {344, "title", "Always Open as Read-only", "Always Open Read-Only"},
    {355, "title", "Show Mark-up", "Show Markup"},
    {356, "title", "Show Advanced Mark-up", "Show Advanced Markup"},
    {370, "title", "Colours", "Colors"},
    {389, "title", "Customise Colours...", "Customize Colors..."},
    {390, "title", "Reset Slide Theme Colours", "Reset Slide Theme Colors"},
    {428, "title", "Pen Colour", "Pen Color"},
    {444, "title", "Align to Left", "Align Left"},
    {445, "title", "Centre", "Center"},
    {446, "title", "Align to Right", "Align Right"},
    {447, "title", "Align to Top", "Align Top"},
    {448, "title", "Centre Vertically", "Center Vertically"},
    {449, "title", "Align to Bottom", "Align Bottom"},
    {455, "title", "Bring Forwards", "Bring Forward"},
    {456, "title", "Send Backwards", "Send Backward"},
    {480, "title", "Diagonal-down Border", "Diagonal Down Border"},
    {481, "title", "Diagonal-up Border", "Diagonal Up Border"},
    {483, "title", "More Colours...", "More Colors..."},
    {484, "title", "More Fill Colours...", "More Fill Colors..."},
    {493, "title", "More Colours...", "More Colors..."},
    {494, "title", "More Colours...", "More Colors..."},
    {505, "title", "Change Colours", "Change Colors"},
    {519, "title", "Recolour Pictures in SmartArt Graphic", "Recolor Pictures in SmartArt Graphic"},
    {531, "title", "Bring Forwards", "Bring Forward"},
    {532, "title", "Send Backwards", "Send Backward"},
    {552, "title", "More Fill Colours...", "More Fill Colors..."},
    {556, "title", "More Outline Colours...", "More Outline Colors..."},
    {561, "title", "Pre-set", "Preset"},
    {567, "title", "3D Rotation", "3-D Rotation"},
    {574, "title", "Bring Forwards", "Bring Forward"},
    {576, "title", "Send Backwards", "Send Backward"},
    {587, "title", "Change Colours", "Change Colors"},
    {595, "title", "Chart title", "Chart Title"},
    {596, "title", "Data labels", "Data Labels"},
    {608, "title", "Centred Overlay", "Centered Overlay"},
    {610, "title", "Centre", "Center"},
}};
// clang-format on

std::string firstLines(const std::vector<std::string>& lines, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < std::min(count, lines.size()); ++i) {
        text += lines[i] + "\n";
    }
    return text;
}

struct PairCase {
    const char* name;
    Reader uk;
    Reader us;
    std::size_t ukRows;
    std::size_t pairedRows;
    std::span<const Wording> wording;
};

using test_support::PrintTo;

class UkUsPairing : public testing::TestWithParam<PairCase> {};

TEST_P(UkUsPairing, RowsPairWithEqualStructureAndDifferOnlyInTheListedWording) {
    const PairCase& tested = GetParam();
    const KeyTable& uk = tested.uk();
    const KeyTable& us = tested.us();
    ASSERT_EQ(uk.size(), tested.ukRows);

    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < uk.size(); ++i) {
        if (!neverOffered(uk[i])) {
            kept.push_back(i);
        }
    }
    ASSERT_EQ(kept.size(), tested.pairedRows) << "UK rows left after the never-offered ones";
    ASSERT_EQ(us.size(), tested.pairedRows) << "US rows";

    std::vector<std::string> structure;
    std::vector<std::string> wording;
    for (std::size_t pair = 0; pair < kept.size(); ++pair) {
        const AccessKey& ukKey = uk[kept[pair]];
        const AccessKey& usKey = us[pair];
        if (structureOf(ukKey) != structureOf(usKey)) {
            structure.push_back("UK row " + std::to_string(kept[pair]) + " " + structureOf(ukKey) +
                                "\n  US row " + std::to_string(pair) + " " + structureOf(usKey));
        }
        if (ukKey.title.has_value() != usKey.title.has_value() ||
            ukKey.description.has_value() != usKey.description.has_value()) {
            wording.push_back(std::to_string(kept[pair]) + " matched by title in one language only");
        } else if (ukKey.title != usKey.title || ukKey.description != usKey.description) {
            wording.push_back(describeWording(kept[pair], ukKey.title ? "title" : "description",
                                              checks::textOf(ukKey), checks::textOf(usKey)));
        }
    }
    EXPECT_TRUE(structure.empty()) << structure.size() << " pairs differ in structure, the first:\n"
                                   << firstLines(structure, 10);

    std::vector<std::string> expected;
    for (const Wording& row : tested.wording) {
        expected.push_back(describeWording(row.ukRow, row.kind, row.uk, row.us));
    }
    EXPECT_EQ(wording, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Presentation, UkUsPairing,
    testing::Values(
        PairCase{"Ribbon", &AccessKeys_GB::ribbonKeys, &AccessKeys_US::ribbonKeys, 12, 12, kRibbonWording},
        PairCase{"Contextual", &AccessKeys_GB::contextualKeys, &AccessKeys_US::contextualKeys, 7, 7, {}},
        PairCase{"Commands", &AccessKeys_GB::sharedKeys, &AccessKeys_US::sharedKeys, 642, 598,
                 kCommandWording}),
    test_support::NameOfCase{});

}  // namespace
}  // namespace keytips::presentation
