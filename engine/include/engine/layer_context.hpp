// What a layer may do with the engine it belongs to, and no more: read the host profile, the
// language, the active tables, the mode and what the first layer found; draw labels; record what it
// finds; call the mode's transitions; queue guarded blocks; reach the other layers. The engine makes
// the one context its layers share, and a layer holds that instead of the engine, so no layer writes
// the engine's state but through these calls.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/access_key.hpp"
#include "engine/host_profile.hpp"
#include "engine/mode_state.hpp"
#include "engine/typed_keys.hpp"
#include "platform/dispatch.hpp"
#include "platform/geometry.hpp"

namespace keytips {

class KeyTips;
class OverlayWindows;
class FirstAccessLayer;
class CommandAccessLayer;

class LayerContext {
public:
    LayerContext(const LayerContext&) = delete;
    LayerContext& operator=(const LayerContext&) = delete;
    LayerContext(LayerContext&&) = delete;
    LayerContext& operator=(LayerContext&&) = delete;
    ~LayerContext() = default;

    // ---- Reads ----
    [[nodiscard]] const HostProfile& profile() const;
    [[nodiscard]] const std::string& language() const;
    [[nodiscard]] const KeyTables& activeTables() const;
    [[nodiscard]] const ModeState& mode() const;
    [[nodiscard]] const std::string& windowTitle() const;
    [[nodiscard]] std::optional<double> toolbarXCoordinate() const;
    [[nodiscard]] std::optional<double> toolbarYCoordinate() const;
    // The label windows on screen, which the layers draw and remove.
    [[nodiscard]] OverlayWindows& labels() const;

    // ---- What the first layer finds ----
    // The host window the first layer opened on, raised again when the mode ends.
    void rememberWindowTitle(std::string title);
    // The position of the toolbar's row anchor.
    void rememberToolbarRow(platform::Point anchor);

    // ---- Typed keys ----
    // The key, appended to the keys typed in this layer, and what they now select among `keys`.
    TypedKeys typeKey(std::string_view key, const KeyTable& keys);
    void clearKeyBuffer();

    // ---- Transitions (see KeyTips) ----
    void enterSecondLayer();
    void returnToFirstLayer();
    void leaveFirstLayer();
    void endMode(Closing closing);
    void pressTab();
    void enterLayer(std::string source);
    void leaveLayer();

    // ---- Queueing ----
    [[nodiscard]] platform::dispatch::Block guard(BlockScope scope, platform::dispatch::Block block) const;

    // ---- The other layers ----
    FirstAccessLayer& firstAccessLayer();
    CommandAccessLayer& commandAccessLayer();

private:
    friend class KeyTips;
    explicit LayerContext(KeyTips& tips) : tips_(tips) {}

    KeyTips& tips_;
};

}  // namespace keytips
