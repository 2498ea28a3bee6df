// Compact indented text trees of windows and elements (see World::loadFixture).
#include <algorithm>
#include <charconv>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/world.hpp"
#include "state.hpp"

namespace platform::sim {

namespace {

struct Token {
    std::string key;  // empty for a plain word or a quoted text
    std::string text;
    bool quoted = false;
};

class LineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a quoted text starting at the opening quote; leaves position after the closing quote.
std::string readQuoted(std::string_view line, std::size_t& position) {
    std::string text;
    for (++position; position < line.size(); ++position) {
        const char c = line[position];
        if (c == '"') {
            ++position;
            return text;
        }
        if (c != '\\') {
            text += c;
            continue;
        }
        if (++position == line.size()) {
            break;
        }
        switch (line[position]) {
            case '"':
                text += '"';
                break;
            case '\\':
                text += '\\';
                break;
            case 'n':
                text += '\n';
                break;
            default:
                throw LineError(std::string("unknown escape \\") + line[position]);
        }
    }
    throw LineError("unterminated quoted text");
}

std::string readBare(std::string_view line, std::size_t& position) {
    const std::size_t start = position;
    while (position < line.size() && line[position] != ' ' && line[position] != '=') {
        ++position;
    }
    return std::string(line.substr(start, position - start));
}

std::vector<Token> tokenize(std::string_view line) {
    std::vector<Token> tokens;
    std::size_t position = 0;
    while (position < line.size()) {
        if (line[position] == ' ') {
            ++position;
            continue;
        }
        Token token;
        if (line[position] == '"') {
            token.text = readQuoted(line, position);
            token.quoted = true;
        } else {
            token.text = readBare(line, position);
            if (position < line.size() && line[position] == '=') {
                token.key = std::move(token.text);
                ++position;
                token.quoted = position < line.size() && line[position] == '"';
                token.text = token.quoted ? readQuoted(line, position) : readBare(line, position);
            }
        }
        if (position < line.size() && line[position] != ' ') {
            throw LineError("unexpected character after item");
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

bool parseWhole(std::string_view text, std::int64_t& out) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, out);
    return error == std::errc() && stop == end && !text.empty();
}

// Whether the text is a decimal number in C notation: an optional minus, digits with an optional
// fraction, and an optional exponent ("12", "-2.5", ".5", "1e-3").
bool isDecimal(std::string_view text) {
    std::size_t at = 0;
    const auto digits = [&] {
        const std::size_t start = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            ++at;
        }
        return at - start;
    };
    if (at < text.size() && text[at] == '-') {
        ++at;
    }
    std::size_t mantissa = digits();
    if (at < text.size() && text[at] == '.') {
        ++at;
        mantissa += digits();
    }
    if (mantissa == 0) {
        return false;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            ++at;
        }
        if (digits() == 0) {
            return false;
        }
    }
    return at == text.size();
}

// Reads a decimal number written in C notation whatever the process locale: strtod reads the
// locale's decimal separator, so the point is replaced by it first.
bool parseDecimal(std::string_view text, double& out) {
    if (!isDecimal(text)) {
        return false;
    }
    std::string local(text);
    if (const std::size_t point = local.find('.'); point != std::string::npos) {
        local.replace(point, 1, std::localeconv()->decimal_point);
    }
    char* end = nullptr;
    out = std::strtod(local.c_str(), &end);
    return end == local.c_str() + local.size();
}

double number(std::string_view text) {
    double value = 0;
    if (!parseDecimal(text, value)) {
        throw LineError("not a number: " + std::string(text));
    }
    return value;
}

std::pair<double, double> numberPair(const Token& token) {
    const std::size_t comma = token.text.find(',');
    if (token.quoted || comma == std::string::npos) {
        throw LineError(token.key + " needs two numbers separated by a comma");
    }
    const std::string_view text(token.text);
    return {number(text.substr(0, comma)), number(text.substr(comma + 1))};
}

ax::Value value(const Token& token) {
    if (token.quoted) {
        return token.text;
    }
    if (token.text == "true" || token.text == "false") {
        return token.text == "true";
    }
    std::int64_t integer = 0;
    if (parseWhole(std::string_view(token.text), integer)) {
        return integer;
    }
    return number(token.text);
}

std::vector<std::string> split(std::string_view text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        if (comma > start) {
            parts.emplace_back(text.substr(start, comma - start));
        }
        start = comma + 1;
    }
    return parts;
}

