// keytips-sim: loads a key-tip library into a simulated host, starts it as the host's add-in would,
// types a key sequence and prints what happened step by step.
#include <dlfcn.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host.hpp"
#include "keys.hpp"
#include "platform/sim/world.hpp"

namespace {

using platform::sim::world;

struct Options {
    std::string host = "spreadsheet";
    std::string language = "en-US";
    std::string library;  // empty: the host's own library
    std::optional<std::string> svg;
    bool log = false;
    std::vector<std::string> keys;
};

void printHelp() {
    std::cout
        << "usage: keytips-sim [--host spreadsheet|presentation] [--language LANGUAGE] [--log] [--svg FILE]\n"
           "                   [--library PATH] [KEY ...]\n"
           "Starts the host's key-tip library (LedgerKeys in the spreadsheet host, the default; DeckKeys in\n"
           "the presentation host) in a simulated host and types the keys (default: option h 1).\n"
           "LANGUAGE: en-US (the default) or en-GB in either host; any other text is the host's own\n"
           "language value (the spreadsheet host's language code, such as 1033 or 2057, or the\n"
           "presentation host's first preferred language, such as fr-FR); an unsupported one shows the\n"
           "language alert.\n"
           "Keys:\n"
        << keytips::sim::keyWordsHelp();
}

std::optional<Options> parseOptions(int argc, char** argv) {
    Options options;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) {
                std::cerr << "keytips-sim: " << arg << " needs a value\n";
                return std::nullopt;
            }
            return std::string(args[++i]);
        };
        if (arg == "--help" || arg == "-h") {
            printHelp();
            std::exit(0);
        } else if (arg == "--log") {
            options.log = true;
        } else if (arg == "--host" || arg == "--language" || arg == "--svg" || arg == "--library") {
            const std::optional<std::string> given = value();
            if (!given) {
                return std::nullopt;
            }
            if (arg == "--host") {
                options.host = *given;
            } else if (arg == "--language") {
                options.language = *given;
            } else if (arg == "--svg") {
                options.svg = *given;
            } else {
                options.library = *given;
            }
        } else if (arg.substr(0, 2) == "--") {
            std::cerr << "keytips-sim: unknown option " << arg << "\n";
            return std::nullopt;
        } else {
            options.keys.emplace_back(arg);
        }
    }
    if (options.library.empty()) {
        options.library = options.host == "presentation" ? DECKKEYS_PATH : LEDGERKEYS_PATH;
    }
    if (options.keys.empty()) {
        options.keys = {"option", "h", "1"};
    }
    return options;
}

std::string describeEvent(const platform::appkit::Event& event) {
    using platform::appkit::EventType;
    switch (event.type) {
        case EventType::keyDown:
            return "key down " + std::to_string(event.keyCode) +
                   (event.charactersIgnoringModifiers ? " \"" + *event.charactersIgnoringModifiers + "\""
                                                      : "");
        case EventType::flagsChanged:
            return "flags changed " + std::to_string(event.keyCode) +
                   ((event.modifierFlags & platform::appkit::optionFlag) != 0 ? " (Option held)" : "");
        case EventType::leftMouseDown:
            return "left mouse down";
        case EventType::rightMouseDown:
            return "right mouse down";
    }
    return "event";
}

std::string quoted(const std::optional<std::string>& text) { return text ? "\"" + *text + "\"" : "-"; }

// Prints what changed since the last report: actions, attribute sets, log lines, and the labels now
// on screen.
class Reporter {
public:
    explicit Reporter(bool log) : log_(log) {}

    void report() {
        const auto alerts = world().alerts();
        for (std::size_t i = alertsSeen_; i < alerts.size(); ++i) {
            std::cout << "  alert \"" << alerts[i].messageText << "\": " << alerts[i].informativeText
                      << "\n  (answered with its second button)\n";
        }
        alertsSeen_ = alerts.size();
        const auto actions = world().actions();
        for (std::size_t i = actionsSeen_; i < actions.size(); ++i) {
            std::cout << "  action " << actions[i].action << " on " << actions[i].role << " "
                      << quoted(actions[i].title ? actions[i].title : actions[i].description) << "\n";
        }
        actionsSeen_ = actions.size();
        const auto sets = world().attributeSets();
        for (std::size_t i = setsSeen_; i < sets.size(); ++i) {
            std::cout << "  set " << sets[i].attribute << " on " << sets[i].role << " "
                      << quoted(sets[i].title) << "\n";
        }
        setsSeen_ = sets.size();
        if (log_) {
            const auto lines = world().logLines();
            for (std::size_t i = logSeen_; i < lines.size(); ++i) {
                std::cout << "  log: " << lines[i] << "\n";
            }
            logSeen_ = lines.size();
        }
        std::cout << "  labels:";
        const auto labels = world().visibleWindows();
        if (labels.empty()) {
            std::cout << " none";
        }
        for (const auto& label : labels) {
            std::cout << " " << label.text;
        }
        std::cout << "\n";
    }

private:
    bool log_;
    std::size_t alertsSeen_ = 0;
    std::size_t actionsSeen_ = 0;
    std::size_t setsSeen_ = 0;
    std::size_t logSeen_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        printHelp();
        return 2;
    }
    std::vector<keytips::sim::Step> steps;
    for (const std::string& word : options->keys) {
        std::optional<keytips::sim::Step> step = keytips::sim::parseStep(word);
        if (!step) {
            std::cerr << "keytips-sim: unknown key " << word << "\n";
            return 2;
        }
        steps.push_back(std::move(*step));
    }

    world().reset();
    const std::optional<std::string> hostError = keytips::sim::setUpHost(options->host, options->language);
    if (hostError) {
        std::cerr << "keytips-sim: " << *hostError << "\n";
        return 2;
    }
    void* library = dlopen(options->library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::cerr << "keytips-sim: cannot load " << options->library << ": " << dlerror() << "\n";
        return 1;
    }
    using EntryPoint = void (*)();
    auto* start = reinterpret_cast<EntryPoint>(dlsym(library, "monitorKeyboardEvents"));  // NOLINT
    if (start == nullptr) {
        std::cerr << "keytips-sim: " << options->library << " has no monitorKeyboardEvents\n";
        return 1;
    }

    Reporter reporter(options->log);
    std::cout << "start: monitorKeyboardEvents in the simulated " << options->host << " host ("
              << options->language << ")\n";
    start();
    reporter.report();
    for (const keytips::sim::Step& step : steps) {
        std::cout << "> " << step.word << "\n";
        if (step.resignActive) {
            world().postNotification(platform::appkit::applicationDidResignActiveNotification);
            std::cout << "  the host resigned active\n";
        }
        for (const auto& event : step.events) {
            const bool passed = world().deliver(event).has_value();
            std::cout << "  " << describeEvent(event) << ": " << (passed ? "passed to the host" : "swallowed")
                      << "\n";
        }
        world().pump();
        world().advanceClock(0.2);  // lets a toolbar button's delayed press run
        reporter.report();
    }
    if (options->svg) {
        std::ofstream out(*options->svg);
        out << world().svg();
        std::cout << "screen written to " << *options->svg << "\n";
    }
    // The library stays loaded: its monitors belong to the process, as in a host.
    return 0;
}
