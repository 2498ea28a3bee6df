#include "engine/typed_keys.hpp"

#include "engine/text.hpp"

namespace keytips {

TypedKeys classifyTyped(const KeyTable& keys, std::string_view typed) {
    TypedKeys result;
    for (std::size_t row = 0; row < keys.size(); ++row) {
        if (startsWith(keys[row].shortcut, typed)) {
            result.beginsAny = true;
            if (keys[row].shortcut == typed) {
                result.exactRows.push_back(row);
            }
        }
    }
    return result;
}

}  // namespace keytips
