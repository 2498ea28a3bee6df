// For tests and benchmarks: puts an engine into a state of key-tip mode the way the engine itself gets
// there, through its transitions and the mode state's named writers. Nothing here assigns a field.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "engine/key_tips.hpp"

namespace keytips {

class KeyTipsTestPeer {
public:
    explicit KeyTipsTestPeer(KeyTips& tips) : tips_(tips) {}

    // What a lone Option tap does at once: a new mode at the first layer (its opening is not queued).
    void openMode() { tips_.openMode(); }
    // What a typed tab shortcut does at once: the keys that follow go to the command layer.
    void enterSecondLayer() { tips_.enterSecondLayer(); }
    void endMode(Closing closing) { tips_.endMode(closing); }
    // What an Option chord leaves: the next Option release opens nothing.
    void holdOptionChord() { tips_.mode_.holdOptionChord(); }
    // Keys as the key-down handler keeps them at the tabs, and as a layer keeps them.
    void typeAtTabs(std::string_view keys) { tips_.mode_.typeAtTabs(keys); }
    void typeInLayer(std::string_view keys) { tips_.mode_.typeInLayer(keys); }
    // A command layer as the command layer records its opening.
    void enterLayer(std::string source) { tips_.mode_.enterLayer(std::move(source)); }

private:
    KeyTips& tips_;
};

}  // namespace keytips
