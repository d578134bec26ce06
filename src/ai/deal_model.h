// A deal imagined by the expert: the rules of the five games on compact hands, with no
// flights, pauses or frames, so that a deal can be played out to its end in microseconds.
//
// It follows the table's own turn order and landings step by step (who draws when, which
// penalty goes to whom, when the pile becomes the deck again), and every seat in it plays
// the standard computer player's choices through the very same code as at the table.
#pragma once

#include <array>
#include <cstdint>

#include "core/game.h"

namespace tarrabel {

// Where an imagined deal stands; the names are the table's states that it models.
enum class ModelPhase : uint8_t {
    TurnStart,              // "NORMAL PLAY": the next player's turn begins
    DrawingForWant,         // "DEAL ONE": the current player draws because he cannot play
    TakingPenaltyAndSkip,   // the player after the current one takes the penalty, loses his turn
    TakingPenaltyThenPlay,  // ... takes it and then plays
    DrawingByChoice,        // the person draws from the deck by choice and goes on
    PersonTurn,             // the person goes on with his turn after that draw
    ChoosingSuit,           // the player who played a wild card names the suit
    Over,                   // "END OF MATCH": the deal is scored
};

struct ImaginedDeal {
    GameVariant Which = GameVariant::Tarrabel;
    VariantSettings Settings{};
    SplitMix64 Rng;  // rebuilt decks and random suits; copied with the deal
    const CardTables* Cards = nullptr;

    std::array<std::array<int16_t, kHandSlots>, kSeats> Hand{};  // card index or -1
    std::array<int16_t, kSeats> HandCount{};
    std::array<int16_t, kSeats> HandEnd{};  // one past the highest slot in use
    std::array<int16_t, kDeckRecords> Deck{};
    int16_t DeckPos = 0;
    std::array<int16_t, kPileRecords> Pile{};
    int16_t PileCount = 0;

    ModelPhase Phase = ModelPhase::TurnStart;
    int16_t Current = 0;
    bool Reversed = false;
    int32_t ChosenSuit = 0;
    int16_t PenaltyCards = 0;
    bool PenaltyWasTaken = false;
    bool GoingOutPending = false;
    int16_t LastPlayer = -1;
    int16_t RunPoints = 0;
    std::array<int16_t, kSeats> RunPointsOf{};
    std::array<int32_t, kSeats> LastNamed{};
    std::array<bool, kSeats> Eliminated{};
    int16_t DrawCount = 0;
    bool DrawDone = false;
    bool PersonDrew = false;  // the person drew by choice in this turn

    // For tests: every card played, suit named and card drawn, in order, as (seat, card),
    // (seat, -1 - suit) and (seat, -300 - how: 0 unable to play, 1 by choice, 2 penalty);
    // a suit drawn at random is logged as (seat, -100), a rebuilt deck as (-1, -200).
    struct Event {
        int16_t Seat, What;
    };
    std::array<Event, 512>* Log = nullptr;
    int16_t LogCount = 0;

    // ---- the table's questions, for the standard player's choices ----
    const VariantSettings& Rules() const { return Settings; }
    GameVariant Variant() const { return Which; }
    int16_t RankOf(int card) const { return Cards->Rank[card]; }
    int32_t SuitOf(int card) const { return Cards->Suit[card]; }
    int Card(int seat, int slot) const { return Hand[seat][slot]; }
    int SlotEnd(int seat) const { return HandEnd[seat]; }
    int16_t TopRank() const { return PileCount > 0 ? RankOf(Pile[PileCount - 1]) : kNoRank; }
    int32_t TopSuit() const { return PileCount > 0 ? SuitOf(Pile[PileCount - 1]) : kClubs; }
    int32_t Follow() const;
    int16_t Count(int seat) const { return HandCount[seat]; }
    int16_t After(int seat) const { return Neighbour(seat, !Reversed); }
    int16_t Before(int seat) const { return Neighbour(seat, Reversed); }
    int32_t NamedSuit(int seat) const { return LastNamed[seat]; }
    bool PenaltyTaken() const { return PenaltyWasTaken; }

    // ---- moves ----
    // The current player plays the card in `slot` (it lands and is resolved).
    void PlayCard(int slot);
    // The current player, who played a wild card, names `suit`.
    void NameSuit(int suit);
    // The current player draws instead of playing (he held no card he wanted to play).
    void DrawInstead() { Phase = ModelPhase::DrawingForWant; }
    // One step of the deal with every seat making the standard choice.
    void Step();
    // Steps until the deal is over or `maxSteps` steps have passed. Answers the work done:
    // the steps, weighted by the size of the hands played from.
    int PlayOut(int maxSteps);

    // The points left in each hand: what the deal costs each seat.
    std::array<int16_t, kSeats> HandPoints() const;
    // The first slot holding no card.
    int FirstFreeSlot(int seat) const;
    // Puts a card into a slot (used when the deal is set up).
    void Give(int seat, int slot, int card);

  private:
    int16_t Neighbour(int seat, bool forward) const;
    void Next() { Current = After(Current); }
    void Previous() { Current = Before(Current); }
    void TakeFromHand(int seat, int slot);
    struct PowerOnDeal;  // what the shared rules see of the deal
    void Resolve();
    bool EndDealIfSomeoneIsOut();
    void FinishPenalty();
    void DrawStep();
    void NoCardToDraw();
    void Pass();
    void PersonMoves();
    void Rebuild();
    bool DeckEmpty() const { return DeckPos >= Settings.DeckSize; }
    void Note(int16_t seat, int16_t what) {
        if (Log && LogCount < int(Log->size())) (*Log)[LogCount++] = {seat, what};
    }
};

// The deal's settings and every public variable of the table (turn, direction, suit in
// force, penalties, runs, named suits, eliminations, draws); no cards.
void CopyTableState(const Game& g, ImaginedDeal& d);

// The imagined copy of a real table, seeing everything: for tests that hold the model to
// the table's rules.
ImaginedDeal ImagineFromTable(const Game& g);

}  // namespace tarrabel
