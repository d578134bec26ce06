// The expert computer player: for every card he could play (or suit he could name), he
// imagines many deals that agree with what he knows, plays each of them out to the end
// with every seat making the standard choice, and takes the one that does best for his
// match on average. He knows only what a person in his seat could know.
#pragma once

#include <array>
#include <cstdint>

#include "core/game.h"

namespace tarrabel {

// How hard the expert thinks: deals imagined per decision, shared among the candidates.
struct ExpertEffort {
    int PlayoutBudget = 240;  // imagined deals played out per decision, in all
    int MinDeals = 12;        // per candidate, however many candidates there are
    int MaxDeals = 48;
    int MaxSteps = 700;  // a deal not over by then is scored as it stands
};
inline constexpr ExpertEffort kExpertEffort{};

// Whether the expert in CurrentPlayer's seat plays now or draws. He may play a red Jack
// with seven or more cards in hand, if that is better than drawing.
bool ExpertHasPlayableCard(const Game& g);

// The hand slot the expert plays. `allowed` (may be null) limits the choice to the slots a
// click of the person's may play, when the expert plays the person's seat.
int16_t ExpertChooseCard(const Game& g, const std::array<bool, kHandSlots>* allowed,
                         const ExpertEffort& effort = kExpertEffort);

// The suit the expert names after his wild card (not stored anywhere).
int ExpertChooseSuit(const Game& g, const ExpertEffort& effort = kExpertEffort);

}  // namespace tarrabel
