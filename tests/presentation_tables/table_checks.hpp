// Helpers shared by the tests of the presentation host's language tables: the record a row stands for,
// a one-line print of a record, and small counts over a table.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iomanip>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/access_key.hpp"

namespace keytips::presentation::checks {

using Reader = const KeyTable& (*)();
using Rows = std::vector<const AccessKey*>;

// The record a row stands for, made without the library's builder, so that a fault there cannot hide
// on both sides of a comparison.
inline AccessKey recordOf(const KeyRow& row) {
    AccessKey key;
    for (const char* layer : row.source) {
        if (layer != nullptr) {
            key.source.emplace_back(layer);
        }
    }
    key.identifier = row.identifier != nullptr ? row.identifier : "";
    key.shortcut = row.shortcut != nullptr ? row.shortcut : "";
    key.role = row.role != nullptr ? row.role : "";
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

// The rows from `begin` up to (not including) `end`.
inline Rows rowsBetween(const KeyTable& table, std::size_t begin, std::size_t end) {
    Rows rows;
    for (std::size_t i = begin; i < end && i < table.size(); ++i) {
        rows.push_back(&table[i]);
    }
    return rows;
}

// The blocks in table order: first layer name and number of rows.
inline std::vector<std::pair<std::string, std::size_t>> blocksOf(const Rows& rows) {
    std::vector<std::pair<std::string, std::size_t>> blocks;
    for (const AccessKey* key : rows) {
        if (blocks.empty() || blocks.back().first != blockOf(*key)) {
            blocks.emplace_back(blockOf(*key), 0);
        }
        ++blocks.back().second;
    }
    return blocks;
}

// The rows each layer offers, in table order.
inline std::map<std::string, Rows> layersOf(const Rows& rows) {
    std::map<std::string, Rows> layers;
    for (const AccessKey* key : rows) {
        for (const std::string& layer : key->source) {
            layers[layer].push_back(key);
        }
    }
    return layers;
}

// Every layer opened by a row: a row with Last no opens the layer named by its identifier.
inline std::set<std::string> openedLayers(const Rows& rows) {
    std::set<std::string> opened;
    for (const AccessKey* key : rows) {
        if (!key->isLastCommand) {
            opened.insert(key->identifier);
        }
    }
    return opened;
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
    Flag digit = Flag::Any;          // Yes: the shortcut holds a digit
};

inline bool fits(Flag flag, bool value) { return flag == Flag::Any || (flag == Flag::Yes) == value; }

inline bool hasDigit(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

inline bool matches(const Filter& filter, const AccessKey& key) {
    return (filter.role == nullptr || key.role == filter.role) && fits(filter.press, key.press) &&
           fits(filter.last, key.isLastCommand) && fits(filter.titled, key.title.has_value()) &&
           (filter.sources == 0 || key.source.size() == filter.sources) &&
           (filter.shortcutLength == 0 || key.shortcut.size() == filter.shortcutLength) &&
           fits(filter.digit, hasDigit(key.shortcut));
}

inline std::size_t countOf(const Rows& rows, const Filter& filter) {
    return static_cast<std::size_t>(
        std::count_if(rows.begin(), rows.end(), [&](const AccessKey* key) { return matches(filter, *key); }));
}

// Within each layer, every shortcut that more than one row uses, as "Layer key: text | text".
inline std::set<std::string> repeatedShortcuts(const Rows& rows) {
    std::set<std::string> found;
    for (const auto& [layer, offered] : layersOf(rows)) {
        std::map<std::string, std::vector<std::string>> texts;
        for (const AccessKey* key : offered) {
            texts[key->shortcut].push_back(textOf(*key));
        }
        for (const auto& [shortcut, shared] : texts) {
            if (shared.size() > 1) {
                std::string line = layer + " " + shortcut + ":";
                for (std::size_t i = 0; i < shared.size(); ++i) {
                    line += (i == 0 ? " " : " | ") + shared[i];
                }
                found.insert(line);
            }
        }
    }
    return found;
}

// A text holding a byte outside printable ASCII, or a backslash (a left-over escape).
inline bool unusualText(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte >= 0x7F || c == '\\';
    });
}

// Every field of every row holding an unusual text, in table order, as "field \"text\"".
inline std::vector<std::string> unusualTexts(const Rows& rows) {
    std::vector<std::string> found;
    const auto note = [&](const char* field, const std::string& text) {
        if (unusualText(text)) {
            found.push_back(std::string(field) + " \"" + text + "\"");
        }
    };
    for (const AccessKey* key : rows) {
        for (const std::string& layer : key->source) {
            note("source", layer);
        }
        note("identifier", key->identifier);
        note("shortcut", key->shortcut);
        note("role", key->role);
        if (key->title) {
            note("title", *key->title);
        }
        if (key->description) {
            note("description", *key->description);
        }
    }
    return found;
}

// The rows whose identifier is not their text, in table order, as "identifier <- text".
inline std::vector<std::string> identifiersDifferingFromText(const Rows& rows) {
    std::vector<std::string> found;
    for (const AccessKey* key : rows) {
        if (key->identifier != textOf(*key)) {
            found.push_back(key->identifier + " <- " + textOf(*key));
        }
    }
    return found;
}

}  // namespace keytips::presentation::checks
