// The human's mouse at the table: play a card, draw, pass, move a card within the hand,
// choose a suit.
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tarrabel {

// Answers the slot of the card just played, or -1.
int16_t HumanLeftClick(Game& g, int32_t x, int32_t y);
void HumanRightClick(Game& g, int32_t x, int32_t y);
// The suit-icon hit test of "SELECT TRUMPS".
void HumanSuitClick(Game& g, int32_t x, int32_t y);

bool IsLegalHumanPlay(const Game& g, const CardRecord& card);
// A card that does not answer the penalty open against the person (he could have answered
// it) makes him take the penalty instead: then the card is not played, and true.
bool TakesPenaltyInstead(Game& g, const CardRecord& card);

// Lays out the suit icons offered to the human (a column rising from the bottom one).
void LayoutSuitIcons(Game& g);

}  // namespace tarrabel
