// Helpers shared by the tests of the spreadsheet host's language tables: the record a row stands for, a
// one-line print of a record, the rows of each layer, and a filter for counting rows.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iomanip>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/access_key.hpp"

namespace keytips::spreadsheet::checks {

using Reader = const KeyTable& (*)();
using Rows = std::vector<const AccessKey*>;

// The expected rows are written as table rows; this makes the record they stand for without going
// through the library's builder, so a fault there cannot hide on both sides of a comparison.
inline AccessKey recordOf(const KeyRow& row) {
    AccessKey key;
    for (const char* layer : row.source) {
        if (layer != nullptr) {
            key.source.emplace_back(layer);
        }
    }
    key.identifier = row.identifier;
    key.shortcut = row.shortcut;
    key.role = row.role;
    if (row.title != nullptr) {
        key.title = row.title;
    }
    if (row.description != nullptr) {
        key.description = row.description;
    }
    key.press = row.press;
    key.isLastCommand = row.isLastCommand;
    return key;
}

// One line per record, every field, so that a failed comparison shows what differs.
inline std::string describe(const AccessKey& key) {
    std::ostringstream out;
    out << '[';
    for (std::size_t i = 0; i < key.source.size(); ++i) {
        out << (i == 0 ? "" : ", ") << std::quoted(key.source[i]);
    }
    out << "] id " << std::quoted(key.identifier) << " key " << std::quoted(key.shortcut) << ' ' << key.role;
    if (key.title) {
        out << " title " << std::quoted(*key.title);
    }
    if (key.description) {
        out << " description " << std::quoted(*key.description);
    }
    out << " press " << (key.press ? "yes" : "no") << " last " << (key.isLastCommand ? "yes" : "no");
    return out.str();
}

inline std::string describe(const KeyRow& row) { return describe(recordOf(row)); }

// The text a row is matched by: its title, or else its description.
inline std::string textOf(const AccessKey& key) {
    if (key.title) {
        return *key.title;
    }
    return key.description.value_or("");
}

// The first layer a row names; consecutive rows with the same first layer form a block.
inline std::string blockOf(const AccessKey& key) {
    return key.source.empty() ? std::string() : key.source.front();
}

inline bool names(const AccessKey& key, std::string_view layer) {
    return std::find(key.source.begin(), key.source.end(), layer) != key.source.end();
}

inline Rows allRows(const KeyTable& table) {
    Rows rows;
    rows.reserve(table.size());
    for (const AccessKey& key : table) {
        rows.push_back(&key);
    }
    return rows;
}

// The rows of each layer, in table order.
inline std::map<std::string, Rows> layersOf(const Rows& rows) {
    std::map<std::string, Rows> layers;
    for (const AccessKey* key : rows) {
        for (const std::string& layer : key->source) {
            layers[layer].push_back(key);
        }
    }
    return layers;
}

// Counting rows by role, flags, text kind, number of layers and shortcut length.
enum class Flag { Any, Yes, No };

struct Filter {
    const char* role = nullptr;  // nullptr: any role
    Flag press = Flag::Any;
    Flag last = Flag::Any;
    Flag titled = Flag::Any;         // Yes: a title; No: a description
    std::size_t sources = 0;         // 0: any number of layers
    std::size_t shortcutLength = 0;  // 0: any length
};

inline bool fits(Flag flag, bool value) { return flag == Flag::Any || (flag == Flag::Yes) == value; }

inline bool matches(const Filter& filter, const AccessKey& key) {
    return (filter.role == nullptr || key.role == filter.role) && fits(filter.press, key.press) &&
           fits(filter.last, key.isLastCommand) && fits(filter.titled, key.title.has_value()) &&
           (filter.sources == 0 || key.source.size() == filter.sources) &&
           (filter.shortcutLength == 0 || key.shortcut.size() == filter.shortcutLength);
}

}  // namespace keytips::spreadsheet::checks
