#include "engine/access_key.hpp"

namespace keytips {

namespace {
std::optional<std::string> optionalText(const char* text) {
    return text != nullptr ? std::optional<std::string>(text) : std::nullopt;
}
}  // namespace

KeyTable buildKeyTable(std::span<const KeyRow> rows) {
    KeyTable table;
    table.reserve(rows.size());
    for (const KeyRow& row : rows) {
        std::vector<std::string> source;
        for (const char* layer : row.source) {
            if (layer != nullptr) {
                source.emplace_back(layer);
            }
        }
        table.push_back(AccessKey{std::move(source), row.identifier, row.shortcut, row.role,
                                  optionalText(row.title), optionalText(row.description), row.press,
                                  row.isLastCommand});
    }
    return table;
}

const KeyTables& LanguageTables::tables() const {
    static const KeyTables none;
    return read_ ? read_() : none;
}

}  // namespace keytips
