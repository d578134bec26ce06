// What a card does when it is played: the one description of the special cards that the
// table, the computer players and the expert's imagined deals all apply.
//
// PowerOf reads a game's settings row and names the card's power: it reverses the
// direction, skips the next player, opens or extends a penalty the next player may answer,
// makes him take a fixed number of cards, cancels the eleven cards of a black Jack, lets
// its player name a suit or play again. ResolvePlay then carries the power out on any
// table that can answer a few questions and make a few moves (the real Game, an imagined
// deal), and says what the players must do next.
#pragma once

#include <array>
#include <cstdint>

#include "core/cards.h"

namespace tarrabel {

// Nine bytes on purpose: the expert's imagined deals look one up at every card played.
struct CardPower {
    bool Reverses = false;     // the direction of play turns round
    bool Skips = false;        // the next player loses his turn
    int8_t Penalty = 0;        // cards the next player is to take (0: none)
    bool PenaltyAdds = false;  // a chain card: its cards add to the penalty already open
    // The card that answers the penalty and passes it on (kNoRank: none; the next player
    // takes the cards and loses his turn). A red one only for the black Jack's eleven.
    int8_t AnswerRank = kNoRank;
    bool AnswerRedOnly = false;
    bool CancelsEleven = false;  // a red Jack: on a black one, the eleven cards are off
    bool NamesSuit = false;      // a wild card: its player names the suit to follow
    bool PlaysAgain = false;     // its player plays again

