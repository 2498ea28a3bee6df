#include "support/sim_world_test.hpp"

#include "platform/sim/world.hpp"

namespace test_support {

void SimWorldTest::SetUp() { platform::sim::world().reset(); }

void SimWorldTest::TearDown() { platform::sim::world().reset(); }

std::string caseName(std::string name) {
    for (char& c : name) {
        const bool letterOrDigit = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!letterOrDigit) {
            c = '_';
        }
    }
    return name;
}

}  // namespace test_support
