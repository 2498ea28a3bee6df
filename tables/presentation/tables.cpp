// The presentation language tables: each built from its rows on its first read, once.
#include "tables/presentation.hpp"

namespace keytips::presentation {

const KeyTable& AccessKeys_US::ribbonKeys() {
    static const KeyTable table = buildKeyTable(usRibbonKeyRows);
    return table;
}
const KeyTable& AccessKeys_US::contextualKeys() {
    static const KeyTable table = buildKeyTable(usContextualKeyRows);
    return table;
}
const KeyTable& AccessKeys_US::sharedKeys() {
    static const KeyTable table = buildKeyTable(usSharedKeyRows);
    return table;
}
const KeyTable& AccessKeys_GB::ribbonKeys() {
    static const KeyTable table = buildKeyTable(ukRibbonKeyRows);
    return table;
}
const KeyTable& AccessKeys_GB::contextualKeys() {
    static const KeyTable table = buildKeyTable(ukContextualKeyRows);
    return table;
}
const KeyTable& AccessKeys_GB::sharedKeys() {
    static const KeyTable table = buildKeyTable(ukSharedKeyRows);
    return table;
}

LanguageTables usTables() {
    return {&AccessKeys_US::ribbonKeys, &AccessKeys_US::contextualKeys, &AccessKeys_US::sharedKeys};
}
LanguageTables ukTables() {
    return {&AccessKeys_GB::ribbonKeys, &AccessKeys_GB::contextualKeys, &AccessKeys_GB::sharedKeys};
}

}  // namespace keytips::presentation
