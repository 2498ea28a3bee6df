// DeckKeys: key tips in the presentation host.
#include "key_tips_library.hpp"
#include "profiles/presentation_profile.hpp"
#include "tables/presentation.hpp"

namespace keytips {

KeyTips& libraryKeyTips() {
    static const PresentationProfile* const profile =
        new PresentationProfile(presentation::usTables(), presentation::ukTables());
    static auto* const instance = new KeyTips(*profile);
    return *instance;
}

}  // namespace keytips
