// Foundation: in-process scripts, the system log, standard output and the preferred languages.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::foundation {

// Outcome of running a script: an error description when the run reported an error (the text form
// of the error dictionary), otherwise the string value of the result when it has one.
struct ScriptResult {
    std::optional<std::string> errorDescription;
    std::optional<std::string> stringValue;
};

// An in-process script made from its source text.
class AppleScript {
public:
    // Makes the script object; none when the platform cannot make it.
    static std::optional<AppleScript> create(std::string source);
    // Runs the script synchronously on the calling thread.
    [[nodiscard]] ScriptResult execute() const;
    [[nodiscard]] const std::string& source() const { return source_; }

private:
    explicit AppleScript(std::string source) : source_(std::move(source)) {}
    std::string source_;
};

// Writes one finished line to the system log, exactly as given.
void log(std::string_view line);

// Writes text to the process's standard output, exactly as given.
void writeStandardOutput(std::string_view text);

// The preferred languages as the host process reads them from the system.
std::vector<std::string> preferredLanguages();

}  // namespace platform::foundation
