// The end of a deal with the hands shown: before the score page, the cards left in the
// computer players' hands turn face up where they lie, seat after seat, so the player sees
// what each held and what it cost. A click or a key then turns to the score page, and
// another one deals again. Nothing of the rules, the scoring or the trace changes; with the
// option off the score page comes at once, as it always did.
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tarrabel {

// Each seat's cards turn over in kFlipFrames frames, the next seat kSeatDelayFrames later
// (right, top, left).
inline constexpr int16_t kFlipFrames = 8;
inline constexpr int16_t kSeatDelayFrames = 5;
inline constexpr int16_t kRevealFrames = kFlipFrames + 2 * kSeatDelayFrames;

// The deal has ended and its hands are shown, the score page not yet.
bool RevealingHands(const Game& g);

// How far a computer seat's cards have turned: 0 still their backs, 1 face up.
float FlipOf(const Game& g, int seat);

// One frame of the deal's end: the cards turn on, the flip heard once as they start.
void StepHandsReveal(Game& g);

// A click or a key at the deal's end: the score page after the shown hands, else the next
// deal. A click must begin after the one that turned to the page (leftDown: the button is
// held in this frame).
void TurnDealEnd(Game& g, bool byClick);
void HearDealEndButton(Game& g, bool leftDown);

}  // namespace tarrabel
