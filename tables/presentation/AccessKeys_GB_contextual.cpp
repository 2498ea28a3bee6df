// UK English contextual-tab table of the presentation host, in table order. Not transcribed yet: empty until then.
#include "tables/presentation.hpp"

namespace keytips::presentation {

const std::span<const KeyRow> ukContextualKeyRows{};

}  // namespace keytips::presentation
