// The key record: which element carries a key tip, what the user types for it, where it is offered
// and what typing it does.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace keytips {

struct AccessKey {
    std::vector<std::string> source;  // layers in which the key is offered
    std::string identifier;           // language-independent name; the layer the key opens
    std::string shortcut;             // one or two characters, lower case
    std::string role;                 // accessibility role of the element
    std::optional<std::string> title;
    std::optional<std::string> description;
    bool press = false;          // menu buttons: press (true) or show the menu (false)
    bool isLastCommand = false;  // true ends key-tip mode; false opens the layer `identifier`
};

using KeyTable = std::vector<AccessKey>;

// One row of a language table as the table sources store it: plain constant data. Unused source
// entries and absent texts are null.
struct KeyRow {
    std::array<const char*, 3> source;
    const char* identifier;
    const char* shortcut;
    const char* role;
    const char* title;
    const char* description;
    bool press;
    bool isLastCommand;
};

// Makes the records of a table from its rows, in row order.
KeyTable buildKeyTable(std::span<const KeyRow> rows);

// The three tables of one language (or the active ones).
struct KeyTables {
    KeyTable ribbonKeys;
    KeyTable contextualKeys;
    KeyTable sharedKeys;
};

// Read access to the three constant tables of one language; each built once, on its first read.
struct LanguageTables {
    const KeyTable& (*ribbonKeys)();
    const KeyTable& (*contextualKeys)();
    const KeyTable& (*sharedKeys)();
};

// The three tables of one language made from their row lists: each built on its first read, once (a
// first read from two threads at once builds it once), and never changed; every read returns it.
template <const std::span<const KeyRow>* ribbonRows, const std::span<const KeyRow>* contextualRows,
          const std::span<const KeyRow>* sharedRows>
struct LanguageTableSet {
    static const KeyTable& ribbonKeys() {
        static const KeyTable table = buildKeyTable(*ribbonRows);
        return table;
    }
    static const KeyTable& contextualKeys() {
        static const KeyTable table = buildKeyTable(*contextualRows);
        return table;
    }
    static const KeyTable& sharedKeys() {
        static const KeyTable table = buildKeyTable(*sharedRows);
        return table;
    }
    static LanguageTables tables() { return {&ribbonKeys, &contextualKeys, &sharedKeys}; }
};

}  // namespace keytips
