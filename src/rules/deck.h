// The deck, the discard pile and the hands: shuffling, the stacked look of the deck, and the
// bookkeeping that hands a card from one array to another when its flight lands.
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tarrabel {

// Card tables and variant settings for the chosen game.
void BuildCardTables(Game& g);

// Puts the cards 0 .. DeckSize - 1 into the deck in random order.
void Shuffle(Game& g);

// Fans the next undrawn cards out as a stack at the deck's place.
void LayoutDeckStack(Game& g);

// First empty slot of a hand, or -1 when all 55 are taken.
int16_t FirstFreeSlot(const Game& g, int player);

void AddToPile(Game& g, const CardRecord& card);
void DealIntoHand(Game& g, const CardRecord& card);
void DrawIntoHand(Game& g, const CardRecord& card, int player, int slot);
void ParkCard(CardRecord& card);
void RecountHand(Game& g, CardRecord& card);

// Buries a wild starter card at least five cards deep in the undrawn deck.
void ReturnStarterToDeck(Game& g);

// After a card has left the deck: when the deck is used up and the pile has cards to give,
// the pile starts flying back to become the deck ("RECREATE DECK").
void StartRebuildIfDeckEmpty(Game& g);

// Turns every pile card but the top one into a new shuffled deck.
void RebuildDeck(Game& g);

bool DeckIsEmpty(const Game& g);
// The deck is empty and the pile holds nothing to rebuild it from.
bool DeckCannotRefill(const Game& g);

}  // namespace tarrabel
