// The rules of the five games at the table: what each landed card means and when a deal is
// over. What a card does is described once in core/card_power.h; this applies it to the
// table's Game, with its flights and pauses, and reports what happened (core/deal_flow.h).
#pragma once

#include "core/card_power.h"
#include "core/game.h"

namespace tarrabel {

// Every flight ends here: when the card is within the arrival tolerance of its target it
// stops, and the branch of the current state decides what the landing means.
void OnCardArrived(Game& g, CardRecord& card);

// One step of a card's flight, then the arrival test and landing.
void StepCard(Game& g, CardRecord& card);

// Carries out the power of the card on top of the pile.
void ResolvePlayedCard(Game& g);

// A penalty has been drawn in full (or no more cards can be drawn): who plays next.
void FinishPenalty(Game& g);

// When a player still in the match has no cards left, ends the deal (scores it) or, in Pis
// Yedili, starts the going-out penalty, and answers true.
bool EndDealIfSomeoneIsOut(Game& g);

// The power of the card on top of the pile.
CardPower TopCardPower(const Game& g);

// An open penalty is waiting for `player`, and he holds a card that answers it (a chain
// card on a chain card, a red Jack on a black Jack).
bool ChainIsOpenAgainst(const Game& g, int player);

}  // namespace tarrabel
