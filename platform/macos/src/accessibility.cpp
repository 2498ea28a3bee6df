// Accessibility on the platform's calls. The engine makes these requests on the main thread, as the
// platform expects of a process reading another's user interface; the element table itself is safe
// from any thread.
#include "platform/accessibility.hpp"

#include <ApplicationServices/ApplicationServices.h>

#include <array>
#include <cstdio>
#include <variant>
#include <vector>

#include "constants.hpp"
#include "core_foundation.hpp"
#include "element_interning.hpp"
#include "value_conversion.hpp"

namespace platform::macos {

namespace {

std::size_t hashReference(const void* reference) { return CFHash(reference); }
bool equalReferences(const void* first, const void* second) { return CFEqual(first, second) != 0; }
void retainReference(const void* reference) { CFRetain(reference); }
void releaseReference(const void* reference) { CFRelease(reference); }

// Elements the process has seen, kept for its life so that a handle keeps its meaning.
ElementTable& elements() {
    static ElementTable table({hashReference, equalReferences, retainReference, releaseReference});
    return table;
}

ax::Element internElement(CFTypeRef reference) { return ax::Element(elements().intern(reference)); }

AXUIElementRef elementRef(const ax::Element& element) {
    return static_cast<AXUIElementRef>(elements().reference(element.reference()));
}

class CoreFoundationReader final : public ValueReader {
public:
    [[nodiscard]] ValueKind kind(const void* value) const override {
        const CFTypeID type = CFGetTypeID(value);
        if (type == CFBooleanGetTypeID()) {
            return ValueKind::boolean;
        }
        if (type == CFNumberGetTypeID()) {
            return isRealNumberType(CFNumberGetType(static_cast<CFNumberRef>(value))) ? ValueKind::real
                                                                                      : ValueKind::integer;
        }
        if (type == CFStringGetTypeID()) {
            return ValueKind::text;
        }
        if (type == AXUIElementGetTypeID()) {
            return ValueKind::element;
        }
        if (type == CFArrayGetTypeID()) {
            return ValueKind::list;
        }
        if (type == AXValueGetTypeID() && packedTypeOf(AXValueGetType(static_cast<AXValueRef>(value)))) {
            return ValueKind::packed;
        }
        return ValueKind::other;
    }

    [[nodiscard]] bool boolean(const void* value) const override {
        return CFBooleanGetValue(static_cast<CFBooleanRef>(value)) != 0;
    }

    [[nodiscard]] std::int64_t integer(const void* value) const override {
        std::int64_t number = 0;
        CFNumberGetValue(static_cast<CFNumberRef>(value), kCFNumberSInt64Type, &number);
        return number;
    }

    [[nodiscard]] double real(const void* value) const override {
        double number = 0;
        CFNumberGetValue(static_cast<CFNumberRef>(value), kCFNumberFloat64Type, &number);
        return number;
    }

    [[nodiscard]] std::string text(const void* value) const override {
        return stringOf(static_cast<CFStringRef>(value));
    }

    [[nodiscard]] ax::Element element(const void* value) const override { return internElement(value); }

    [[nodiscard]] std::vector<const void*> items(const void* value) const override {
        const auto array = static_cast<CFArrayRef>(value);
        std::vector<const void*> result;
        const CFIndex count = CFArrayGetCount(array);
        for (CFIndex i = 0; i < count; ++i) {
            result.push_back(CFArrayGetValueAtIndex(array, i));
        }
        return result;
    }

    [[nodiscard]] ax::PackedValue packed(const void* value) const override {
        const auto packed = static_cast<AXValueRef>(value);
        const AXValueType type = AXValueGetType(packed);
        const auto seamType = packedTypeOf(type).value_or(ax::PackedType::illegal);
        switch (seamType) {
            case ax::PackedType::point: {
                CGPoint point{};
                AXValueGetValue(packed, type, &point);
                return {seamType, point.x, point.y};
            }
            case ax::PackedType::size: {
                CGSize size{};
                AXValueGetValue(packed, type, &size);
                return {seamType, size.width, size.height};
            }
            case ax::PackedType::rect: {
                CGRect rect{};
                AXValueGetValue(packed, type, &rect);
                return {seamType, rect.origin.x, rect.origin.y};
            }
            case ax::PackedType::range: {
                CFRange range{};
                AXValueGetValue(packed, type, &range);
                return {seamType, static_cast<double>(range.location), static_cast<double>(range.length)};
            }
            case ax::PackedType::illegal:
                break;
        }
        return {};
    }

