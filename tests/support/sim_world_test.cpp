#include "support/sim_world_test.hpp"

#include "platform/sim/world.hpp"

namespace test_support {

void SimWorldTest::SetUp() { platform::sim::world().reset(); }

void SimWorldTest::TearDown() { platform::sim::world().reset(); }

}  // namespace test_support