// One parsed line: a window or an element setup.
struct Line {
    bool window = false;
    ElementSetup setup;
};

void applyItem(Line& line, const Token& token) {
    if (token.key.empty()) {
        if (token.quoted || token.text != "disabled") {
            throw LineError("unexpected item: " + token.text);
        }
        line.setup.enabled = false;
    } else if (token.key == "desc") {
        line.setup.description = token.text;
    } else if (token.key == "value") {
        line.setup.value = value(token);
    } else if (token.key == "pos") {
        const auto [x, y] = numberPair(token);
        line.setup.position = Point{x, y};
    } else if (token.key == "size") {
        const auto [width, height] = numberPair(token);
        line.setup.size = Size{width, height};
    } else if (token.key == "actions") {
        line.setup.actions = split(token.text);
    } else if (token.key == "name") {
        line.setup.name = token.text;
    } else {
        throw LineError("unknown key: " + token.key);
    }
}

Line parseLine(std::string_view content) {
    const std::vector<Token> tokens = tokenize(content);
    if (tokens.empty() || !tokens.front().key.empty() || tokens.front().quoted) {
        throw LineError("a line starts with \"window\" or a role");
    }
    Line line;
    line.window = tokens.front().text == "window";
    line.setup.role = line.window ? "AXWindow" : tokens.front().text;
    std::size_t next = 1;
    if (next < tokens.size() && tokens[next].quoted && tokens[next].key.empty()) {
        line.setup.title = tokens[next++].text;
    }
    for (; next < tokens.size(); ++next) {
        applyItem(line, tokens[next]);
    }
    return line;
}

ax::Element addWindowLine(World& world, int processIdentifier, Line line) {
    const Rect frame{line.setup.position.value_or(Point{}), line.setup.size.value_or(Size{})};
    const ax::Element window = world.addWindow(processIdentifier, line.setup.title, frame);
    if (!line.setup.enabled) {
        world.setEnabled(window, false);
    }
    if (!line.setup.actions.empty()) {
        detail::node(window)->actions = line.setup.actions;
    }
    if (!line.setup.name.empty()) {
        detail::state().names.emplace(line.setup.name, window);
    }
    return window;
}

}  // namespace

std::vector<ax::Element> World::loadFixture(int processIdentifier, std::string_view text) {
    std::vector<ax::Element> windows;
    std::vector<ax::Element> open;  // open[level] is the last element of that level
    std::size_t number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view raw = text.substr(start, end - start);
        start = end + 1;
        ++number;
        while (!raw.empty() && (raw.back() == ' ' || raw.back() == '\r')) {
            raw.remove_suffix(1);
        }
        const std::size_t indent = std::min(raw.find_first_not_of(' '), raw.size());
        const std::string_view content = raw.substr(indent);
        if (content.empty() || content.front() == '#') {
            continue;
        }
        try {
            if (indent % 2 != 0) {
                throw LineError("indentation is not a multiple of two spaces");
            }
            const std::size_t level = indent / 2;
            Line line = parseLine(content);
            if (line.window != (level == 0)) {
                throw LineError(line.window ? "a window line is not indented" : "an element needs a window");
            }
            if (level > open.size()) {
                throw LineError("indented more than one level below the line before");
            }
            open.resize(level);
            if (line.window) {
                windows.push_back(addWindowLine(*this, processIdentifier, std::move(line)));
                open.push_back(windows.back());
            } else {
                open.push_back(addElement(open.back(), std::move(line.setup)));
            }
        } catch (const LineError& error) {
            throw std::invalid_argument("fixture line " + std::to_string(number) + ": " + error.what() +
                                        ": " + std::string(content));
        }
    }
    return windows;
}

}  // namespace platform::sim
