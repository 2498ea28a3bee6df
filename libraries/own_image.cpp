#include "own_image.hpp"

#include <dlfcn.h>

namespace libraries {

namespace {

// Opens again the image that holds `address`, which is loaded, so that it is never unloaded; the handle
// is kept for the process. False when the image cannot be found or opened.
bool pinImageHolding(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) {
        return false;
    }
    // A mode needs one of the binding flags; RTLD_LAZY changes nothing for a loaded image.
    return dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE) != nullptr;
}

}  // namespace

void pinOwnImage() {
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): dladdr takes a function's address as void*
    [[maybe_unused]] static const bool pinned = pinImageHolding(reinterpret_cast<const void*>(&pinOwnImage));
}

}  // namespace libraries
