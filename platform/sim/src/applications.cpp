// The running applications and the system's settings: screens, languages and the answers of alerts
// and scripts.
#include <algorithm>
#include <utility>

#include "platform/sim/world.hpp"
#include "state.hpp"

namespace platform::sim {

using detail::Node;
using detail::state;

namespace detail {

Application* application(int processIdentifier) {
    for (auto& app : state().applications) {
        if (app.processIdentifier == processIdentifier) {
            return &app;
        }
    }
    return nullptr;
}

}  // namespace detail

int World::launchApplication(std::optional<std::string> bundleIdentifier) {
    auto& shared = state();
    int processIdentifier = 0;
    {
        std::lock_guard lock(shared.mutex);
        processIdentifier = shared.nextProcessIdentifier++;
        shared.applications.push_back({processIdentifier, std::move(bundleIdentifier), true});
    }
    if (Node* app = detail::node(applicationElement(processIdentifier))) {
        app->vanished = false;
    }
    return processIdentifier;
}

void World::quitApplication(int processIdentifier) {
    auto& shared = state();
    {
        std::lock_guard lock(shared.mutex);
        auto& apps = shared.applications;
        apps.erase(
            std::remove_if(apps.begin(), apps.end(),
                           [&](const auto& app) { return app.processIdentifier == processIdentifier; }),
            apps.end());
        if (shared.frontmost == processIdentifier) {
            shared.frontmost.reset();
        }
    }
    if (Node* app = detail::node(applicationElement(processIdentifier))) {
        app->vanished = true;
    }
}

void World::setFrontmost(std::optional<int> processIdentifier) {
    std::lock_guard lock(state().mutex);
    state().frontmost = processIdentifier;
}

void World::setScreens(std::vector<Rect> frames) {
    std::lock_guard lock(state().mutex);
    state().screens = std::move(frames);
}

void World::setPreferredLanguages(std::vector<std::string> languages) {
    std::lock_guard lock(state().mutex);
    state().languages = std::move(languages);
}

void World::setAlertAnswer(long response) {
    std::lock_guard lock(state().mutex);
    state().alertAnswer = response;
}

void World::setScriptAnswer(std::string macroName, ScriptAnswer answer) {
    std::lock_guard lock(state().mutex);
    state().scriptAnswers[std::move(macroName)] = std::move(answer);
}

}  // namespace platform::sim
