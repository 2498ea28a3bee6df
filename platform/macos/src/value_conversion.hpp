// How the platform's attribute values become the seam's values and back, independent of the calls
// that read them: a reader tells what one platform value is, the rules here build the seam's value.
//
// Reading: a boolean gives bool; a number of an integer type std::int64_t, of a floating type double;
// a string UTF-8 text; an element its interned handle; an array a ValueList converted item by item by
// the same rules; a packed point or size the PackedValue of that type, a packed rect or range the
// PackedValue of that type with its first two numbers; anything else an OtherValue naming its type.
//
// Writing: bool, integers, doubles, text, elements and packed values of every type but illegal have
// platform forms (a packed rect carries only its origin, so it is written with an empty size); a list
// has one when every item has one. The default element, illegal packed values and other values have
// none.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/accessibility.hpp"

namespace platform::macos {

enum class ValueKind { boolean, integer, real, text, element, list, packed, other };

// What the conversion needs to know of one platform value; values are opaque, never null here.
class ValueReader {
public:
    ValueReader() = default;
    virtual ~ValueReader() = default;
    ValueReader(const ValueReader&) = delete;
    ValueReader& operator=(const ValueReader&) = delete;
    ValueReader(ValueReader&&) = delete;
    ValueReader& operator=(ValueReader&&) = delete;

    [[nodiscard]] virtual ValueKind kind(const void* value) const = 0;
    [[nodiscard]] virtual bool boolean(const void* value) const = 0;
    [[nodiscard]] virtual std::int64_t integer(const void* value) const = 0;
    [[nodiscard]] virtual double real(const void* value) const = 0;
    [[nodiscard]] virtual std::string text(const void* value) const = 0;
    [[nodiscard]] virtual ax::Element element(const void* value) const = 0;
    [[nodiscard]] virtual std::vector<const void*> items(const void* value) const = 0;
    // The packed value's type and first two numbers.
    [[nodiscard]] virtual ax::PackedValue packed(const void* value) const = 0;
    [[nodiscard]] virtual std::string typeDescription(const void* value) const = 0;
};

// The seam's value of a platform value.
ax::Value convertValue(const void* value, const ValueReader& reader);

// The outcome of a read: a failure gives its code and no value, a success with a null value gives
// success and no value.
ax::CopyResult readResult(ax::Error error, const void* value, const ValueReader& reader);

// The platform form a value is written as.
enum class WriteForm { boolean, integer, real, text, element, point, size, rect, range, list, none };
WriteForm writeFormOf(const ax::Value& value);

}  // namespace platform::macos
