// Compiled, never run. std::int64_t is long here and long long on a Mac: the seam's integer types
// must read alike with either, so that code that compiles here compiles there.
#include <cstdint>
#include <type_traits>
#include <utility>

#include "platform/accessibility.hpp"
#include "platform/events.hpp"

namespace {

namespace ax = platform::ax;

// A value takes every integer type, whichever of them std::int64_t is, and gives back std::int64_t.
static_assert(std::is_constructible_v<ax::Value, int>);
static_assert(std::is_constructible_v<ax::Value, long>);       // NOLINT(google-runtime-int)
static_assert(std::is_constructible_v<ax::Value, long long>);  // NOLINT(google-runtime-int)
static_assert(std::is_constructible_v<ax::Value, std::int64_t>);
static_assert(std::is_constructible_v<ax::Value, std::uint32_t>);
static_assert(std::is_same_v<decltype(std::declval<ax::Value>().integer()), const std::int64_t*>);

// Integer fields of events read as std::int64_t.
static_assert(std::is_same_v<decltype(platform::cg::eventGetIntegerValueField(nullptr, {})), std::int64_t>);

}  // namespace
