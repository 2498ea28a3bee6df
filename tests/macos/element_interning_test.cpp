// Element interning: equal references give one handle for the life of the table, each element is kept
// once and let go once.
#include "element_interning.hpp"

#include <gtest/gtest.h>

#include <map>
#include <thread>
#include <vector>

namespace platform::macos {
namespace {

// A platform reference: a new object for every read, equal to another when it denotes the same element.
struct FakeReference {
    int element = 0;
};

struct Counts {
    std::map<const void*, int> retains;
    std::map<const void*, int> releases;
};

Counts* counts = nullptr;

// Few hash values, so that different elements collide.
std::size_t fakeHash(const void* reference) {
    return static_cast<std::size_t>(static_cast<const FakeReference*>(reference)->element % 3);
}
bool fakeEqual(const void* first, const void* second) {
    return static_cast<const FakeReference*>(first)->element ==
           static_cast<const FakeReference*>(second)->element;
}
void fakeRetain(const void* reference) { ++counts->retains[reference]; }
void fakeRelease(const void* reference) { ++counts->releases[reference]; }

class ElementInterning : public ::testing::Test {
protected:
    void SetUp() override { counts = &counts_; }
    void TearDown() override { counts = nullptr; }

    static ReferenceFunctions functions() { return {fakeHash, fakeEqual, fakeRetain, fakeRelease}; }

    Counts counts_;
};

TEST_F(ElementInterning, EqualReferencesGiveOneHandleAndDifferentElementsDifferentOnes) {
    ElementTable table(functions());
    const FakeReference firstRead{7};
    const FakeReference secondRead{7};
    const FakeReference other{10};  // same hash as 7
    const std::uint64_t handle = table.intern(&firstRead);
    EXPECT_NE(handle, 0U);
    EXPECT_EQ(table.intern(&secondRead), handle);
    EXPECT_NE(table.intern(&other), handle);
    EXPECT_EQ(table.intern(&firstRead), handle);
    EXPECT_EQ(table.size(), 2U);
}

TEST_F(ElementInterning, NullIsNoElementAndUnknownHandlesHaveNoReference) {
    ElementTable table(functions());
    EXPECT_EQ(table.intern(nullptr), 0U);
    EXPECT_EQ(table.reference(0), nullptr);
    EXPECT_EQ(table.reference(1), nullptr);
    const FakeReference element{1};
    const std::uint64_t handle = table.intern(&element);
    EXPECT_EQ(table.reference(handle), &element);
    EXPECT_EQ(table.reference(handle + 1), nullptr);
}

TEST_F(ElementInterning, KeepsTheFirstReferenceOnceAndLetsEachGoOnce) {
    const FakeReference firstRead{4};
    const FakeReference secondRead{4};
    const FakeReference other{5};
    {
        ElementTable table(functions());
        const std::uint64_t handle = table.intern(&firstRead);
        table.intern(&secondRead);
        table.intern(&other);
        // The caller's later reference is the caller's to release: the table answers with its own.
        EXPECT_EQ(table.reference(handle), &firstRead);
        EXPECT_EQ(counts_.retains, (std::map<const void*, int>{{&firstRead, 1}, {&other, 1}}));
        EXPECT_TRUE(counts_.releases.empty());
    }
    EXPECT_EQ(counts_.releases, (std::map<const void*, int>{{&firstRead, 1}, {&other, 1}}));
}

TEST_F(ElementInterning, ThreadsReadingTheSameElementsShareHandles) {
    ElementTable table(functions());
    constexpr int elements = 50;
    constexpr int threads = 4;
    std::vector<std::vector<FakeReference>> reads(threads);
    std::vector<std::vector<std::uint64_t>> handles(threads, std::vector<std::uint64_t>(elements));
    for (auto& own : reads) {
        for (int element = 0; element < elements; ++element) {
            own.push_back({element});
        }
    }
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            for (int element = 0; element < elements; ++element) {
                handles[t][element] = table.intern(&reads[t][element]);
            }
        });
    }
    for (auto& worker : workers) {
        worker.join();
    }
    for (int t = 1; t < threads; ++t) {
        EXPECT_EQ(handles[t], handles[0]) << "thread " << t;
    }
    EXPECT_EQ(table.size(), static_cast<std::size_t>(elements));
}

}  // namespace
}  // namespace platform::macos
