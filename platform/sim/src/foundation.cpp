// Foundation as the simulated world plays it: scripts answered by the hosts' macros, log, output.
#include "platform/foundation.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/sim/world.hpp"
#include "state.hpp"

namespace platform::foundation {

using sim::detail::state;

namespace {

// The answer of the macro that the source names (the earliest named; the longest name on a tie).
// Caller holds the world's mutex.
std::optional<sim::ScriptAnswer> answerFor(std::string_view source) {
    std::optional<sim::ScriptAnswer> answer;
    std::size_t bestPosition = std::string_view::npos;
    std::size_t bestLength = 0;
    for (const auto& [macro, configured] : state().scriptAnswers) {
        const std::size_t position = macro.empty() ? std::string_view::npos : source.find(macro);
        if (position == std::string_view::npos) {
            continue;
        }
        if (position < bestPosition || (position == bestPosition && macro.size() > bestLength)) {
            bestPosition = position;
            bestLength = macro.size();
            answer = configured;
        }
    }
    return answer;
}

bool echoing() { return std::getenv("KEYTIPS_SIM_ECHO_LOG") != nullptr; }

void echo(std::FILE* stream, std::string_view text, bool newline) {
    std::fwrite(text.data(), 1, text.size(), stream);
    if (newline) {
        std::fputc('\n', stream);
    }
    std::fflush(stream);
}

}  // namespace

std::optional<AppleScript> AppleScript::create(std::string source) {
    {
        std::lock_guard lock(state().mutex);
        const auto answer = answerFor(source);
        if (answer && answer->kind == sim::ScriptAnswer::Kind::creationFails) {
            return std::nullopt;
        }
    }
    return AppleScript(std::move(source));
}

ScriptResult AppleScript::execute() const {
    std::lock_guard lock(state().mutex);
    state().scriptsRun.push_back(source_);
    const auto answer = answerFor(source_);
    if (!answer) {
        return {};
    }
    switch (answer->kind) {
        case sim::ScriptAnswer::Kind::text:
            return {std::nullopt, answer->text};
        case sim::ScriptAnswer::Kind::error:
            return {answer->text, std::nullopt};
        case sim::ScriptAnswer::Kind::noString:
        case sim::ScriptAnswer::Kind::creationFails:
            break;
    }
    return {};
}

void log(std::string_view line) { sim::world().recordLog(line); }

void writeStandardOutput(std::string_view text) { sim::world().recordStandardOutput(text); }

std::vector<std::string> preferredLanguages() {
    std::lock_guard lock(state().mutex);
    return state().languages;
}

}  // namespace platform::foundation

namespace platform::sim {

namespace {

void appendUnit(std::string& out, std::uint32_t unit) {
    std::array<char, 12> hex{};  // room for "\\U" and all eight hex digits of any 32-bit unit
    std::snprintf(hex.data(), hex.size(), "\\U%04x", static_cast<unsigned>(unit));
    out += hex.data();
}

// The next code point of UTF-8 text; a byte that does not start a well-formed sequence stands for itself.
std::uint32_t nextCodePoint(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    std::uint32_t point = lead;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        point = lead & 0x1FU;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        point = lead & 0x0FU;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        point = lead & 0x07U;
    }
    if (i + length > text.size()) {
        ++i;
        return lead;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0U) != 0x80U) {
            ++i;
            return lead;
        }
        point = (point << 6U) | (next & 0x3FU);
    }
    i += length;
    return point;
}

// A text as a dictionary's description prints it: bare when it is made of letters, digits and _$.:/
// only, otherwise quoted with escapes and every character beyond ASCII as \Uxxxx (UTF-16 units).
std::string describedText(std::string_view text) {
    const bool bare = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x80 &&
               (std::isalnum(byte) != 0 || std::string_view("_$.:/").find(c) != std::string_view::npos);
    });
    if (bare) {
        return std::string(text);
    }
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const std::uint32_t point = nextCodePoint(text, i);
        if (point == '"' || point == '\\') {
            out += '\\';
            out += static_cast<char>(point);
        } else if (point == '\n') {
            out += "\\n";
        } else if (point == '\t') {
            out += "\\t";
        } else if (point < 0x20 || point >= 0x7F) {
            if (point >= 0x10000) {
                appendUnit(out, 0xD800 + ((point - 0x10000) >> 10U));
                appendUnit(out, 0xDC00 + ((point - 0x10000) & 0x3FFU));
            } else {
                appendUnit(out, point);
            }
        } else {
            out += static_cast<char>(point);
        }
    }
    out += '"';
    return out;
}

}  // namespace

std::string scriptErrorMessage(int number) {
    switch (number) {
        case -600:
            return "Application isn\u2019t running.";
        case -1708:
            return "The event was not handled.";
        case -1712:
            return "AppleEvent timed out.";
        case -1728:
            return "Can\u2019t get object.";
        case -1743:
            return "Not authorized to send Apple events to the application.";
        case -2741:
            return "Expected end of line but found identifier.";
        default:
            return "An error of type " + std::to_string(number) + " has occurred.";
    }
}

std::string errorDictionaryText(int number, std::string_view message) {
    const std::string text = describedText(message);
    const std::pair<std::string_view, std::string> entries[] = {
        {"NSAppleScriptErrorBriefMessage", text},
        {"NSAppleScriptErrorMessage", text},
        {"NSAppleScriptErrorNumber", std::to_string(number)},
        {"NSAppleScriptErrorRange", describedText("NSRange: {0, 0}")},
    };
    std::string out = "{\n";
    for (const auto& [key, value] : entries) {
        out.append("    ").append(key).append(" = ").append(value).append(";\n");
    }
    return out + "}";
}

ScriptAnswer ScriptAnswer::withErrorNumber(int number, std::optional<std::string> message) {
    return withError(errorDictionaryText(number, message ? *message : scriptErrorMessage(number)));
}

void World::recordLog(std::string_view line) {
    {
        std::lock_guard lock(detail::state().mutex);
        detail::state().logLines.emplace_back(line);
        detail::noteHistory(HistoryEntry::Kind::log, detail::state().logLines.size());
    }
    if (foundation::echoing()) {
        foundation::echo(stderr, line, true);
    }
}

void World::recordStandardOutput(std::string_view text) {
    {
        std::lock_guard lock(detail::state().mutex);
        detail::state().standardOutput.append(text);
    }
    if (foundation::echoing()) {
        foundation::echo(stdout, text, false);
    }
}

}  // namespace platform::sim
