// keytips-sim: loads a key-tip library (or the column selector) into a simulated host, starts it as
// the host's add-in would, types a key sequence and prints what happened, in the order it happened.
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <variant>
#include <vector>

#include "host.hpp"
#include "keys.hpp"
#include "platform/sim/taps.hpp"
#include "platform/sim/world.hpp"
#include "sim_hosts/add_in.hpp"

namespace {

namespace sim = keytips::sim;
namespace appkit = platform::appkit;
using platform::sim::world;

// How far the clock moves after each word: past the delay of a toolbar button's press.
constexpr double clockStep = 0.2;

struct Options {
    sim::HostSetup host;
    std::string library;  // empty: the host's own library
    bool columnSelector = false;
    bool enabled = true;
    std::optional<std::string> svg;
    bool log = false;
    std::vector<std::string> keys;
};

void printUsage(std::ostream& out) {
    out << "usage: keytips-sim [--host spreadsheet|presentation] [--language LANGUAGE] [--log] [--svg FILE]\n"
           "                   [--setting on|off] [--toolbar N] [--contextual TITLES] [--library PATH]\n"
           "                   [--column-selector] [WORD ...]\n";
}

void printHelp() {
    printUsage(std::cout);
    std::cout
        << "Starts the host's key-tip library (LedgerKeys in the spreadsheet host, the default; DeckKeys in\n"
           "the presentation host) in a simulated host as the host's add-in does (monitorKeyboardEvents),\n"
           "types the words (default: option h 1) and prints, in the order it happened, each event and\n"
           "whether it was swallowed or passed to the host, the controls pressed and the attributes set, "
           "the\n"
           "alerts, the log (with --log) and the labels on screen after each word.\n"
           "After each word the host's main queue runs until it is empty and the clock moves on by "
        << clockStep
        << " seconds\n"
           "(running the delayed blocks that fall due), as if the person paused between keys. To type keys\n"
           "ahead of the queue, as a person typing faster than the host answers, join them with commas\n"
           "into one word: f,c.\n"
           "\n"
           "Options:\n"
           "  --host HOST        spreadsheet (the default) or presentation\n"
           "  --language L       en-US (the default) or en-GB in either host; any other text, the empty "
           "text\n"
           "                     too, is the host's own language value (the spreadsheet host's language\n"
           "                     code, such as 1033 or 2057, or the presentation host's first preferred\n"
           "                     language, such as fr-FR); an unsupported one shows the language alert\n"
           "  --setting on|off   the add-in's setting that switches the library on (default on); the words\n"
           "                     enable and disable switch it during the run\n"
           "  --toolbar N        the number of Quick Access Toolbar buttons left of its menu (default 3, at\n"
           "                     most "
        << sim::maximumToolbarButtons()
        << ")\n"
           "  --contextual T,..  the titles of the contextual tabs the host shows (default: all of them;\n"
           "                     the empty text: none)\n"
           "  --log              print the library's log lines\n"
           "  --svg FILE         write the screen at the end as an SVG picture\n"
           "  --library PATH     load this library instead of the host's own\n"
           "  --column-selector  load SpanPick (the column selector) in the spreadsheet host instead, start "
           "it\n"
           "                     as the add-in does (initializeEventMonitor on a thread of its own) and\n"
           "                     print for each key whether the host receives it or it is deleted, each\n"
           "                     event posted in its place (key code and flags) and the log; enable and\n"
           "                     disable call updateColumnSelector. Try cmd+space, opt+shift+right,\n"
           "                     opt+shift+left, and resign to have another application frontmost.\n"
           "\n"
           "Words:\n"
        << sim::keyWordsHelp();
}

std::vector<std::string> splitCommas(const std::string& text) {
    std::vector<std::string> parts;
    if (text.empty()) {
        return parts;
    }
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, ',');) {
        parts.push_back(part);
    }
    if (text.back() == ',') {
        parts.emplace_back();
    }
    return parts;
}

