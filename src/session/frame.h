// The game side of one frame: keys and clicks, then one step of the state machine, then the
// flight of a card the human has just played. The platform reads the devices into a
// FrameInput and draws the table afterwards.
#pragma once

#include <cstdint>

#include "core/frame_input.h"
#include "core/game.h"

namespace tarrabel {

enum class FrameResult : uint8_t { Continue, Quit };

FrameResult RunGameFrame(Game& g, const FrameInput& in);

}  // namespace tarrabel
