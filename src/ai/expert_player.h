// The expert computer player: for every card he could play (or suit he could name), he
// imagines many deals that agree with what he knows, plays each of them out to the end
// with every seat making the standard choice, and takes the one that does best for his
// match on average. He knows only what a person in his seat could know.
#pragma once

#include <array>
#include <cstdint>

#include "core/cards.h"
#include "core/game.h"

namespace tarrabel {

// How hard the expert thinks. He imagines deals until the work of imagining them (steps
// of play, and a share for dealing each one out) reaches the budget, which bounds the time
// of a decision whatever the position: the games with long deals and big hands get fewer
// steps, so that no decision takes more than about two milliseconds.
struct ExpertEffort {
    // clang-format off
    //                                         Tarrabel  Huit  Agonia  Illustrated  Pis Yedili
    std::array<long, kVariantCount> StepBudget{ 26'000, 21'000, 20'000,   21'000,     23'000};
    // Standard errors by which a move must beat the standard one before he leaves it: one
    // won more matches than 1.5 in three games, fewer in Huit Americain and Agonia.
    std::array<double, kVariantCount> Doubt{       1.0,    1.5,    1.5,      1.0,        1.0};
    // clang-format on
    int MinDeals = 8;  // deals imagined before any candidate is dropped
    int MaxDeals = 600;
    // An imagined deal not over by then is scored as it stands, by the cards left in the
    // hands: a shorter look ahead buys more imagined deals, which pays in every game.
    int MaxSteps = 100;
    int DealingCost = 40;  // steps a dealing-out counts for
    int RedealCost = 10;   // ... and one hand dealt again, not fitting its player's choices
    double DropAt = 2.0;   // standard errors below the standard move that drop a candidate
    // The thinking is shared between two parts, one a core, each with the budget above and
    // its own imagined deals (1: one part, half the thinking); a part imagines this many
    // deals a round before the candidates are weighed again.
    int Parts = 2;
    int DealsPerRound = 2;
};
inline constexpr ExpertEffort kExpertEffort{};

// Whether the expert in CurrentPlayer's seat plays now or draws. He may play a red Jack
// with seven or more cards in hand, if that is better than drawing.
bool ExpertHasPlayableCard(const Game& g);

// The hand slot the expert plays. `allowed` (may be null) limits the choice to the slots a
// click of the person's may play, when the expert plays the person's seat.
int16_t ExpertChooseCard(const Game& g, const std::array<bool, kHandSlots>* allowed,
                         const ExpertEffort& effort = kExpertEffort);

// How many different cards the expert chooses among at this turn (1: no choice to make).
int ExpertCandidateCount(const Game& g, const std::array<bool, kHandSlots>* allowed);

// The suit the expert names after his wild card (not stored anywhere).
int ExpertChooseSuit(const Game& g, const ExpertEffort& effort = kExpertEffort);

}  // namespace tarrabel