std::variant<Options, std::string> parseOptions(int argc, char** argv) {
    Options options;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            printHelp();
            std::exit(0);
        }
        if (arg == "--log") {
            options.log = true;
            continue;
        }
        if (arg == "--column-selector") {
            options.columnSelector = true;
            continue;
        }
        if (arg == "--") {
            options.keys.insert(options.keys.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                args.end());
            break;
        }
        if (arg.substr(0, 2) != "--") {
            options.keys.emplace_back(arg);
            continue;
        }
        const bool takesValue = arg == "--host" || arg == "--language" || arg == "--svg" ||
                                arg == "--library" || arg == "--setting" || arg == "--toolbar" ||
                                arg == "--contextual";
        if (!takesValue) {
            return "unknown option " + std::string(arg);
        }
        // An option in the place of the value means the value was left out.
        if (i + 1 >= args.size() || args[i + 1].substr(0, 2) == "--") {
            return std::string(arg) + " needs a value";
        }
        const std::string value(args[++i]);
        if (arg == "--host") {
            if (!sim::isKnownHost(value)) {
                return "unknown host \"" + value + "\" (known: spreadsheet, presentation)";
            }
            options.host.host = value;
        } else if (arg == "--language") {
            options.host.language = value;
        } else if (arg == "--svg") {
            options.svg = value;
        } else if (arg == "--library") {
            options.library = value;
        } else if (arg == "--setting") {
            if (value != "on" && value != "off") {
                return "--setting takes on or off, not \"" + value + "\"";
            }
            options.enabled = value == "on";
        } else if (arg == "--toolbar") {
            const bool digits = !value.empty() && value.size() <= 3 &&
                                value.find_first_not_of("0123456789") == std::string::npos;
            if (!digits || std::stoul(value) > sim::maximumToolbarButtons()) {
                return "--toolbar takes a number from 0 to " + std::to_string(sim::maximumToolbarButtons()) +
                       ", not \"" + value + "\"";
            }
            options.host.toolbarButtons = std::stoul(value);
        } else {
            options.host.contextualTabs = splitCommas(value);
        }
    }
    if (options.columnSelector && options.host.host != "spreadsheet") {
        return "the column selector runs in the spreadsheet host only";
    }
    if (options.library.empty()) {
        options.library = options.columnSelector                ? SPANPICK_PATH
                          : options.host.host == "presentation" ? DECKKEYS_PATH
                                                                : LEDGERKEYS_PATH;
    }
    if (options.keys.empty()) {
        options.keys = {"option", "h", "1"};
    }
    return options;
}

std::string quoted(const std::optional<std::string>& text) {
    return text ? "\"" + sim::printable(*text) + "\"" : "-";
}

// The element's description as it stands now, when it has one.
std::optional<std::string> descriptionOf(const platform::ax::Element& element) {
    const std::optional<platform::ax::Value> value = world().attribute(element, "AXDescription");
    return value && value->text() != nullptr ? std::optional<std::string>(*value->text()) : std::nullopt;
}

// "key down 4 "h" with Option", "key down 53 Escape", "flags changed 58 (Option down)".
std::string describeStroke(const sim::Stroke& stroke) {
    if (sim::isModifierKey(stroke.keyCode)) {
        return "flags changed " + std::to_string(stroke.keyCode) + " (" +
               sim::modifierKeyName(stroke.keyCode) + (stroke.down ? " down)" : " up)");
    }
    std::string text = std::string(stroke.down ? "key down " : "key up ") + std::to_string(stroke.keyCode);
    if (stroke.characters) {
        const std::string shown = sim::printable(*stroke.characters);
        text += " " + (shown == *stroke.characters ? "\"" + shown + "\"" : shown);
    }
    const std::string held = sim::modifierNames(stroke.flags);
    return held.empty() ? text : text + " with " + held;
}

// Prints the records made since the last call, in the order they were made.
class Reporter {
public:
    explicit Reporter(bool log) : log_(log) {}

    void report() {
        const auto history = world().history();
        if (seen_ == history.size()) {
            return;
        }
        const auto actions = world().actions();
        const auto sets = world().attributeSets();
        const auto lines = world().logLines();
        const auto alerts = world().alerts();
        for (std::size_t i = seen_; i < history.size(); ++i) {
            const std::size_t index = history[i].index;
            switch (history[i].kind) {
                case platform::sim::HistoryEntry::Kind::action:
                    std::cout << "  action " << actions[index].action << " on " << actions[index].role << " "
                              << quoted(actions[index].title ? actions[index].title
                                                             : actions[index].description)
                              << "\n";
                    break;
                case platform::sim::HistoryEntry::Kind::attributeSet:
                    std::cout << "  set " << sets[index].attribute << " on " << sets[index].role << " "
                              << quoted(sets[index].title ? sets[index].title
                                                          : descriptionOf(sets[index].element))
                              << "\n";
                    break;
                case platform::sim::HistoryEntry::Kind::log:
                    if (log_) {
                        std::cout << "  log: " << sim::printable(lines[index]) << "\n";
                    }
                    break;
                case platform::sim::HistoryEntry::Kind::alert:
                    std::cout << "  alert \"" << sim::printable(alerts[index].messageText)
                              << "\": " << sim::printable(alerts[index].informativeText)
                              << "\n  (answered with its second button)\n";
                    break;
            }
        }
        seen_ = history.size();
    }

private:
    bool log_;
    std::size_t seen_ = 0;
};

void printLabels() {
    std::cout << "  labels:";
    const auto labels = world().visibleWindows();
    if (labels.empty()) {
        std::cout << " none";
    }
    for (const auto& label : labels) {
        std::cout << " " << sim::printable(label.text);
    }
    std::cout << "\n";
}

