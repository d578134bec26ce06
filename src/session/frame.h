// The game side of one frame: keys and clicks, then one step of the state machine, then the
// flight of a card the human has just played. The platform reads the devices into a
// FrameInput and draws the table afterwards.
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tarrabel {

struct FrameInput {
    bool EscapeDown = false;
    bool PauseKeyDown = false;  // the key P
    bool LeftDown = false;      // a button counts in every frame it is held
    bool RightDown = false;
    int32_t MouseX = 0, MouseY = 0;  // table coordinates
};

enum class FrameResult : uint8_t { Continue, Quit };

FrameResult RunGameFrame(Game& g, const FrameInput& in);

}  // namespace tarrabel
