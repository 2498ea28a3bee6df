// The screen as an SVG picture, in accessibility coordinates (origin top left, y down): the focused
// windows drawn as a person sees them (title bar, tab rows, bands of grouped controls, open menus),
// with the libraries' label windows as small badges on top.
#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sim/world.hpp"
#include "state.hpp"

namespace platform::sim {

namespace {

// The window's title bar, which holds a host's toolbar row.
constexpr double titleBarHeight = 30;
// Control titles are written at 10 points, a group's name at 9, in the font family below.
constexpr double titleFontSize = 10;
constexpr double captionFontSize = 9;
constexpr const char* fontFamily = "Helvetica, Arial, sans-serif";
// Room left of a title, and the room of the arrow of a menu button or combo box at the right end.
constexpr double textPadding = 8;
constexpr double arrowWidth = 14;

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                // Control characters are not allowed in XML text.
                out += (static_cast<unsigned char>(c) < 0x20 && c != '\t') ? ' ' : c;
        }
    }
    return out;
}

const std::string* text(const detail::Node& node, std::string_view attribute) {
    const auto found = node.attributes.find(attribute);
    return found == node.attributes.end() ? nullptr : found->second.text();
}

const ax::PackedValue* packed(const detail::Node& node, std::string_view attribute) {
    const auto found = node.attributes.find(attribute);
    return found == node.attributes.end() ? nullptr : found->second.packed();
}

bool isOn(const detail::Node& node) {
    const auto found = node.attributes.find("AXValue");
    const std::int64_t* value = found == node.attributes.end() ? nullptr : found->second.integer();
    return value != nullptr && *value != 0;
}

bool isEnabled(const detail::Node& node) {
    const auto found = node.attributes.find("AXEnabled");
    const bool* value = found == node.attributes.end() ? nullptr : found->second.boolean();
    return value == nullptr || *value;
}

// The title, else the description; empty when it has neither.
std::string shownText(const detail::Node& node) {
    const std::string* label = text(node, "AXTitle");
    if (label == nullptr || label->empty()) {
        label = text(node, "AXDescription");
    }
    return label == nullptr ? std::string() : *label;
}

std::string roleOf(const detail::Node& node) {
    if (node.kind == detail::NodeKind::window) {
        return "AXWindow";
    }
    const std::string* role = text(node, "AXRole");
    return role == nullptr ? std::string() : *role;
}

class Picture {
public:
    explicit Picture(std::ostringstream& out) : out_(out) {}

    void rect(const Rect& frame, std::string_view style, double radius = 0) {
        out_ << "<rect x=\"" << frame.origin.x << "\" y=\"" << frame.origin.y << "\" width=\""
             << frame.size.width << "\" height=\"" << frame.size.height << "\" " << style;
        if (radius > 0) {
            out_ << " rx=\"" << radius << '"';
        }
        out_ << "/>\n";
    }

    void line(Point from, Point to, std::string_view colour) {
        out_ << "<line x1=\"" << from.x << "\" y1=\"" << from.y << "\" x2=\"" << to.x << "\" y2=\"" << to.y
             << "\" stroke=\"" << colour << "\"/>\n";
    }

    // Text with its baseline at `at`; anchor "start", "middle" or "end".
    void words(Point at, std::string_view content, double size, std::string_view colour,
               std::string_view anchor = "start", bool bold = false) {
        out_ << "<text x=\"" << at.x << "\" y=\"" << at.y << "\" font-family=\"" << fontFamily
             << "\" font-size=\"" << size << "\" fill=\"" << colour << '"';
        if (anchor != "start") {
            out_ << " text-anchor=\"" << anchor << '"';
        }
        if (bold) {
            out_ << " font-weight=\"bold\"";
        }
        out_ << " xml:space=\"preserve\">" << escaped(content) << "</text>\n";
    }

private:
    std::ostringstream& out_;
};

// A title's baseline: in the upper part of the control, clear of a label at its bottom edge.
double baseline(const Rect& frame) { return frame.origin.y + frame.size.height - 12; }

