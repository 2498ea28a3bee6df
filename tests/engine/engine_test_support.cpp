#include "engine_test_support.hpp"

namespace enginetest {

using keytips::AccessKey;
using keytips::KeyTable;

namespace {

AccessKey tab(const char* identifier, const char* shortcut, const char* title) {
    return AccessKey{{"Ribbon"}, identifier, shortcut, "AXRadioButton", title, std::nullopt};
}

}  // namespace

keytips::KeyTables smallUsTables() {
    return {{tab("Home", "h", "Home"), tab("Insert", "n", "Insert")},
            {tab("FormatShape", "js", "Shape Format"), tab("Chart Design", "jc", "Chart Design")},
            {
                AccessKey{{"Home"}, "Bold", "1", "AXCheckBox", "Bold", std::nullopt, false, true},
                AccessKey{{"Home"}, "Borders", "b", "AXMenuButton", "Borders", std::nullopt, false, false},
            }};
}

keytips::KeyTables smallUkTables() {
    return {{tab("Home", "h", "Home (UK)")},
            {},
            {AccessKey{{"Home"}, "Bold", "1", "AXCheckBox", "Bold (UK)", std::nullopt}}};
}

keytips::LanguageTables EngineTest::counted(const keytips::KeyTables& tables, int& reads) {
    return keytips::LanguageTables([&tables, &reads]() -> const keytips::KeyTables& {
        ++reads;
        return tables;
    });
}

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
