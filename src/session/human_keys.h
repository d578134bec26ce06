// The human's turn played from the keyboard. A focus frame sits on one of his cards or on
// the deck; the arrows move it, and the keys act where it is through the very actions a
// click takes (session/human_input.h). H asks the expert for a hint, F1 shows the rules.
#pragma once

#include <array>
#include <cstdint>

#include "core/frame_input.h"
#include "core/game.h"

namespace tarrabel {

// How long a hint keeps the frame on the expert's card.
inline constexpr int32_t kHintMs = 2000;

// The human's cards as the keys walk them, left to right, the upper row (where a long hand
// overflows) before the main one; empty slots are skipped. Answers the count.
int FocusOrder(const Game& g, std::array<int8_t, kHandSlots>& order);

// Keeps the frame on a card: when its card has left the hand, the frame goes to the card
// now lying where it was or next to it (the last one when it was the last).
void SettleFocus(Game& g);

// One key press at the table. Answers the slot of a card it played, or -1.
int16_t HumanKeyPressed(Game& g, TableKey key);

// The pointer moved or clicked: the frame goes until the next key.
void HideFocus(Game& g);

// Ends a hint whose time is up; called every frame.
void ExpireHint(Game& g);

// The slot of the card the expert would play now in the human's seat, kHintDeck when he
// would draw, or kNoHint when there is nothing to show (not his turn, or only a pass is
// left). Only reads the game.
inline constexpr int kHintDeck = -2, kNoHint = -1;
int HintFor(const Game& g);

// The frame is drawn now: it is shown, and it is the human's turn to act in his hand.
bool FocusFrameVisible(const Game& g);

}  // namespace tarrabel
