// The rules of the five games: what each landed card means and when a deal is over.
#pragma once

#include "core/game.h"

namespace tarrabel {

// Every flight ends here: when the card is within the arrival tolerance of its target it
// stops, and the branch of the current state decides what the landing means.
void OnCardArrived(Game& g, CardRecord& card);

// One step of a card's flight, then the arrival test and landing.
void StepCard(Game& g, CardRecord& card);

// Applies the power of the card on top of the pile.
void ResolvePlayedCard(Game& g);

// A penalty has been drawn in full (or no more cards can be drawn): who plays next.
void FinishPenalty(Game& g);

// True when the deal is over or the going-out penalty of Pis Yedili has begun.
bool EndOfHandCheck(Game& g);

bool HoldsDrawTwoChain(const Game& g, int player);
bool HoldsDrawThreeChain(const Game& g, int player);
bool HoldsRedJack(const Game& g, int player);

// An open penalty is waiting for the next player (a chain card or a black Jack on top).
bool ChainIsOpenAgainst(const Game& g, int player);

}  // namespace tarrabel
