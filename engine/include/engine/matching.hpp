// Matching a layer's keys against the elements of the host's window.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "engine/access_key.hpp"
#include "engine/accessibility.hpp"

namespace keytips {

// The elements that match each key, in element order: an element matches a key when its "AXRole" is
// text equal to the key's role and its "AXTitle" and "AXDescription" are each absent or text and equal
// to the key's (an absent value matching only an absent value).
//
// Built once per opening: it reads each element's role, then its title only when some key has that
// role, then its description only when some key has that role and title. Those are the reads a
// key-by-key scan makes through the attribute cache, so the matches and the requests are the same
// while the work grows with elements plus keys instead of elements times keys.
class MatchIndex {
public:
    MatchIndex(const KeyTable& keys, const std::vector<Element>& elements, AttributeCache& cache);

    // Indices into the elements, in element order.
    [[nodiscard]] const std::vector<std::size_t>& matching(const AccessKey& key) const;

private:
    struct Signature {
        std::string role;
        std::optional<std::string> title;
        std::optional<std::string> description;
        friend bool operator<(const Signature& a, const Signature& b) {
            return std::tie(a.role, a.title, a.description) < std::tie(b.role, b.title, b.description);
        }
    };

    std::map<Signature, std::vector<std::size_t>> matches_;
};

}  // namespace keytips
