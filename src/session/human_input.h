// The human's turn at the table: play a card, draw, pass, move a card within the hand,
// choose a suit. The mouse's hit tests find the card or icon and the keys name it; both
// end in the same actions, so a move has the same rules, sounds and flights either way.
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tarrabel {

// The actions of the human's turn. Each does nothing (and answers -1 or false) when it is
// not his to take now: not his turn, the wrong state, an empty slot, a card in flight or a
// card he may not play.
//
// Plays the card in this slot; answers the slot, or -1 when the card is refused or the
// open penalty is taken instead (TakesPenaltyInstead).
int16_t HumanPlaysCard(Game& g, int slot);
// Takes a card from the deck (or, facing a chain he could answer, the penalty).
bool HumanDrawsFromDeck(Game& g);
// Picks the card to move within the hand; then the card whose place it takes; or puts the
// picked card down again.
bool HumanPicksCardToMove(Game& g, int slot);
bool HumanChoosesMoveTarget(Game& g, int slot);
bool HumanPutsPickedCardDown(Game& g);
// Ends the turn after drawing (a picked card goes back down first).
bool HumanPassesAfterDrawing(Game& g);
// Names the suit after his wild card, from the icons offered.
bool HumanNamesSuit(Game& g, int suit);

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
