#include "sim_hosts/add_in.hpp"

#include <dlfcn.h>

#include <utility>

namespace sim_hosts {

LoadedLibrary::LoadedLibrary(const std::string& path) : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ == nullptr) {
        const char* why = dlerror();
        error_ = why != nullptr ? why : "unknown error";
    }
}

LoadedLibrary::~LoadedLibrary() { close(); }

LoadedLibrary::LoadedLibrary(LoadedLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), error_(std::move(other.error_)) {}

LoadedLibrary& LoadedLibrary::operator=(LoadedLibrary&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = std::exchange(other.handle_, nullptr);
        error_ = std::move(other.error_);
    }
    return *this;
}

LoadedLibrary::EntryPoint LoadedLibrary::entryPoint(const char* name) const {
    if (handle_ == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<EntryPoint>(dlsym(handle_, name));  // NOLINT: dlsym gives functions as void*
}

void LoadedLibrary::close() {
    if (handle_ != nullptr) {
        dlclose(handle_);
        handle_ = nullptr;
    }
}

}  // namespace sim_hosts
