// Interning of the platform's element references: every read of an element gives a new reference, and
// two references denote the same element when the platform's equality says so. The table keeps one
// reference per element for the life of the process and hands out a stable handle for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace platform::macos {

// How the table hashes, compares, keeps and lets go of a reference.
struct ReferenceFunctions {
    std::size_t (*hash)(const void* reference) = nullptr;
    bool (*equal)(const void* first, const void* second) = nullptr;
    void (*retain)(const void* reference) = nullptr;
    void (*release)(const void* reference) = nullptr;
};

// Safe to use from any thread.
class ElementTable {
public:
    explicit ElementTable(ReferenceFunctions functions) : functions_(functions) {}
    ~ElementTable();
    ElementTable(const ElementTable&) = delete;
    ElementTable& operator=(const ElementTable&) = delete;
    ElementTable(ElementTable&&) = delete;
    ElementTable& operator=(ElementTable&&) = delete;

    // The handle of the element the reference denotes, never 0; 0 for a null reference. The table
    // retains the first reference it sees of an element; the caller keeps its own.
    std::uint64_t intern(const void* reference);

    // The table's reference for a handle; null for 0 and for handles it never gave.
    [[nodiscard]] const void* reference(std::uint64_t handle) const;

    [[nodiscard]] std::size_t size() const;

private:
    ReferenceFunctions functions_;
    mutable std::mutex mutex_;
    std::unordered_multimap<std::size_t, std::uint64_t> handlesByHash_;
    std::vector<const void*> references_;  // the handle of references_[i] is i + 1
};

}  // namespace platform::macos
