// DeckKeys: key tips in the presentation host.
#include "key_tips_library.hpp"
#include "profiles/presentation_profile.hpp"
#include "tables/presentation.hpp"

namespace keytips {

KeyTips& libraryKeyTips() {
    static auto* const instance =
        new KeyTips(presentationProfile(presentation::usTables(), presentation::ukTables()));
    return *instance;
}

}  // namespace keytips