void drawWindow(Picture& picture, const Rect& frame, const std::string& title) {
    picture.rect(frame, "fill=\"white\" stroke=\"#999\"");
    picture.rect(Rect{frame.origin, {frame.size.width, titleBarHeight}}, "fill=\"#e6e6e6\"");
    picture.words(Point{frame.origin.x + frame.size.width / 2, frame.origin.y + 19}, title, 12, "#444",
                  "middle", true);
}

// A control on a menu: a line of the list, its title on the left, an arrow when it opens more.
void drawMenuItem(Picture& picture, const detail::Node& node, const std::string& role, const Rect& frame) {
    if (isOn(node)) {
        picture.rect(frame, "fill=\"#dce8fa\"", 3);
    }
    const char* colour = isEnabled(node) ? "#222" : "#aaa";
    picture.words(Point{frame.origin.x + textPadding, baseline(frame)}, shownText(node), titleFontSize,
                  colour);
    if (role == "AXMenuButton" || role == "AXComboBox") {
        picture.words(Point{frame.origin.x + frame.size.width - 6, baseline(frame)}, "\u25B8", titleFontSize,
                      colour, "end");
    }
}

// A tab of a tab row: the selected one stands out like the band below it.
void drawTab(Picture& picture, const detail::Node& node, const Rect& frame) {
    if (isOn(node)) {
        picture.rect(frame, "fill=\"#f7f7f7\" stroke=\"#bbb\"", 3);
        picture.line(Point{frame.origin.x + 4, frame.origin.y + frame.size.height - 1},
                     Point{frame.origin.x + frame.size.width - 4, frame.origin.y + frame.size.height - 1},
                     "#2f6fbf");
    }
    picture.words(Point{frame.origin.x + frame.size.width / 2, baseline(frame)}, shownText(node),
                  titleFontSize, isEnabled(node) ? "#222" : "#aaa", "middle");
}

// A control on a band or a toolbar: a box with its title, an arrow when it opens a menu or a list.
void drawControl(Picture& picture, const detail::Node& node, const std::string& role, const Rect& frame) {
    const bool arrow = role == "AXMenuButton" || role == "AXComboBox";
    const char* colour = isEnabled(node) ? "#222" : "#aaa";
    if (role == "AXComboBox" || role == "AXTextField") {
        picture.rect(frame, "fill=\"white\" stroke=\"#999\"", 2);
        picture.words(Point{frame.origin.x + textPadding, baseline(frame)}, shownText(node), titleFontSize,
                      isEnabled(node) ? "#666" : "#aaa");
    } else {
        picture.rect(frame,
                     isOn(node) ? "fill=\"#dce8fa\" stroke=\"#7fa6dc\"" : "fill=\"white\" stroke=\"#c4c4c4\"",
                     3);
        const double middle = frame.origin.x + (frame.size.width - (arrow ? arrowWidth : 0)) / 2;
        picture.words(Point{middle, baseline(frame)}, shownText(node), titleFontSize, colour, "middle");
    }
    if (arrow) {
        picture.words(Point{frame.origin.x + frame.size.width - 5, baseline(frame)}, "\u25BE", titleFontSize,
                      colour, "end");
    }
}