    [[nodiscard]] std::string typeDescription(const void* value) const override {
        const Owned description(CFCopyTypeIDDescription(CFGetTypeID(value)));
        return stringOf(static_cast<CFStringRef>(description.get()));
    }
};

CFTypeRef createPlatformValue(const ax::Value& value);

// An array of the items' platform forms, owned by the caller; null when an item has none.
CFTypeRef createPlatformArray(const ax::ValueList& list) {
    std::vector<Owned> items;
    std::vector<const void*> values;
    for (const ax::Value& item : list) {
        items.emplace_back(createPlatformValue(item));
        if (items.back().get() == nullptr) {
            return nullptr;
        }
        values.push_back(items.back().get());
    }
    return CFArrayCreate(kCFAllocatorDefault, values.data(), static_cast<CFIndex>(values.size()),
                         &kCFTypeArrayCallBacks);
}

// The platform form of a value, owned by the caller; null when it has none.
CFTypeRef createPlatformValue(const ax::Value& value) {
    switch (writeFormOf(value)) {
        case WriteForm::boolean:
            return CFRetain(*value.boolean() ? kCFBooleanTrue : kCFBooleanFalse);
        case WriteForm::integer:
            return CFNumberCreate(kCFAllocatorDefault, kCFNumberSInt64Type, value.integer());
        case WriteForm::real:
            return CFNumberCreate(kCFAllocatorDefault, kCFNumberFloat64Type, &std::get<double>(value.data));
        case WriteForm::text:
            return createString(*value.text());
        case WriteForm::element: {
            AXUIElementRef element = elementRef(*value.element());
            return element == nullptr ? nullptr : CFRetain(element);
        }
        case WriteForm::point: {
            const CGPoint point{value.packed()->first, value.packed()->second};
            return AXValueCreate(kAXValueTypeCGPoint, &point);
        }
        case WriteForm::size: {
            const CGSize size{value.packed()->first, value.packed()->second};
            return AXValueCreate(kAXValueTypeCGSize, &size);
        }
        case WriteForm::rect: {
            // The seam's packed rect holds its origin only.
            const CGRect rect{{value.packed()->first, value.packed()->second}, {0, 0}};
            return AXValueCreate(kAXValueTypeCGRect, &rect);
        }
        case WriteForm::list:
            return createPlatformArray(*value.list());
        case WriteForm::range: {
            const CFRange range{static_cast<CFIndex>(value.packed()->first),
                                static_cast<CFIndex>(value.packed()->second)};
            return AXValueCreate(kAXValueTypeCFRange, &range);
        }
        case WriteForm::none:
            break;
    }
    return nullptr;
}

}  // namespace

}  // namespace platform::macos

namespace platform::ax {

using macos::Owned;

std::string describe(const Element& element) {
    std::array<char, 32> hex{};
    std::snprintf(hex.data(), hex.size(), "0x%llx", static_cast<unsigned long long>(element.reference()));
    std::string out = "<AXUIElement ";
    out += hex.data();
    AXUIElementRef reference = macos::elementRef(element);
    if (reference == nullptr) {
        out += element.reference() == 0 ? " null>" : " unknown>";
        return out;
    }
    const Owned description(CFCopyDescription(reference));
    out += ' ';
    out += macos::stringOf(static_cast<CFStringRef>(description.get()));
    out += '>';
    return out;
}

// Main thread.
Element createApplication(int processIdentifier) {
    const Owned application(AXUIElementCreateApplication(processIdentifier));
    return macos::internElement(application.get());
}

// Main thread.
CopyResult copyAttributeValue(const Element& element, std::string_view attribute) {
    AXUIElementRef reference = macos::elementRef(element);
    const Owned name(macos::createString(attribute));
    if (reference == nullptr || name.get() == nullptr) {
        return {Error::illegalArgument, std::nullopt};
    }
    CFTypeRef value = nullptr;
    const AXError error =
        AXUIElementCopyAttributeValue(reference, static_cast<CFStringRef>(name.get()), &value);
    const Owned owned(value);
    return macos::readResult(macos::errorOf(error), value, macos::CoreFoundationReader{});
}

// Main thread.
CopyResult copyActionNames(const Element& element) {
    AXUIElementRef reference = macos::elementRef(element);
    if (reference == nullptr) {
        return {Error::illegalArgument, std::nullopt};
    }
    CFArrayRef names = nullptr;
    const AXError error = AXUIElementCopyActionNames(reference, &names);
    const Owned owned(names);
    return macos::readResult(macos::errorOf(error), names, macos::CoreFoundationReader{});
}

// Main thread.
Error setAttributeValue(const Element& element, std::string_view attribute, const Value& value) {
    AXUIElementRef reference = macos::elementRef(element);
    const Owned name(macos::createString(attribute));
    const Owned platformValue(macos::createPlatformValue(value));
    if (reference == nullptr || name.get() == nullptr || platformValue.get() == nullptr) {
        return Error::illegalArgument;
    }
    return macos::errorOf(
        AXUIElementSetAttributeValue(reference, static_cast<CFStringRef>(name.get()), platformValue.get()));
}

// Main thread.
Error performAction(const Element& element, std::string_view action) {
    AXUIElementRef reference = macos::elementRef(element);
    const Owned name(macos::createString(action));
    if (reference == nullptr || name.get() == nullptr) {
        return Error::illegalArgument;
    }
    return macos::errorOf(AXUIElementPerformAction(reference, static_cast<CFStringRef>(name.get())));
}

}  // namespace platform::ax
