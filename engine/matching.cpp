#include "engine/matching.hpp"

#include <set>
#include <utility>

namespace keytips {

MatchIndex::MatchIndex(const KeyTable& keys, const std::vector<Element>& elements, AttributeCache& cache) {
    if (keys.empty()) {
        return;  // nothing to match, nothing to read
    }
    std::set<std::string, std::less<>> roles;
    std::set<std::pair<std::string, std::optional<std::string>>> roleTitles;
    for (const AccessKey& key : keys) {
        roles.insert(key.role);
        roleTitles.emplace(key.role, key.title);
    }
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const Element& element = elements[i];
        const std::optional<std::string_view> role = getCachedText(element, "AXRole", cache).text();
        if (!role || roles.find(*role) == roles.end()) {
            continue;
        }
        // A title or description that is there but is not text matches no key.
        const CachedText titleRead = getCachedText(element, "AXTitle", cache);
        std::optional<std::string> title = titleRead.ownedText();
        if (titleRead.isNotText() ||
            roleTitles.find(std::pair(std::string(*role), title)) == roleTitles.end()) {
            continue;
        }
        const CachedText description = getCachedText(element, "AXDescription", cache);
        if (description.isNotText()) {
            continue;
        }
        matches_[Signature{std::string(*role), std::move(title), description.ownedText()}].push_back(i);
    }
}

const std::vector<std::size_t>& MatchIndex::matching(const AccessKey& key) const {
    static const std::vector<std::size_t> none;
    const auto found = matches_.find(Signature{key.role, key.title, key.description});
    return found != matches_.end() ? found->second : none;
}

}  // namespace keytips
