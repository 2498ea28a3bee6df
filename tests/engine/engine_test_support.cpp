#include "engine_test_support.hpp"

namespace enginetest {

using keytips::AccessKey;
using keytips::KeyTable;

namespace {

AccessKey tab(const char* identifier, const char* shortcut, const char* title) {
    return AccessKey{{"Ribbon"}, identifier, shortcut, "AXRadioButton", title, std::nullopt};
}

const KeyTable& usRibbon() {
    ++tableReads().usRibbon;
    static const KeyTable table{tab("Home", "h", "Home"), tab("Insert", "n", "Insert")};
    return table;
}
const KeyTable& usContextual() {
    ++tableReads().usContextual;
    static const KeyTable table{tab("FormatShape", "js", "Shape Format"),
                                tab("Chart Design", "jc", "Chart Design")};
    return table;
}
const KeyTable& usShared() {
    ++tableReads().usShared;
    static const KeyTable table{
        AccessKey{{"Home"}, "Bold", "1", "AXCheckBox", "Bold", std::nullopt, false, true},
        AccessKey{{"Home"}, "Borders", "b", "AXMenuButton", "Borders", std::nullopt, false, false},
    };
    return table;
}
const KeyTable& ukRibbon() {
    ++tableReads().ukRibbon;
    static const KeyTable table{tab("Home", "h", "Home (UK)")};
    return table;
}
const KeyTable& ukContextual() {
    ++tableReads().ukContextual;
    static const KeyTable table;
    return table;
}
const KeyTable& ukShared() {
    ++tableReads().ukShared;
    static const KeyTable table{AccessKey{{"Home"}, "Bold", "1", "AXCheckBox", "Bold (UK)", std::nullopt}};
    return table;
}

}  // namespace

keytips::LanguageTables smallUsTables() { return {usRibbon, usContextual, usShared}; }
keytips::LanguageTables smallUkTables() { return {ukRibbon, ukContextual, ukShared}; }

TableReads& tableReads() {
    static TableReads reads;
    return reads;
}

void resetTableReads() { tableReads() = {}; }

int EngineTest::launchHost(std::string_view fixture) {
    const int pid = world().launchApplication(std::string(hostBundle));
    world().loadFixture(pid, fixture);
    return pid;
}

void EngineTest::openFirstLayerInBook() {
    launchHost(bookFixture);
    start();
    tapOption();
    world().pump();
}

std::vector<std::string> EngineTest::logSince(std::size_t first) {
    const std::vector<std::string> lines = world().logLines();
    if (first >= lines.size()) {
        return {};
    }
    return {lines.begin() + static_cast<std::ptrdiff_t>(first), lines.end()};
}

}  // namespace enginetest
