// The host's add-in loading one of our libraries and finding its C entry points, as a host does.
#pragma once

#include <string>

namespace sim_hosts {

// A shared library opened with every symbol resolved at once and kept to itself (RTLD_NOW |
// RTLD_LOCAL). It stays loaded for the rest of the process unless closed, as a library an add-in has
// loaded does in its host: its event handlers and queued blocks stay installed in the world after its
// loader goes.
class LoadedLibrary {
public:
    using EntryPoint = void (*)();

    // Opens the library at `path`; isOpen() tells whether that worked and error() why not.
    explicit LoadedLibrary(const std::string& path);

    [[nodiscard]] bool isOpen() const { return handle_ != nullptr; }
    // The loader's account of why the library did not open; empty when it is open.
    [[nodiscard]] const std::string& error() const { return error_; }
    // The entry point of that name, taking and returning nothing; null when the library has none or
    // is not open.
    [[nodiscard]] EntryPoint entryPoint(const char* name) const;
    // Closes the library (dlclose), as an add-in done with it might; the loader unmaps it unless it is
    // still open elsewhere or has pinned itself. False when it was not open or the loader refused.
    bool close();

private:
    void* handle_ = nullptr;
    std::string error_;
};

}  // namespace sim_hosts
