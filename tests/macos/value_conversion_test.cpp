// The value contract: how the platform's values read as the seam's values, and which values have a
// platform form to be written as.
#include "value_conversion.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "support/case_names.hpp"

namespace platform::macos {
namespace {

// A platform value as a reader sees it.
struct FakeValue {
    ValueKind kind = ValueKind::other;
    bool flag = false;
    std::int64_t integer = 0;
    double real = 0;
    std::string text;
    std::uint64_t element = 0;
    std::vector<const FakeValue*> items;
    ax::PackedValue packed;
    std::string typeName;
};

class FakeReader final : public ValueReader {
public:
    [[nodiscard]] ValueKind kind(const void* value) const override { return of(value).kind; }
    [[nodiscard]] bool boolean(const void* value) const override { return of(value).flag; }
    [[nodiscard]] std::int64_t integer(const void* value) const override { return of(value).integer; }
    [[nodiscard]] double real(const void* value) const override { return of(value).real; }
    [[nodiscard]] std::string text(const void* value) const override { return of(value).text; }
    [[nodiscard]] ax::Element element(const void* value) const override {
        return ax::Element(of(value).element);
    }
    [[nodiscard]] std::vector<const void*> items(const void* value) const override {
        return {of(value).items.begin(), of(value).items.end()};
    }
    [[nodiscard]] ax::PackedValue packed(const void* value) const override { return of(value).packed; }
    [[nodiscard]] std::string typeDescription(const void* value) const override { return of(value).typeName; }

private:
    static const FakeValue& of(const void* value) { return *static_cast<const FakeValue*>(value); }
};

struct ReadCase {
    const char* name;
    FakeValue platform;
    ax::Value expected;
};

using test_support::PrintTo;

class ValueReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ValueReading, GivesTheSeamsValue) {
    const FakeReader reader;
    EXPECT_EQ(convertValue(&GetParam().platform, reader), GetParam().expected);
}

FakeValue kind(ValueKind valueKind) {
    FakeValue value;
    value.kind = valueKind;
    return value;
}

FakeValue withFlag(bool flag) {
    FakeValue value = kind(ValueKind::boolean);
    value.flag = flag;
    return value;
}

FakeValue withInteger(std::int64_t number) {
    FakeValue value = kind(ValueKind::integer);
    value.integer = number;
    return value;
}

FakeValue withReal(double number) {
    FakeValue value = kind(ValueKind::real);
    value.real = number;
    return value;
}

FakeValue withText(std::string text) {
    FakeValue value = kind(ValueKind::text);
    value.text = std::move(text);
    return value;
}

FakeValue withElement(std::uint64_t handle) {
    FakeValue value = kind(ValueKind::element);
    value.element = handle;
    return value;
}

FakeValue withPacked(ax::PackedValue packed) {
    FakeValue value = kind(ValueKind::packed);
    value.packed = packed;
    return value;
}

FakeValue withTypeName(std::string name) {
    FakeValue value = kind(ValueKind::other);
    value.typeName = std::move(name);
    return value;
}

INSTANTIATE_TEST_SUITE_P(
    Scalars, ValueReading,
    ::testing::Values(
        ReadCase{"True", withFlag(true), ax::Value(true)},
        ReadCase{"False", withFlag(false), ax::Value(false)},
        ReadCase{"Integer", withInteger(-42), ax::Value(std::int64_t{-42})},
        ReadCase{"LargeInteger", withInteger(std::int64_t{1} << 40), ax::Value(std::int64_t{1} << 40)},
        ReadCase{"Real", withReal(2.5), ax::Value(2.5)}, ReadCase{"WholeReal", withReal(3.0), ax::Value(3.0)},
        ReadCase{"Text", withText("Zoom \xE2\x80\x93 100%"), ax::Value("Zoom \xE2\x80\x93 100%")},
        ReadCase{"Element", withElement(12), ax::Value(ax::Element(12))},
        ReadCase{"Point", withPacked(ax::PackedValue::point({3, 4})),
                 ax::Value(ax::PackedValue::point({3, 4}))},
        ReadCase{"Size", withPacked(ax::PackedValue::size({30, 40})),
                 ax::Value(ax::PackedValue::size({30, 40}))},
        ReadCase{"Range", withPacked({ax::PackedType::range, 2, 5}),
                 ax::Value(ax::PackedValue{ax::PackedType::range, 2, 5})},
        ReadCase{"Date", withTypeName("CFDate"), ax::Value(ax::OtherValue{"CFDate"})}),
    test_support::NameOfCase{});

TEST(ValueReadingLists, ConvertItemByItemByTheSameRulesAtEveryDepth) {
    const FakeValue first = withElement(3);
    const FakeValue second = withText("Home");
    const FakeValue inner = withInteger(7);
    FakeValue nested = kind(ValueKind::list);
    nested.items = {&inner};
    FakeValue list = kind(ValueKind::list);
    list.items = {&first, &second, &nested};
    const FakeReader reader;
    EXPECT_EQ(convertValue(&list, reader),
              ax::Value(ax::ValueList{ax::Element(3), "Home", ax::ValueList{std::int64_t{7}}}));
    EXPECT_EQ(convertValue(&nested, reader), ax::Value(ax::ValueList{std::int64_t{7}}));
    const FakeValue empty = kind(ValueKind::list);
    EXPECT_EQ(convertValue(&empty, reader), ax::Value(ax::ValueList{}));
}

TEST(ReadResults, FailureGivesItsCodeAndNoValueAndNullSuccessGivesNoValue) {
    const FakeReader reader;
    const FakeValue value = withText("Insert");
    const ax::CopyResult failed = readResult(ax::Error::attributeUnsupported, &value, reader);
    EXPECT_EQ(failed.error, ax::Error::attributeUnsupported);
    EXPECT_FALSE(failed.value);
    const ax::CopyResult empty = readResult(ax::Error::success, nullptr, reader);
    EXPECT_EQ(empty.error, ax::Error::success);
    EXPECT_FALSE(empty.value);
    const ax::CopyResult read = readResult(ax::Error::success, &value, reader);
    EXPECT_EQ(read.error, ax::Error::success);
    EXPECT_EQ(read.value, ax::Value("Insert"));
}

struct WriteCase {
    const char* name;
    ax::Value value;
    WriteForm expected;
};

class ValueWriting : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ValueWriting, UsesThePlatformFormWhereOneIsDefined) {
    EXPECT_EQ(writeFormOf(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ValueWriting,
    ::testing::Values(
        WriteCase{"Boolean", ax::Value(true), WriteForm::boolean},
        WriteCase{"Integer", ax::Value(5), WriteForm::integer},
        WriteCase{"Real", ax::Value(0.5), WriteForm::real},
        WriteCase{"Text", ax::Value("AXPress"), WriteForm::text},
        WriteCase{"Element", ax::Value(ax::Element(9)), WriteForm::element},
        WriteCase{"NoElement", ax::Value(ax::Element()), WriteForm::none},
        WriteCase{"Point", ax::Value(ax::PackedValue::point({1, 2})), WriteForm::point},
        WriteCase{"Size", ax::Value(ax::PackedValue::size({1, 2})), WriteForm::size},
        WriteCase{"Range", ax::Value(ax::PackedValue{ax::PackedType::range, 0, 3}), WriteForm::range},
        WriteCase{"Rect", ax::Value(ax::PackedValue{ax::PackedType::rect, 1, 2}), WriteForm::rect},
        WriteCase{"IllegalPacked", ax::Value(ax::PackedValue{}), WriteForm::none},
        WriteCase{"List", ax::Value(ax::ValueList{ax::Value(1), ax::Value("A")}), WriteForm::list},
        WriteCase{"EmptyList", ax::Value(ax::ValueList{}), WriteForm::list},
        WriteCase{"NestedList", ax::Value(ax::ValueList{ax::ValueList{ax::Value(true)}}), WriteForm::list},
        WriteCase{"ListHoldingOther", ax::Value(ax::ValueList{ax::Value(1), ax::OtherValue{"CFDate"}}),
                  WriteForm::none},
        WriteCase{"ListHoldingNestedIllegal",
                  ax::Value(ax::ValueList{ax::ValueList{ax::Value(ax::PackedValue{})}}), WriteForm::none},
        WriteCase{"Other", ax::Value(ax::OtherValue{"CFDate"}), WriteForm::none}),
    test_support::NameOfCase{});

}  // namespace
}  // namespace platform::macos