using EntryPoint = sim_hosts::LoadedLibrary::EntryPoint;

EntryPoint entryPoint(const sim_hosts::LoadedLibrary& library, const std::string& path, const char* name) {
    const EntryPoint entry = library.entryPoint(name);
    if (entry == nullptr) {
        std::cerr << "keytips-sim: " << path << " has no " << name << "\n";
    }
    return entry;
}

// The host and the world around it as the words change them: which application is frontmost and
// what the add-in's setting answers.
class Surroundings {
public:
    Surroundings(int host, std::string settingMacro, EntryPoint update, std::string updateName)
        : host_(host),
          settingMacro_(std::move(settingMacro)),
          update_(update),
          updateName_(std::move(updateName)) {}

    void setSetting(bool on) const {
        world().setScriptAnswer(settingMacro_, platform::sim::ScriptAnswer::withText(on ? "True" : "False"));
    }

    // Resign, activate, enable or disable; false for other steps.
    bool act(sim::Action action) {
        switch (action) {
            case sim::Action::resign:
                if (!hostFrontmost_) {
                    std::cout << "  another application is already frontmost\n";
                    return true;
                }
                if (!other_) {
                    other_ = world().launchApplication("com.example.Notes");
                }
                world().setFrontmost(*other_);
                hostFrontmost_ = false;
                world().postNotification(appkit::applicationDidResignActiveNotification);
                std::cout << "  another application is frontmost: the host resigned active\n";
                return true;
            case sim::Action::activate:
                if (hostFrontmost_) {
                    std::cout << "  the host is already frontmost\n";
                    return true;
                }
                world().setFrontmost(host_);
                hostFrontmost_ = true;
                std::cout << "  the host is frontmost again\n";
                return true;
            case sim::Action::enable:
            case sim::Action::disable:
                setSetting(action == sim::Action::enable);
                std::cout << "  the add-in's setting is now "
                          << (action == sim::Action::enable ? "on" : "off") << "; it calls " << updateName_
                          << "\n";
                update_();
                return true;
            case sim::Action::keys:
            case sim::Action::click:
            case sim::Action::rightClick:
                break;
        }
        return false;
    }

    // Whether the host is the frontmost application, which receives what the user types.
    [[nodiscard]] bool hostFrontmost() const { return hostFrontmost_; }

private:
    int host_;
    bool hostFrontmost_ = true;
    std::string settingMacro_;
    EntryPoint update_;
    std::string updateName_;
    std::optional<int> other_;
};

// Takes each word's steps, then runs the host's main queue and moves the clock on; prints what each
// step caused as it happened.
void typeWords(const std::vector<sim::Word>& words, Surroundings& surroundings, Reporter& reporter,
               const std::function<void(const sim::Step&)>& typeStep, bool showLabels) {
    for (const sim::Word& word : words) {
        std::cout << "> " << sim::printable(word.text) << "\n";
        for (const sim::Step& step : word.steps) {
            if (!surroundings.act(step.action)) {
                typeStep(step);
            }
            reporter.report();
        }
        world().pump();
        world().advanceClock(clockStep);
        reporter.report();
        if (showLabels) {
            printLabels();
        }
    }
}

// Key tips: events go through the library's local event monitors on the main thread. They see only
// what the host receives: nothing while another application is frontmost.
void typeIntoKeyTips(const sim::Step& step, const Surroundings& surroundings, Reporter& reporter) {
    const auto verdict = [&](bool passed) {
        return !surroundings.hostFrontmost() ? "typed into the other application"
               : passed                      ? "passed to the host"
                                             : "swallowed";
    };
    if (step.action == sim::Action::click || step.action == sim::Action::rightClick) {
        const bool left = step.action == sim::Action::click;
        const bool passed = !surroundings.hostFrontmost() ||
                            world().deliver(platform::sim::World::mouseDown(left)).has_value();
        std::cout << "  " << (left ? "left" : "right") << " mouse down: " << verdict(passed) << "\n";
        return;
    }
    for (const sim::Stroke& stroke : step.strokes) {
        const bool modifier = sim::isModifierKey(stroke.keyCode);
        if (!stroke.down && !modifier) {
            continue;  // the local monitors see key-down and flags-changed events only
        }
        const appkit::Event event =
            modifier ? platform::sim::World::flagsChanged(stroke.keyCode, stroke.flags)
                     : platform::sim::World::keyDown(stroke.keyCode, stroke.characters, stroke.flags);
        const bool passed = !surroundings.hostFrontmost() || world().deliver(event).has_value();
        std::cout << "  " << describeStroke(stroke) << ": " << verdict(passed) << "\n";
        reporter.report();
    }
}

