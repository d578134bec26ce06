// A card table for tests: a fresh game with a virtual clock, a seeded generator and a
// sound recorder, and helpers to lay out exactly the hands and pile a case needs.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/card_census.h"
#include "core/game.h"
#include "core/services.h"
#include "rules/setup.h"
#include "session/game_init.h"

namespace tarrabel::test {

class RecordingSound final : public SoundSink {
  public:
    void Play(SoundId id) override { played.push_back(id); }
    std::vector<SoundId> played;
};

class RecordingTrace final : public TraceSink {
  public:
    void Event(const Game&, const TraceEvent& ev) override { events.push_back(ev); }
    std::vector<TraceEvent> events;
};

// Card index of a card by rank (1..13) and suit code, in the first pack.
inline int16_t CardOf(int rank, int32_t suit) {
    // Picture order within a rank is C, D, H, S; suit codes are clubs 0, hearts 1,
    // spades 2, diamonds 3.
    static constexpr int kOrder[4] = {0, 2, 3, 1};
    return int16_t(4 * (rank - 1) + kOrder[suit]);
}
// The five games, for suites run once per game.
inline constexpr std::array<GameVariant, kVariantCount> kAllVariants = {
    GameVariant::Tarrabel, GameVariant::HuitAmericain, GameVariant::Agonia,
    GameVariant::IllustratedAgonia, GameVariant::PisYedili};

// Pieces of test names, which take letters, digits and underscores only.
inline std::string NameOf(GameVariant v) {
    std::string name;
    for (char c : VariantName(v))
        if (c != ' ') name += c;
    return name;
}

// "SixOfClubs" for CardOf(6, kClubs) (a card of the second pack is named like its twin).
inline std::string CardName(int16_t card) {
    static constexpr const char* kRankNames[13] = {"Ace",  "Two",   "Three", "Four", "Five",
                                                   "Six",  "Seven", "Eight", "Nine", "Ten",
                                                   "Jack", "Queen", "King"};
    // Picture order within a rank: clubs, diamonds, hearts, spades.
    static constexpr const char* kSuitNames[4] = {"Clubs", "Diamonds", "Hearts", "Spades"};
    const int i = card % 52;
    return std::string(kRankNames[i / 4]) + "Of" + kSuitNames[i % 4];
}

// "SELECT TRUMPS" becomes "SelectTrumps".
inline std::string NameOf(GameState s) {
    std::string name;
    bool upper = true;
    for (char c : StateName(s)) {
        if (c == ' ') {
            upper = true;
            continue;
        }
        name += upper ? c : char(c - 'A' + 'a');
        upper = false;
    }
    return name;
}

inline constexpr int16_t kJoker1 = 52;  // Huit Americain's jokers
inline constexpr int16_t kJoker2 = 53;

struct Table {
    VirtualClock clock;
    SeededRandom rng{1};
    RecordingSound sound;
    RecordingTrace trace;
    std::unique_ptr<Game> game = std::make_unique<Game>();
    Game& g = *game;

    explicit Table(GameVariant v = GameVariant::Tarrabel, uint64_t seed = 1) {
        rng.Seed(seed);
        GameInit(g, DefaultOptions(v), Services{&clock, &rng, &sound, &trace});
    }

    // Empties every hand and the pile, and puts the whole deck back undrawn, so that a
    // test can place exactly the cards it wants. Cards placed in hands or on the pile are
    // taken out of the deck so that every card is still in one place.
    void ClearTable() {
        for (auto& hand : g.Hands)
            for (auto& c : hand) {
                c.Shown = false;
                c.Moving = false;
            }
        g.HandCount.fill(0);
        g.PileCount = 0;
        g.DeckPos = 0;
        for (int p = 0; p < g.Rules.DeckSize; ++p) {
            g.DeckOrder[p] = int16_t(p);
            g.Deck[p].CardIndex = int16_t(p);
            g.Deck[p].Moving = false;
        }
    }

    // Puts cards into a seat's hand from slot 0 on.
    void GiveHand(int seat, std::initializer_list<int16_t> cards) {
        int slot = 0;
        for (int16_t card : cards) {
            while (g.Hands[seat][slot].Shown)
                ++slot;
            CardRecord& c = g.Hands[seat][slot];
            c.CardIndex = card;
            c.Shown = true;
            c.FaceUp = seat == kHuman;
            c.X = c.HomeX;
            c.Y = c.HomeY;
            ++g.HandCount[seat];
            RemoveFromDeck(card);
        }
    }

    // Puts cards on the pile, oldest first (the last one is the top card).
    void SetPile(std::initializer_list<int16_t> cards) {
        for (int16_t card : cards) {
            CardRecord& p = g.Pile[g.PileCount++];
            p.CardIndex = card;
            p.Shown = true;
            p.FaceUp = true;
            RemoveFromDeck(card);
        }
    }

    // Keeps the undrawn deck free of cards that a test placed elsewhere, by moving them to
    // the drawn part at the front.
    void RemoveFromDeck(int16_t card) {
        for (int p = g.DeckPos; p < g.Rules.DeckSize; ++p) {
            if (g.DeckOrder[p] != card) continue;
            std::swap(g.DeckOrder[p], g.DeckOrder[g.DeckPos]);
            g.Deck[p].CardIndex = g.DeckOrder[p];
            g.Deck[g.DeckPos].CardIndex = g.DeckOrder[g.DeckPos];
            ++g.DeckPos;
            return;
        }
    }

    bool CardsAllAccountedFor(std::string* why = nullptr) const {
        return CheckCardInvariant(g, why);
    }
};

}  // namespace tarrabel::test
