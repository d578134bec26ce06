// The devices as one game frame sees them: what the platform reads from the keyboard and
// the mouse, and what the game logic (and the simulator's stand-ins for a person) feed
// into a frame.
#pragma once

#include <array>
#include <cstdint>

namespace tarrabel {

// The keys the table answers, by what they mean rather than where they sit: the platform
// maps letters by the name the keyboard layout gives them and the arrows by their place.
// Escape and P are read as held keys (FrameInput::EscapeDown, PauseKeyDown) instead.
enum class TableKey : uint8_t {
    Left,
    Right,
    Home,
    End,
    Up,
    Down,
    Enter,  // Return, the keypad's Enter or Space: plays the card under the focus frame
    Draw,   // D
    Pass,   // X
    Move,   // R: pick the card to move, then put it where the focus is
    Hint,   // H
    Rules,  // F1
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    LetterC,
    LetterS,
    Other,  // any other key: it turns the score page
};

struct FrameInput {
    bool EscapeDown = false;
    bool PauseKeyDown = false;  // the key P
    // A button counts in every frame it is held, and also in the first frame after a press
    // that was released before the frame could see it (a quick click is never lost).
    bool LeftDown = false;
    bool RightDown = false;
    int32_t MouseX = 0, MouseY = 0;  // table coordinates, clamped to the table

    // Keys pressed since the last frame, oldest first (a held arrow repeats).
    static constexpr int kMaxKeys = 8;
    std::array<TableKey, kMaxKeys> Keys{};
    uint8_t KeyCount = 0;
    void PushKey(TableKey k) {
        if (KeyCount < kMaxKeys) Keys[KeyCount++] = k;
    }
};

}  // namespace tarrabel
