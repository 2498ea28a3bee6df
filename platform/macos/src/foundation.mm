// Foundation: in-process scripts, the system log, standard output and the preferred languages.
#include "platform/foundation.hpp"

#import <Foundation/Foundation.h>
#include <unistd.h>

#include <cerrno>

#include "objc_text.hpp"

namespace platform::foundation {

using macos::stringWithText;
using macos::textOf;

namespace {

// A new script object of the source text, owned by the caller; nil when the platform cannot make one.
NSAppleScript* newScript(const std::string& source) {
    NSString* text = stringWithText(source);
    if (text == nil) {
        return nil;
    }
    return [[NSAppleScript alloc] initWithSource:text];
}

}  // namespace

// On the calling thread; the column selector makes and runs its script on the thread that starts it.
std::optional<AppleScript> AppleScript::create(std::string source) {
    @autoreleasepool {
        NSAppleScript* script = newScript(source);
        if (script == nil) {
            return std::nullopt;
        }
        [script release];
        return AppleScript(std::move(source));
    }
}

// Synchronous, on the calling thread.
ScriptResult AppleScript::execute() const {
    @autoreleasepool {
        ScriptResult result;
        NSAppleScript* script = newScript(source_);
        if (script == nil) {
            result.errorDescription = "";
            return result;
        }
        NSDictionary* errorInfo = nil;
        NSAppleEventDescriptor* answer = [script executeAndReturnError:&errorInfo];
        if (answer == nil || errorInfo != nil) {
            result.errorDescription = textOf([errorInfo description]);
        } else if (NSString* value = [answer stringValue]; value != nil) {
            result.stringValue = textOf(value);
        }
        [script release];
        return result;
    }
}

// Any thread. The line goes out as the value of a fixed format, never read as one.
void log(std::string_view line) {
    @autoreleasepool {
        NSString* text = stringWithText(line);
        NSLog(@"%@", text == nil ? @"" : text);
    }
}

// Any thread.
void writeStandardOutput(std::string_view text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t count = ::write(STDOUT_FILENO, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return;
        }
        written += static_cast<std::size_t>(count);
    }
}

// Any thread.
std::vector<std::string> preferredLanguages() {
    @autoreleasepool {
        std::vector<std::string> languages;
        for (NSString* language in [NSLocale preferredLanguages]) {
            languages.push_back(textOf(language));
        }
        return languages;
    }
}

}  // namespace platform::foundation
