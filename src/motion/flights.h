// Card flights: every card that moves travels in a straight line, one step per frame,
// until it is within a few pixels of its target.
#pragma once

#include "core/game.h"

namespace tarrabel {

void StartCardFlight(Game& g, CardRecord& card, float targetX, float targetY, int frames);
// The usual launch: the flight takes FlightFrames frames.
void StartCardFlight(Game& g, CardRecord& card, int targetX, int targetY);

// Launches with a flip sound unless another card is moving; answers whether it launched.
bool FlyCardIfIdle(Game& g, CardRecord& card, int x, int y);
bool FlyCardToSeat(Game& g, CardRecord& card, int player);
bool FlyCardToSeatSlot(Game& g, int slot, CardRecord& card, int player);
bool FlyCardToDeck(Game& g, CardRecord& card);
bool FlyPlayedCardToPile(Game& g, CardRecord& card);
bool FlyStarterCardToPile(Game& g, CardRecord& card);
// Sends the cards under the top of the pile flying back to the deck; answers how many.
int StartPileReturnFlight(Game& g);

// One step of a card's flight; the landing is the rules' business (StepCard in rules/play.h).
void AdvanceCard(CardRecord& card);
bool HasArrived(const Game& g, const CardRecord& card);

void PlayFlipSound(Game& g);
void PlaySignSound(Game& g);

}  // namespace tarrabel