std::string describePosted(const platform::sim::KeyEvent& event) {
    namespace cg = platform::cg;
    std::string text = event.type == cg::flagsChangedEvent ? "flags changed "
                       : event.keyDown                     ? "key down "
                                                           : "key up ";
    text += std::to_string(event.keyCode);
    if (event.type == cg::flagsChangedEvent) {
        text += event.keyDown ? " down" : " up";
    }
    std::ostringstream flags;
    flags << std::hex << event.flags;
    const std::string names = sim::modifierNames(event.flags);
    return text + ", flags 0x" + flags.str() + (names.empty() ? "" : " (" + names + ")");
}

// The column selector: events go through its event tap, served on its own thread's run loop.
void typeIntoColumnSelector(const sim::Step& step, Reporter& reporter) {
    namespace cg = platform::cg;
    for (const sim::Stroke& stroke : step.strokes) {
        const bool modifier = sim::isModifierKey(stroke.keyCode);
        const platform::sim::KeyEvent event{
            modifier ? cg::flagsChangedEvent : (stroke.down ? cg::keyDownEvent : cg::keyUpEvent),
            stroke.keyCode, stroke.down, stroke.flags};
        const platform::sim::TapVerdict verdict = platform::sim::injectTapEvent(event);
        std::cout << "  " << describeStroke(stroke) << ": "
                  << (verdict.passed ? "passed to the host" : "deleted") << "\n";
        for (std::size_t i = verdict.passed ? 1 : 0; i < verdict.hostReceived.size(); ++i) {
            std::cout << "    posted " << describePosted(verdict.hostReceived[i]) << "\n";
        }
        reporter.report();
    }
}

int fail(const std::string& message) {
    std::cerr << "keytips-sim: " << message << "\n";
    printUsage(std::cerr);
    std::cerr << "(keytips-sim --help describes every option and word)\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::variant<Options, std::string> parsed = parseOptions(argc, argv);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        return fail(*error);
    }
    const Options& options = std::get<Options>(parsed);
    const auto words = sim::parseWords(options.keys);
    if (const auto* error = std::get_if<std::string>(&words)) {
        std::cerr << "keytips-sim: " << *error << "\n";
        return 2;
    }
    if (options.columnSelector) {
        for (const sim::Word& word : std::get<std::vector<sim::Word>>(words)) {
            for (const sim::Step& step : word.steps) {
                if (step.action == sim::Action::click || step.action == sim::Action::rightClick) {
                    return fail("the column selector's event tap sees keys only, not \"" + word.text + "\"");
                }
            }
        }
    }

    world().reset();
    const std::variant<int, std::string> host = sim::setUpHost(options.host);
    if (const auto* error = std::get_if<std::string>(&host)) {
        return fail(*error);
    }
    // The library stays loaded until the run is over: its monitors belong to the process, as in a host.
    const sim_hosts::LoadedLibrary library(options.library);
    if (!library.isOpen()) {
        std::cerr << "keytips-sim: cannot load " << options.library << ": " << library.error() << "\n";
        return 1;
    }
    const char* startName = options.columnSelector ? "initializeEventMonitor" : "monitorKeyboardEvents";
    const char* updateName = options.columnSelector ? "updateColumnSelector" : "updateEnableAccessKeys";
    const EntryPoint start = entryPoint(library, options.library, startName);
    const EntryPoint update = entryPoint(library, options.library, updateName);
    if (start == nullptr || update == nullptr) {
        return 1;
    }

    Surroundings surroundings(
        std::get<int>(host),
        options.columnSelector ? "GetEnableColumnSelector" : "GetEnableKeyboardShortcuts", update,
        updateName);
    surroundings.setSetting(options.enabled);
    const std::string language = options.host.language.empty() ? "empty language" : options.host.language;
    std::cout << "start: " << startName << " in the simulated " << options.host.host << " host (" << language
              << (options.columnSelector ? "), on a thread of its own\n" : ")\n");
    if (options.columnSelector) {
        Reporter reporter(true);
        std::thread worker(start);
        const platform::cg::RunLoopRef loop = platform::sim::waitForTapRunLoop();
        reporter.report();
        typeWords(
            std::get<std::vector<sim::Word>>(words), surroundings, reporter,
            [&reporter](const sim::Step& step) { typeIntoColumnSelector(step, reporter); }, false);
        platform::cg::runLoopStop(loop);
        worker.join();
    } else {
        Reporter reporter(options.log);
        start();
        reporter.report();
        world().pump();
        reporter.report();
        printLabels();
        typeWords(
            std::get<std::vector<sim::Word>>(words), surroundings, reporter,
            [&](const sim::Step& step) { typeIntoKeyTips(step, surroundings, reporter); }, true);
    }
    if (options.svg) {
        std::ofstream out(*options.svg);
        out << world().svg();
        std::cout << "screen written to " << *options.svg << "\n";
    }
    return 0;
}
