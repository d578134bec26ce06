// The devices as one game frame sees them: what the platform reads from the keyboard and
// the mouse, and what the game logic (and the simulator's stand-ins for a person) feed
// into a frame.
#pragma once

#include <cstdint>

namespace tarrabel {

struct FrameInput {
    bool EscapeDown = false;
    bool PauseKeyDown = false;  // the key P
    // A button counts in every frame it is held, and also in the first frame after a press
    // that was released before the frame could see it (a quick click is never lost).
    bool LeftDown = false;
    bool RightDown = false;
    int32_t MouseX = 0, MouseY = 0;  // table coordinates, clamped to the table
};

}  // namespace tarrabel
