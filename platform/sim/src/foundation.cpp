// Foundation as the simulated world plays it: scripts answered by the hosts' macros, log, output.
#include "platform/foundation.hpp"

#include <cstdio>
#include <cstdlib>

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

void World::recordLog(std::string_view line) {
    {
        std::lock_guard lock(detail::state().mutex);
        detail::state().logLines.emplace_back(line);
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
