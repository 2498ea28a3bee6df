#include "element_interning.hpp"

namespace platform::macos {

ElementTable::~ElementTable() {
    for (const void* reference : references_) {
        functions_.release(reference);
    }
}

std::uint64_t ElementTable::intern(const void* reference) {
    if (reference == nullptr) {
        return 0;
    }
    const std::size_t hash = functions_.hash(reference);
    std::lock_guard lock(mutex_);
    const auto [first, last] = handlesByHash_.equal_range(hash);
    for (auto it = first; it != last; ++it) {
        if (functions_.equal(references_[it->second - 1], reference)) {
            return it->second;
        }
    }
    functions_.retain(reference);
    references_.push_back(reference);
    const std::uint64_t handle = references_.size();
    handlesByHash_.emplace(hash, handle);
    return handle;
}

const void* ElementTable::reference(std::uint64_t handle) const {
    std::lock_guard lock(mutex_);
    if (handle == 0 || handle > references_.size()) {
        return nullptr;
    }
    return references_[handle - 1];
}

std::size_t ElementTable::size() const {
    std::lock_guard lock(mutex_);
    return references_.size();
}

}  // namespace platform::macos
