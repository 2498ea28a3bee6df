// Helpers shared by the tests of both hosts' language tables: the record a row stands for, a one-line
// print of a record, the rows of each block and layer, filters for counting rows, the texts that stand
// out, and the comparisons several tests make of a table with its expected rows, stretches, blocks and
// layers.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <iomanip>
#include <map>
#include <ostream>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/access_key.hpp"
#include "support/case_names.hpp"

namespace keytips::checks {

using Reader = const KeyTable& (*)();
using Rows = std::vector<const AccessKey*>;

// ---------------------------------------------------------------------------------------------------
// Rows and records.

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

// How many rows of the table are the given row in every field.
inline std::size_t timesOf(const KeyTable& table, const KeyRow& row) {
    const std::string wanted = describe(row);
    return static_cast<std::size_t>(std::count_if(
        table.begin(), table.end(), [&](const AccessKey& key) { return describe(key) == wanted; }));
}

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

// How many rows of the table name the layer.
inline std::size_t rowsNaming(const KeyTable& table, std::string_view layer) {
    return static_cast<std::size_t>(
        std::count_if(table.begin(), table.end(), [&](const AccessKey& key) { return names(key, layer); }));
}

// ---------------------------------------------------------------------------------------------------
// Choosing rows.

inline Rows allRows(const KeyTable& table) {
    Rows rows;
    rows.reserve(table.size());
    for (const AccessKey& key : table) {
        rows.push_back(&key);
    }
    return rows;
}

// All rows of the tables, one table after another.
inline Rows rowsOfTables(std::initializer_list<Reader> tables) {
    Rows rows;
    for (const Reader read : tables) {
        const Rows table = allRows(read());
        rows.insert(rows.end(), table.begin(), table.end());
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

// The rows before `begin` and from `end` on.
inline Rows rowsOutside(const KeyTable& table, std::size_t begin, std::size_t end) {
    Rows rows;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (i < begin || i >= end) {
            rows.push_back(&table[i]);
        }
    }
    return rows;
}

// The rows from just after the last row of the block `after` up to the first row of the block `before`
// that follows (or the end of the table).
struct Span {
    std::size_t begin;
    std::size_t end;
};

inline Span spanBetweenBlocks(const KeyTable& table, std::string_view after, std::string_view before) {
    Span span{0, table.size()};
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (blockOf(table[i]) == after) {
            span.begin = i + 1;
        }
    }
    for (std::size_t i = span.begin; i < table.size(); ++i) {
        if (blockOf(table[i]) == before) {
            span.end = i;
            break;
        }
    }
    return span;
}

// The tab rows, then the command rows with Last no: each opens the layer named by its identifier.
inline Rows openingRows(const Rows& tabRows, const KeyTable& commands) {
    Rows rows = tabRows;
    for (const AccessKey& key : commands) {
        if (!key.isLastCommand) {
            rows.push_back(&key);
        }
    }
    return rows;
}

// ---------------------------------------------------------------------------------------------------
// Blocks and layers.

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

// Every layer some row names.
inline std::set<std::string> namedLayers(const KeyTable& table) {
    std::set<std::string> layers;
    for (const AccessKey& key : table) {
        layers.insert(key.source.begin(), key.source.end());
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

// ---------------------------------------------------------------------------------------------------
// Counting rows by role, flags, text kind, number of layers, shortcut length and digits.

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

// ---------------------------------------------------------------------------------------------------
// Shortcuts.

// One or two characters, each a lower-case letter or (unless `lettersOnly`) a digit.
inline bool validShortcut(const std::string& shortcut, bool lettersOnly = false) {
    return !shortcut.empty() && shortcut.size() <= 2 &&
           std::all_of(shortcut.begin(), shortcut.end(), [lettersOnly](char c) {
               return (c >= 'a' && c <= 'z') || (!lettersOnly && c >= '0' && c <= '9');
           });
}

// The shortcuts of `count` rows from `begin`, separated by spaces.
inline std::string shortcutsOf(const Rows& rows, std::size_t begin, std::size_t count) {
    std::string shortcuts;
    for (std::size_t i = begin; i < begin + count && i < rows.size(); ++i) {
        shortcuts += (i == begin ? "" : " ") + rows[i]->shortcut;
    }
    return shortcuts;
}

// The number of words of a text separated by spaces.
constexpr std::size_t wordCount(std::string_view text) {
    std::size_t words = 0;
    bool inWord = false;
    for (const char c : text) {
        words += (c != ' ' && !inWord) ? 1 : 0;
        inWord = c != ' ';
    }
    return words;
}

// The text of a row as written by `label`: by default the text it is matched by.
using Label = std::string (*)(const AccessKey&);

// Within each layer, every shortcut that more than one row uses, as "Layer key: text | text".
inline std::set<std::string> repeatedShortcuts(const Rows& rows, Label label = textOf) {
    std::set<std::string> found;
    for (const auto& [layer, offered] : layersOf(rows)) {
        std::map<std::string, std::vector<std::string>> texts;
        for (const AccessKey* key : offered) {
            texts[key->shortcut].push_back(label(*key));
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

// Within each layer, every shortcut that begins another one, as "Layer: shorter < longer".
inline std::set<std::string> shortcutsBeginningOthers(const Rows& rows) {
    std::set<std::string> found;
    for (const auto& [layer, offered] : layersOf(rows)) {
        std::set<std::string> shortcuts;
        for (const AccessKey* key : offered) {
            shortcuts.insert(key->shortcut);
        }
        for (const std::string& shorter : shortcuts) {
            for (const std::string& longer : shortcuts) {
                if (shorter != longer && longer.starts_with(shorter)) {
                    found.insert(layer + ": " + shorter + " < " + longer);
                }
            }
        }
    }
    return found;
}

// Within each layer, every identifier that more than one row uses, as "Layer: identifier".
inline std::set<std::string> repeatedIdentifiers(const Rows& rows) {
    std::set<std::string> found;
    std::set<std::pair<std::string, std::string>> seen;
    for (const AccessKey* key : rows) {
        for (const std::string& layer : key->source) {
            if (!seen.emplace(layer, key->identifier).second) {
                found.insert(layer + ": " + key->identifier);
            }
        }
    }
    return found;
}

// Shortcuts offered together: none may begin another, nor stand twice.
inline void expectNoneBeginsAnother(const std::vector<std::string>& shortcuts) {
    for (std::size_t i = 0; i < shortcuts.size(); ++i) {
        for (std::size_t j = 0; j < shortcuts.size(); ++j) {
            if (i != j) {
                EXPECT_FALSE(shortcuts[j].starts_with(shortcuts[i]))
                    << "\"" << shortcuts[i] << "\" and \"" << shortcuts[j] << "\"";
            }
        }
    }
}

// ---------------------------------------------------------------------------------------------------
// Texts.

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

// ---------------------------------------------------------------------------------------------------
// Parameterized tests over tables.

// A table with the rules of its rows: a tab table (tabs) or a command table, and its number of rows.
struct TableCase {
    const char* name;
    Reader read;
    bool tabs;
    std::size_t rows;
};

using test_support::PrintTo;

// A tab table with its rows in full.
struct TabTableCase {
    const char* name;
    Reader read;
    std::span<const KeyRow> rows;
};

// A row that stands in a table the given number of times.
struct ExactRow {
    KeyRow row;
    std::size_t times;
};

// The first layer, identifier and shortcut of the row, made a valid test name.
inline std::string nameOf(const ExactRow& exact) {
    return test_support::caseName(std::string(exact.row.source[0]) + " " + exact.row.identifier + " " +
                                  exact.row.shortcut);
}

inline void PrintTo(const ExactRow& exact, std::ostream* out) { *out << nameOf(exact); }

// Names each instance of a parameterized test over rows by its row.
struct NameOfRow {
    std::string operator()(const testing::TestParamInfo<ExactRow>& tested) const {
        return nameOf(tested.param);
    }
};

// ---------------------------------------------------------------------------------------------------
// Comparisons with the expected rows, stretches, blocks and layers.

// The language access reads the one built list of each table.
inline void expectSameLists(const LanguageTables& access, const KeyTables& direct) {
    EXPECT_EQ(&access.ribbonKeys(), &direct.ribbonKeys);
    EXPECT_EQ(&access.contextualKeys(), &direct.contextualKeys);
    EXPECT_EQ(&access.sharedKeys(), &direct.sharedKeys);
}

// The rows from `begin` up to (not including) `end`, each offered in `layer` alone: buttons that are
// pressed and end key-tip mode, and menu buttons that show their menu and open the layer named by their
// identifier. Any other row is a failure.
struct ButtonsAndMenus {
    std::size_t buttons = 0;
    std::vector<std::string> opened;  // the menu buttons' identifiers, in table order
};

inline ButtonsAndMenus expectButtonsAndMenus(const KeyTable& table, std::size_t begin, std::size_t end,
                                             const std::string& layer) {
    ButtonsAndMenus found;
    for (std::size_t i = begin; i < end; ++i) {
        const AccessKey& key = table[i];
        EXPECT_EQ(key.source, std::vector<std::string>{layer}) << "row " << i;
        if (key.role == "AXButton" && key.press && key.isLastCommand) {
            ++found.buttons;
        } else if (key.role == "AXMenuButton" && !key.press && !key.isLastCommand) {
            found.opened.push_back(key.identifier);
        } else {
            ADD_FAILURE() << "row " << i << ": " << describe(key);
        }
    }
    return found;
}

// The rows from `begin` up to (not including) `end` are the items of one menu, offered in `layer` alone:
// menu buttons that are pressed and end key-tip mode.
inline void expectMenuItems(const KeyTable& table, std::size_t begin, std::size_t end,
                            const std::string& layer) {
    for (std::size_t i = begin; i < end; ++i) {
        const AccessKey& key = table[i];
        EXPECT_EQ(key.source, std::vector<std::string>{layer}) << "row " << i;
        EXPECT_EQ(key.role, "AXMenuButton") << "row " << i;
        EXPECT_TRUE(key.press && key.isLastCommand) << "row " << i;
    }
}

// The table holds exactly the expected rows, in order.
inline void expectRows(const KeyTable& table, std::span<const KeyRow> expected) {
    ASSERT_EQ(table.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(describe(table[i]), describe(expected[i])) << "row " << i;
    }
}

// A stretch of the command table: where it starts, how many rows it holds, its first and last row.
struct Stretch {
    const char* name;
    std::size_t first;
    std::size_t rows;
    KeyRow firstRow;
    KeyRow lastRow;
};

// Each stretch (anything with a `first` row and a number of `rows`) starts where the one before ends,
// and together they hold `rows` rows.
constexpr bool stretchesFollowOneAnother(const auto& stretches, std::size_t rows) {
    std::size_t next = 0;
    for (const auto& stretch : stretches) {
        if (stretch.first != next) {
            return false;
        }
        next += stretch.rows;
    }
    return next == rows;
}

// Each stretch starts and ends with its rows; the table must hold them all.
inline void expectStretchEnds(const KeyTable& table, std::span<const Stretch> stretches) {
    for (const Stretch& stretch : stretches) {
        SCOPED_TRACE(stretch.name);
        const std::size_t last = stretch.first + stretch.rows - 1;
        EXPECT_EQ(describe(table[stretch.first]), describe(stretch.firstRow)) << "row " << stretch.first;
        EXPECT_EQ(describe(table[last]), describe(stretch.lastRow)) << "row " << last;
    }
}

// A block of the command table with its rows' shortcuts in order.
struct Block {
    const char* name;  // nullptr: any name
    std::size_t rows;
    const char* shortcuts;  // separated by spaces; nullptr: any
};

// Each block's shortcuts are as many as its rows, and the blocks hold `rows` rows in all.
constexpr bool blocksAreConsistent(const auto& blocks, std::size_t rows) {
    std::size_t sum = 0;
    for (const Block& block : blocks) {
        if (block.shortcuts != nullptr && wordCount(block.shortcuts) != block.rows) {
            return false;
        }
        sum += block.rows;
    }
    return sum == rows;
}

// The rows form the expected blocks, in order, with their row counts and shortcuts. After a block of
// another name, later blocks are not compared.
inline void expectBlocks(const Rows& rows, std::span<const Block> expected) {
    const auto blocks = blocksOf(rows);
    EXPECT_EQ(blocks.size(), expected.size()) << "number of blocks";
    std::size_t begin = 0;
    for (std::size_t i = 0; i < std::min(blocks.size(), expected.size()); ++i) {
        const Block& block = expected[i];
        const auto& [name, count] = blocks[i];
        if (block.name != nullptr && name != block.name) {
            ADD_FAILURE() << "block " << i << ": expected \"" << block.name << "\" (" << block.rows
                          << " rows), found \"" << name << "\" (" << count
                          << " rows); later blocks not compared";
            break;
        }
        EXPECT_EQ(count, block.rows) << "block " << i << " \"" << name << "\"";
        if (block.shortcuts != nullptr) {
            EXPECT_EQ(shortcutsOf(rows, begin, count), block.shortcuts)
                << "block " << i << " \"" << name << "\"";
        }
        begin += count;
    }
}

// Every expected layer (anything with a `name`) is found and then handed to `check` with the rows it
// offers; no other layer is found. Returns the expected names.
template <typename Expected, typename Check>
std::set<std::string> expectLayers(const std::map<std::string, Rows>& layers, const Expected& expected,
                                   Check check) {
    std::set<std::string> expectedNames;
    for (const auto& layer : expected) {
        expectedNames.insert(layer.name);
        const auto found = layers.find(layer.name);
        if (found == layers.end()) {
            ADD_FAILURE() << "no layer \"" << layer.name << "\"";
            continue;
        }
        check(layer, found->second);
    }
    for (const auto& [name, rows] : layers) {
        EXPECT_TRUE(expectedNames.contains(name)) << "unexpected layer \"" << name << "\"";
    }
    return expectedNames;
}

// A layer by the number of rows it offers and the texts of its first and last row.
struct LayerEnds {
    const char* name;
    std::size_t rows;
    const char* first;
    const char* last;
};

inline std::string describeLayer(const std::string& name, std::size_t rows, const std::string& first,
                                 const std::string& last) {
    return name + ": " + std::to_string(rows) + " rows, \"" + first + "\" .. \"" + last + "\"";
}

inline void expectLayerEnds(const std::map<std::string, Rows>& layers, std::span<const LayerEnds> expected) {
    expectLayers(layers, expected, [](const LayerEnds& layer, const Rows& rows) {
        EXPECT_EQ(describeLayer(layer.name, rows.size(), textOf(*rows.front()), textOf(*rows.back())),
                  describeLayer(layer.name, layer.rows, layer.first, layer.last));
    });
}

}  // namespace keytips::checks
