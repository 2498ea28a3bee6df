#include "engine/matching.hpp"

#include <set>
#include <utility>

namespace keytips {

namespace {

// False when the attribute is present but not text; an absent attribute gives no value.
bool readOptionalText(const Element& element, std::string_view attribute, AttributeCache& cache,
                      std::optional<std::string>& out) {
    const AttributeValue* value = getAttribute(element, attribute, cache);
    if (value == nullptr) {
        return true;
    }
    if (const std::string* text = value->text()) {
        out = *text;
        return true;
    }
    return false;
}

}  // namespace

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
        const std::optional<std::string_view> role = textOf(getAttribute(element, "AXRole", cache));
        if (!role || roles.find(*role) == roles.end()) {
            continue;
        }
        std::optional<std::string> title;
        if (!readOptionalText(element, "AXTitle", cache, title) ||
            roleTitles.find(std::pair(std::string(*role), title)) == roleTitles.end()) {
            continue;
        }
        std::optional<std::string> description;
        if (!readOptionalText(element, "AXDescription", cache, description)) {
            continue;
        }
        matches_[Signature{std::string(*role), std::move(title), std::move(description)}].push_back(i);
    }
}

const std::vector<std::size_t>& MatchIndex::matching(const AccessKey& key) const {
    static const std::vector<std::size_t> none;
    const auto found = matches_.find(Signature{key.role, key.title, key.description});
    return found != matches_.end() ? found->second : none;
}

}  // namespace keytips