void drawElement(Picture& picture, const detail::Node& node, const std::string& parentRole) {
    Point position;
    Size size;
    const auto* packedPosition = packed(node, "AXPosition");
    const auto* packedSize = packed(node, "AXSize");
    if (packedPosition == nullptr || packedSize == nullptr || !ax::unpackPoint(*packedPosition, position) ||
        !ax::unpackSize(*packedSize, size)) {
        return;
    }
    const Rect frame{position, size};
    const std::string role = roleOf(node);
    if (role == "AXWindow") {
        drawWindow(picture, frame, shownText(node));
    } else if (role == "AXTabGroup") {
        picture.rect(frame, "fill=\"#e6e6e6\"");
    } else if (role == "AXGroup" && parentRole == "AXWindow") {
        // A band across the window, such as a ribbon.
        picture.rect(frame, "fill=\"#f7f7f7\"");
        picture.line(Point{frame.origin.x, frame.origin.y + frame.size.height},
                     Point{frame.origin.x + frame.size.width, frame.origin.y + frame.size.height}, "#c8c8c8");
    } else if (role == "AXGroup") {
        // A group of controls: its name below them, a rule at its right end.
        const double right = frame.origin.x + frame.size.width + 2;
        picture.line(Point{right, frame.origin.y + 4}, Point{right, frame.origin.y + frame.size.height - 4},
                     "#d4d4d4");
        picture.words(Point{frame.origin.x + frame.size.width / 2, frame.origin.y + frame.size.height - 4},
                      shownText(node), captionFontSize, "#777", "middle");
    } else if (role == "AXPopover") {
        picture.rect(Rect{{frame.origin.x + 2, frame.origin.y + 3}, frame.size},
                     "fill=\"black\" fill-opacity=\"0.18\"", 5);
        picture.rect(frame, "fill=\"white\" stroke=\"#aaa\"", 5);
        if (node.children.empty()) {
            picture.words(Point{frame.origin.x + textPadding, baseline(frame)}, shownText(node) + " (empty)",
                          titleFontSize, "#999");
        }
    } else if (parentRole == "AXPopover") {
        drawMenuItem(picture, node, role, frame);
    } else if (role == "AXRadioButton" && parentRole == "AXTabGroup") {
        drawTab(picture, node, frame);
    } else {
        drawControl(picture, node, role, frame);
    }
}

void drawTree(Picture& picture, ax::Element element, const std::string& parentRole,
              std::vector<bool>& visited) {
    const detail::Node* node = detail::node(element);
    if (node == nullptr || visited[element.reference() - 1]) {
        return;
    }
    visited[element.reference() - 1] = true;
    drawElement(picture, *node, parentRole);
    const std::string role = roleOf(*node);
    for (const auto& child : node->children) {
        drawTree(picture, child, role, visited);
    }
}

// A label window as a key-tip badge: its letters in white on the window's blue, deepened so that the
// letters stand out (paler when its control is disabled), widened a little for two or more letters.
void drawLabel(Picture& picture, const WindowInfo& info, double screenHeight) {
    const Rect& frame = info.frame;
    const double top = screenHeight - (frame.origin.y + frame.size.height);
    const double letters = static_cast<double>(info.text.size());
    const double width = std::max(frame.size.width, 7 * letters + 5);
    const double left = frame.origin.x + (frame.size.width - width) / 2;
    std::ostringstream style;
    style << "fill=\"blue\" fill-opacity=\"" << std::min(1.0, info.backgroundAlpha * 1.7)
          << "\" stroke=\"white\"";
    picture.rect(Rect{{left, top}, {width, frame.size.height}}, style.str(), 3);
    picture.words(Point{left + width / 2, top + frame.size.height / 2 + 3.5}, info.text, 10, "white",
                  "middle", true);
}

}  // namespace

std::string World::svg() const {
    auto& shared = detail::state();
    Size screen{1440, 900};
    {
        std::lock_guard lock(shared.mutex);
        if (!shared.screens.empty()) {
            screen = shared.screens.front().size;
        }
    }
    std::ostringstream out;
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << screen.width << "\" height=\""
        << screen.height << "\" viewBox=\"0 0 " << screen.width << ' ' << screen.height << "\">\n";
    out << "<rect width=\"100%\" height=\"100%\" fill=\"#d9dde3\"/>\n";
    Picture picture(out);
    std::vector<bool> visited(shared.nodes.size(), false);
    for (const auto& [processIdentifier, app] : shared.applicationElements) {
        const detail::Node* appNode = detail::node(app);
        if (appNode != nullptr && appNode->focusedWindow) {
            drawTree(picture, *appNode->focusedWindow, "AXApplication", visited);
        }
    }
    for (const auto& info : visibleWindows()) {
        drawLabel(picture, info, screen.height);
    }
    out << "</svg>\n";
    return out.str();
}

}  // namespace platform::sim
