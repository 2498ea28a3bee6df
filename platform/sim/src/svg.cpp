// The screen as an SVG picture, in accessibility coordinates (origin top left, y down).
#include <sstream>
#include <string>
#include <vector>

#include "platform/sim/world.hpp"
#include "state.hpp"

namespace platform::sim {

namespace {

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

void drawElement(std::ostringstream& out, const detail::Node& node) {
    Point position;
    Size size;
    const auto* packedPosition = packed(node, "AXPosition");
    const auto* packedSize = packed(node, "AXSize");
    if (packedPosition == nullptr || packedSize == nullptr || !ax::unpackPoint(*packedPosition, position) ||
        !ax::unpackSize(*packedSize, size)) {
        return;
    }
    out << "<rect x=\"" << position.x << "\" y=\"" << position.y << "\" width=\"" << size.width
        << "\" height=\"" << size.height << "\" fill=\"none\" stroke=\"#888\"/>\n";
    const std::string* label = text(node, "AXTitle");
    if (label == nullptr || label->empty()) {
        label = text(node, "AXDescription");
    }
    if (label != nullptr && !label->empty()) {
        out << "<text x=\"" << position.x + 2 << "\" y=\"" << position.y + 10
            << "\" font-size=\"8\" fill=\"#333\">" << escaped(*label) << "</text>\n";
    }
}

void drawTree(std::ostringstream& out, ax::Element element, std::vector<bool>& visited) {
    const detail::Node* node = detail::node(element);
    if (node == nullptr || visited[element.reference() - 1]) {
        return;
    }
    visited[element.reference() - 1] = true;
    drawElement(out, *node);
    for (const auto& child : node->children) {
        drawTree(out, child, visited);
    }
}

void drawLabel(std::ostringstream& out, const WindowInfo& info, double screenHeight) {
    const Rect& frame = info.frame;
    const double top = screenHeight - (frame.origin.y + frame.size.height);
    out << "<rect x=\"" << frame.origin.x << "\" y=\"" << top << "\" width=\"" << frame.size.width
        << "\" height=\"" << frame.size.height << "\" fill=\"blue\" fill-opacity=\"" << info.backgroundAlpha
        << "\"/>\n";
    out << "<text x=\"" << frame.origin.x + frame.size.width / 2 << "\" y=\""
        << top + frame.size.height / 2 + 4 << "\" font-size=\"12\" fill=\"white\" text-anchor=\"middle\">"
        << escaped(info.text) << "</text>\n";
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
    out << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    std::vector<bool> visited(shared.nodes.size(), false);
    for (const auto& [processIdentifier, app] : shared.applicationElements) {
        const detail::Node* appNode = detail::node(app);
        if (appNode != nullptr && appNode->focusedWindow) {
            drawTree(out, *appNode->focusedWindow, visited);
        }
    }
    for (const auto& info : visibleWindows()) {
        drawLabel(out, info, screen.height);
    }
    out << "</svg>\n";
    return out.str();
}

}  // namespace platform::sim
