// What a key-tip library gives its C entry points: the process's one engine, with the library's host
// profile and tables.
#pragma once

#include "engine/key_tips.hpp"

namespace keytips {

// Created on first use; lives until the process ends, since the host's monitors and queued blocks
// refer to it.
KeyTips& libraryKeyTips();

}  // namespace keytips
