#include "engine/mode_state.hpp"

namespace keytips {

bool ModeState::stillWanted(Ticket held, BlockScope scope) const {
    switch (scope) {
        case BlockScope::engine:
            return true;
        case BlockScope::mode:
            return held.mode == modeGeneration_ && isActive();
        case BlockScope::session:
            return held.session == sessions_;
    }
    return false;
}

void ModeState::openMode() {
    endSession();
    firstLayerActive_ = true;
    tabPressedInMode_ = false;
    ++modeGeneration_;
    firstLayerKeyBuffer_.clear();
    keyBuffer_.clear();
}

void ModeState::enterSecondLayer() {
    firstLayerActive_ = false;
    secondLayerActive_ = true;
}

void ModeState::returnToFirstLayer() {
    firstLayerActive_ = true;
    secondLayerActive_ = false;
    tabPressedInMode_ = false;
}

void ModeState::leaveFirstLayer() { firstLayerActive_ = false; }

void ModeState::endMode(Closing closing) {
    firstLayerActive_ = false;
    secondLayerActive_ = false;
    if (includes(closing, Closing::layerHistory)) {
        layerHistory_.clear();
    }
    if (includes(closing, Closing::firstLayerKeyBuffer)) {
        firstLayerKeyBuffer_.clear();
    }
    if (includes(closing, Closing::keyBuffer)) {
        keyBuffer_.clear();
    }
}

}  // namespace keytips