    constexpr bool IsPenalty() const { return Penalty > 0; }
    constexpr bool CanBeAnswered() const { return AnswerRank != kNoRank; }
    constexpr bool IsElevenCards() const { return AnswerRedOnly; }  // the black Jack's
};

// The power of a card of `rank` and `suit` played in the game of settings `v`.
constexpr CardPower PowerOf(const VariantSettings& v, int16_t rank, int32_t suit) {
    CardPower p;
    if (rank == kNoRank) return p;
    if (rank == v.ReverseRank && (v.ReverseSuit == kNoSuit || suit == v.ReverseSuit)) {
        p.Reverses = true;
    } else if (rank == v.SkipRank) {
        p.Skips = true;
    } else if (rank == v.DrawTwoChainRank || rank == v.DrawThreeChainRank) {
        p.Penalty = rank == v.DrawTwoChainRank ? 2 : 3;
        p.PenaltyAdds = true;
        p.AnswerRank = int8_t(rank);
    } else if (rank == v.TakeTwoRank) {
        p.Penalty = int8_t(suit == kSpades ? v.SpadeTakeTwoCards : 2);
    } else if (rank == v.TakeFiveRank) {
        p.Penalty = 5;
    } else if (rank == v.TakeElevenRank && IsBlackSuit(suit)) {
        p.Penalty = 11;
        p.AnswerRank = int8_t(rank);
        p.AnswerRedOnly = true;
    } else {
        p.CancelsEleven = rank == v.TakeElevenRank && IsRedSuit(suit);
        p.NamesSuit = rank == v.WildRank;
        p.PlaysAgain = !p.NamesSuit && rank == v.PlayAgainRank;
    }
    return p;
}

// Every card's power in every game, worked out once from the settings table: the rules ask
// for it at every card played, and the expert's imagined deals millions of times a second.
struct CardPowerTable {
    std::array<std::array<std::array<CardPower, kNoSuit + 1>, kJoker + 1>, kVariantCount> At{};
};

constexpr CardPowerTable MakeCardPowerTable() {
    CardPowerTable t;
    for (int game = 0; game < kVariantCount; ++game)
        for (int16_t rank = 0; rank <= kJoker; ++rank)
            for (int32_t suit = 0; suit <= kNoSuit; ++suit)
                t.At[game][rank][suit] = PowerOf(kVariantSettings[game], rank, suit);
    return t;
}

inline constexpr CardPowerTable kCardPowers = MakeCardPowerTable();

// The power of a card of `rank` and `suit` in `game` (no power for kNoRank).
constexpr CardPower PowerOf(GameVariant game, int16_t rank, int32_t suit) {
    return rank < 0 ? CardPower{} : kCardPowers.At[int(game)][rank][suit];
}

// Whether a card of `rank` and `suit` answers the penalty that `power` opened.
constexpr bool Answers(const CardPower& power, int16_t rank, int32_t suit) {
    return power.CanBeAnswered() && rank == power.AnswerRank &&
           (!power.AnswerRedOnly || IsRedSuit(suit));
}

// Whether `seat` holds a card that answers `power`. Table: anything with Card(seat, slot)
// (-1 for an empty slot), SlotEnd(seat), RankOf(card) and SuitOf(card).
template <class Table>
bool HoldsAnswer(const Table& t, int seat, const CardPower& power) {
    if (!power.CanBeAnswered()) return false;
    for (int s = 0; s < t.SlotEnd(seat); ++s) {
        const int c = t.Card(seat, s);
        if (c >= 0 && Answers(power, t.RankOf(c), t.SuitOf(c))) return true;
    }
    return false;
}

// What the players must do after a card has been played and its power carried out.
enum class PlayOutcome : uint8_t {
    NextTurn,         // the next player's turn, as the power left the order of play
    TakeThenPlay,     // the next player has no answer: he takes the penalty, then plays
    TakeAndLoseTurn,  // the next player takes the cards and loses his turn
    NameSuit,         // the player of the wild card names the suit (he is current again)
    DealDecided,      // someone went out: the deal is over, or its going-out penalty began
};

// Carries out the power of the card just played, on top of the pile. Table: anything with
//   PlayedPower()       the CardPower of the top card
//   PowerUnder()        the CardPower of the card under it (none on a pile of one)
//   DealIsOver()        whether someone has gone out; if so it ends the deal (or, in Pis
//                       Yedili, starts the going-out penalty) and answers true
//   ForgetNamedSuit()   the current player's last named suit no longer stands
//   ReverseDirection(), NextPlayer(), PreviousPlayer()   the order of play
//   NextHoldsAnswer(power)   whether the player after the current one can answer it
//   PenaltyCards(), PenaltyTaken()   the open penalty, by reference
//
// A turn passes to the next player before the rules look at the card, so the moves here
// are relative to that: a skip moves on once more, a wild card or a play-again card steps
// back to the player who played it.
template <class Table>
PlayOutcome ResolvePlay(Table& t) {
    const CardPower p = t.PlayedPower();
    // A player who goes out with a penalty card is seen to be out once the penalty has
    // been answered or drawn.
    if (!p.IsPenalty() && t.DealIsOver()) return PlayOutcome::DealDecided;
    if (!p.NamesSuit) t.ForgetNamedSuit();
    if (p.Reverses) {
        t.ReverseDirection();
        return PlayOutcome::NextTurn;
    }
    if (p.Skips) {
        t.NextPlayer();
        return PlayOutcome::NextTurn;
    }
    if (p.CanBeAnswered()) {
        // The penalty waits for the next player's answer; with none in his hand he takes
        // it at once.
        const bool answerable = t.NextHoldsAnswer(p);
        t.PenaltyCards() = int16_t(p.PenaltyAdds ? t.PenaltyCards() + p.Penalty : p.Penalty);
        t.PenaltyTaken() = false;
        return answerable ? PlayOutcome::NextTurn : PlayOutcome::TakeThenPlay;
    }
    if (p.IsPenalty()) {
        t.PenaltyCards() = p.Penalty;
        return PlayOutcome::TakeAndLoseTurn;
    }
    if (p.CancelsEleven && t.PowerUnder().IsElevenCards()) t.PenaltyCards() = 0;
    if (p.NamesSuit) {
        t.PreviousPlayer();
        return PlayOutcome::NameSuit;
    }
    if (p.PlaysAgain) t.PreviousPlayer();
    return PlayOutcome::NextTurn;
}

}  // namespace tarrabel
