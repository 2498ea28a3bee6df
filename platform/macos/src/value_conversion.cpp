#include "value_conversion.hpp"

#include <algorithm>
#include <utility>
#include <variant>

namespace platform::macos {

ax::Value convertValue(const void* value, const ValueReader& reader) {
    switch (reader.kind(value)) {
        case ValueKind::boolean:
            return reader.boolean(value);
        case ValueKind::integer:
            return reader.integer(value);
        case ValueKind::real:
            return reader.real(value);
        case ValueKind::text:
            return reader.text(value);
        case ValueKind::element:
            return reader.element(value);
        case ValueKind::list: {
            ax::ValueList list;
            for (const void* item : reader.items(value)) {
                list.push_back(convertValue(item, reader));
            }
            return list;
        }
        case ValueKind::packed:
            return reader.packed(value);
        case ValueKind::other:
            break;
    }
    return ax::OtherValue{reader.typeDescription(value)};
}

ax::CopyResult readResult(ax::Error error, const void* value, const ValueReader& reader) {
    ax::CopyResult result;
    result.error = error;
    if (error == ax::Error::success && value != nullptr) {
        result.value = convertValue(value, reader);
    }
    return result;
}

namespace {

WriteForm packedWriteForm(const ax::PackedValue& packed) {
    switch (packed.type) {
        case ax::PackedType::point:
            return WriteForm::point;
        case ax::PackedType::size:
            return WriteForm::size;
        case ax::PackedType::rect:
            return WriteForm::rect;
        case ax::PackedType::range:
            return WriteForm::range;
        case ax::PackedType::illegal:
            break;
    }
    return WriteForm::none;
}

}  // namespace

WriteForm writeFormOf(const ax::Value& value) {
    struct Visitor {
        WriteForm operator()(const std::string&) const { return WriteForm::text; }
        WriteForm operator()(std::int64_t) const { return WriteForm::integer; }
        WriteForm operator()(double) const { return WriteForm::real; }
        WriteForm operator()(bool) const { return WriteForm::boolean; }
        WriteForm operator()(const ax::Element& element) const {
            return element.reference() == 0 ? WriteForm::none : WriteForm::element;
        }
        WriteForm operator()(const ax::ValueList& list) const {
            const bool writable = std::all_of(list.begin(), list.end(), [](const ax::Value& item) {
                return writeFormOf(item) != WriteForm::none;
            });
            return writable ? WriteForm::list : WriteForm::none;
        }
        WriteForm operator()(const ax::PackedValue& packed) const { return packedWriteForm(packed); }
        WriteForm operator()(const ax::OtherValue&) const { return WriteForm::none; }
    };
    return std::visit(Visitor{}, value.data);
}

}  // namespace platform::macos
