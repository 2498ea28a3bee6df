#include "sim_hosts/add_in.hpp"

#include <dlfcn.h>

namespace sim_hosts {

LoadedLibrary::LoadedLibrary(const std::string& path) : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ == nullptr) {
        const char* why = dlerror();
        error_ = why != nullptr ? why : "unknown error";
    }
}

LoadedLibrary::EntryPoint LoadedLibrary::entryPoint(const char* name) const {
    if (handle_ == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<EntryPoint>(dlsym(handle_, name));  // NOLINT: dlsym gives functions as void*
}

bool LoadedLibrary::close() {
    if (handle_ == nullptr) {
        return false;
    }
    const bool closed = dlclose(handle_) == 0;
    handle_ = nullptr;
    return closed;
}

}  // namespace sim_hosts
