// The key record: which element carries a key tip, what the user types for it, where it is offered
// and what typing it does.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
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

// Where the engine reads one language's three tables when it starts: a library's own tables, built
// from their row lists on the first read and kept for the process, or tables that the caller owns and
// keeps alive as long as a profile that names them is in use. Without either, the tables are empty.
class LanguageTables {
public:
    using Read = std::function<const KeyTables&()>;

    LanguageTables() = default;
    explicit LanguageTables(Read read) : read_(std::move(read)) {}
    explicit LanguageTables(const KeyTables& tables)
        : read_([&tables]() -> const KeyTables& { return tables; }) {}

    [[nodiscard]] const KeyTables& tables() const;
    [[nodiscard]] const KeyTable& ribbonKeys() const { return tables().ribbonKeys; }
    [[nodiscard]] const KeyTable& contextualKeys() const { return tables().contextualKeys; }
    [[nodiscard]] const KeyTable& sharedKeys() const { return tables().sharedKeys; }

private:
    Read read_;
};

// The three tables of one language made from their row lists: built on the first read, once (a first
// read from two threads at once builds them once), and never changed; every read returns them.
template <const std::span<const KeyRow>* ribbonRows, const std::span<const KeyRow>* contextualRows,
          const std::span<const KeyRow>* sharedRows>
struct LanguageTableSet {
    static const KeyTables& keyTables() {
        static const KeyTables tables{buildKeyTable(*ribbonRows), buildKeyTable(*contextualRows),
                                      buildKeyTable(*sharedRows)};
        return tables;
    }
    static const KeyTable& ribbonKeys() { return keyTables().ribbonKeys; }
    static const KeyTable& contextualKeys() { return keyTables().contextualKeys; }
    static const KeyTable& sharedKeys() { return keyTables().sharedKeys; }
    static LanguageTables tables() { return LanguageTables(&keyTables); }
};

}  // namespace keytips
