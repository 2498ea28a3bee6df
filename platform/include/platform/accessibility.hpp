// Accessibility: element handles, attribute values and the requests made of a host's user interface.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/geometry.hpp"

namespace platform::ax {

// Result codes of accessibility requests, with the platform's values.
enum class Error : int {
    success = 0,
    failure = -25200,
    illegalArgument = -25201,
    invalidUIElement = -25202,
    invalidUIElementObserver = -25203,
    cannotComplete = -25204,
    attributeUnsupported = -25205,
    actionUnsupported = -25206,
    notificationUnsupported = -25207,
    notImplemented = -25208,
    apiDisabled = -25211,
    noValue = -25212,
};

// Handle of one user-interface element of a process. Two handles that denote the same element
// compare equal and hash alike, for the life of the process: the platform hands out a new reference
// at every read, so an implementation keeps one handle per distinct element (equal by the
// platform's own equality and hash) and never reuses it. The default handle, reference 0, denotes
// no element and is never given to a real one.
class Element {
public:
    Element() = default;
    explicit Element(std::uint64_t reference) : reference_(reference) {}
    [[nodiscard]] std::uint64_t reference() const { return reference_; }
    friend bool operator==(const Element&, const Element&) = default;

private:
    std::uint64_t reference_ = 0;
};

struct ElementHash {
    std::size_t operator()(const Element& element) const noexcept {
        return std::hash<std::uint64_t>{}(element.reference());
    }
};

// The platform's printable description of a handle.
std::string describe(const Element& element);

// Type tag of a packed geometry value.
enum class PackedType : int { illegal = 0, point = 1, size = 2, rect = 3, range = 4 };

// A packed geometry value as attributes such as "AXPosition" and "AXSize" carry it.
struct PackedValue {
    PackedType type = PackedType::illegal;
    double first = 0;   // x or width
    double second = 0;  // y or height

    static PackedValue point(Point p) { return {PackedType::point, p.x, p.y}; }
    static PackedValue size(Size s) { return {PackedType::size, s.width, s.height}; }
    friend bool operator==(const PackedValue&, const PackedValue&) = default;
};

// Unpacks a packed value as the given type; false when the value holds another type. The same on
// every platform: the implementations have already packed the platform's value.
inline bool unpackPoint(const PackedValue& value, Point& out) {
    if (value.type != PackedType::point) {
        return false;
    }
    out = {value.first, value.second};
    return true;
}

inline bool unpackSize(const PackedValue& value, Size& out) {
    if (value.type != PackedType::size) {
        return false;
    }
    out = {value.first, value.second};
    return true;
}

// A value of a type that none of the other alternatives describes (a date, a URL, ...).
struct OtherValue {
    std::string typeName;
    friend bool operator==(const OtherValue&, const OtherValue&) = default;
};

struct Value;
using ValueList = std::vector<Value>;

// An attribute value as the platform returns it.
//
// Every implementation converts the platform's values by the same rules:
//   boolean                          -> bool
//   number of an integer type        -> std::int64_t
//   number of a floating-point type  -> double
//   string                           -> std::string, in UTF-8
//   user-interface element           -> Element (the one handle of that element, see Element)
//   array                            -> ValueList, element by element, each by these same rules
//   packed point or size             -> PackedValue of type point or size
//   packed rectangle or range        -> PackedValue of that type, holding its first two numbers
//                                       (origin x and y; location and length)
//   anything else                    -> OtherValue naming the platform's description of its type
// A read that fails gives its error code and no value; a read that succeeds with a null value gives
// success and no value. A write converts back: bool to a boolean, std::int64_t to an integer
// number, double to a floating-point number, std::string to a string, Element to the element,
// PackedValue to the packed value of its type, ValueList to an array by these same rules; a value
// with no platform form (an OtherValue, a PackedValue of type illegal, or a list holding one) is
// refused with Error::illegalArgument.
struct Value {
    std::variant<std::string, std::int64_t, double, bool, Element, ValueList, PackedValue, OtherValue> data;

    Value() = default;
    Value(std::string text) : data(std::move(text)) {}    // NOLINT(google-explicit-constructor)
    Value(const char* text) : data(std::string(text)) {}  // NOLINT(google-explicit-constructor)
    // Any integer type is stored as std::int64_t, which is long on some platforms and long long on
    // others: one constructor for all of them leaves no overload that only one platform can choose.
    template <std::integral Number>
    requires(!std::same_as<Number, bool>) Value(Number number)
        : data(static_cast<std::int64_t>(number)) {}     // NOLINT(google-explicit-constructor)
    Value(double number) : data(number) {}               // NOLINT(google-explicit-constructor)
    Value(bool flag) : data(flag) {}                     // NOLINT(google-explicit-constructor)
    Value(Element element) : data(element) {}            // NOLINT(google-explicit-constructor)
    Value(ValueList list) : data(std::move(list)) {}     // NOLINT(google-explicit-constructor)
    Value(PackedValue packed) : data(packed) {}          // NOLINT(google-explicit-constructor)
    Value(OtherValue other) : data(std::move(other)) {}  // NOLINT(google-explicit-constructor)

    [[nodiscard]] const std::string* text() const { return std::get_if<std::string>(&data); }
    [[nodiscard]] const std::int64_t* integer() const { return std::get_if<std::int64_t>(&data); }
    [[nodiscard]] const bool* boolean() const { return std::get_if<bool>(&data); }
    [[nodiscard]] const Element* element() const { return std::get_if<Element>(&data); }
    [[nodiscard]] const ValueList* list() const { return std::get_if<ValueList>(&data); }
    [[nodiscard]] const PackedValue* packed() const { return std::get_if<PackedValue>(&data); }

    friend bool operator==(const Value&, const Value&) = default;
};

// Outcome of a read: an error code and, on success, a value (none when the platform's value is null).
struct CopyResult {
    Error error = Error::failure;
    std::optional<Value> value;
};

// Every request below is made on the main thread.

// The application element of a process; always returned, even for a process that does not exist.
Element createApplication(int processIdentifier);

// Reads one named attribute of an element.
CopyResult copyAttributeValue(const Element& element, std::string_view attribute);

// Reads the list of action names of an element: on success a ValueList of strings.
CopyResult copyActionNames(const Element& element);

// Writes one named attribute of an element.
Error setAttributeValue(const Element& element, std::string_view attribute, const Value& value);

// Performs one named action on an element.
Error performAction(const Element& element, std::string_view action);

}  // namespace platform::ax
