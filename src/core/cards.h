// Card identities, the card record and the variant settings of the five games.
//
// A card is named everywhere by its card index (0 to 110), which selects an entry of the
// card tables: picture file, rank and suit. The first 52 indexes are one French pack, four
// per rank from the Ace up (clubs, diamonds, hearts, spades in that order, as in the picture
// names). What follows depends on the game: two jokers and a repeat of the pack, or a whole
// second pack for the two-pack games.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tarrabel {

// Suit codes. Black suits are clubs and spades, red ones hearts and diamonds.
enum Suit : int32_t { kClubs = 0, kHearts = 1, kSpades = 2, kDiamonds = 3, kNoSuit = 4 };

// Ranks: 1 Ace, 2..10, 11 Jack, 12 Queen, 13 King, 15 joker. -1 in a rank setting means
// that the variant has no such card.
inline constexpr int16_t kAce = 1;
inline constexpr int16_t kJack = 11;
inline constexpr int16_t kQueen = 12;
inline constexpr int16_t kKing = 13;
inline constexpr int16_t kJoker = 15;
inline constexpr int16_t kNoRank = -1;

inline constexpr int kCardTableSize = 111;  // card indexes 0..110
inline constexpr int kDeckRecords = 111;
inline constexpr int kPileRecords = 111;
inline constexpr int kHandSlots = 55;     // slots 0..54 of a hand
inline constexpr int kReturnFlying = 11;  // records for the pile cards flying back (up to ten)
inline constexpr int kSeats = 4;          // 0 human (bottom), 1 right, 2 top, 3 left
inline constexpr int kHuman = 0;

enum class GameVariant : int32_t {
    Tarrabel = 0,
    HuitAmericain = 1,
    Agonia = 2,
    IllustratedAgonia = 3,
    PisYedili = 4,
};
inline constexpr int kVariantCount = 5;

inline constexpr std::array<std::string_view, kVariantCount> kVariantNames = {
    "Tarrabel", "Huit Americain", "Agonia", "Illustrated Agonia", "Pis Yedili"};

constexpr std::string_view VariantName(GameVariant v) {
    return kVariantNames[int(v)];
}

// Whether a wild card may go on a wild card.
enum class WildOnWild : uint8_t {
    Allowed,
    InSuit,  // only in the suit to follow (Pis Yedili's Jack on a Jack)
    Never,   // never (Illustrated Agonia's Ace on an Ace)
};

// The powers of the ranks in each game (-1: the game has no such card) and the few ways
// its play differs. What a card does at the table is worked out from this row alone
// (core/card_power.h).
struct VariantSettings {
    int16_t DeckSize;
    int16_t HandSize;
    int16_t WildRank;            // played on anything; its player names the suit
    WildOnWild WildOnWildRule;   // ... but on a wild card only as this says
    int16_t ReverseRank;         // reverses the direction of play
    int32_t ReverseSuit;         // only this suit reverses (kNoSuit: every suit does)
    int16_t SkipRank;            // the next player loses his turn
    int16_t DrawTwoChainRank;    // next takes two or answers with the same rank
    int16_t DrawThreeChainRank;  // the same with three
    int16_t TakeTwoRank;         // next takes two and loses his turn
    int16_t SpadeTakeTwoCards;   // what the take-two card of spades makes him take
    int16_t TakeFiveRank;        // next takes five (the joker)
    int16_t TakeElevenRank;      // a black one: next takes eleven unless he answers with a red one
    int16_t PlayAgainRank;       // the same player plays again
    bool StartReversed;          // direction at the start of every deal
    bool TurnsStarter;           // a starter card opens the pile (else the first player does)
    int16_t DrawsPerTurn;        // cards a player may draw in a turn before he must pass
    bool GoingOutPenalty;        // the player before the first one out takes his last run's points
    bool Eliminates;             // a total above the target puts a player out, not the match over
    int16_t TargetScore;         // a total above this ends the match (or puts a player out)
};

// In Huit Americain only the Ace of spades reverses, and the 2 of spades makes the next
// player take four.
// clang-format off
//                           Deck  Hand  Wild           WildOnWild  Rev  RevSuit  Skip  C2  C3  T2  T2S  T5  T11  Again  Reversed  Starter  Draws  GoingOut   Elim  Target
inline constexpr std::array<VariantSettings, kVariantCount> kVariantSettings = {{
    /* Tarrabel           */ {  52,    5,    8, WildOnWild::Allowed,   1, kNoSuit,   12,  2, -1, -1,  -1, -1,  -1,    -1,     true,    true,     1,    false, false,    100},
    /* Huit Americain     */ {  54,    8,    8, WildOnWild::Allowed,   1, kSpades,   11, -1, -1,  2,   4, 15,  -1,    -1,     true,    true,     1,    false, false,    500},
    /* Agonia             */ {  52,    7,    1, WildOnWild::Allowed,  -1, kNoSuit,    9,  7, -1, -1,  -1, -1,  -1,     8,    false,    true,     1,    false, false,    100},
    /* Illustrated Agonia */ { 104,    7,    1,   WildOnWild::Never,  12, kNoSuit,    9,  7, -1,  2,   2, -1,  11,     8,    false,    true,     1,    false, false,    100},
    /* Pis Yedili         */ { 104,    7,   11,  WildOnWild::InSuit,  10, kNoSuit,   -1, -1,  7, -1,  -1, -1,  -1,     1,     true,   false,     3,     true,  true,    500},
}};

// One pack, in card index order: four cards per rank from the Ace up, suits C, D, H, S.
inline constexpr std::array<std::string_view, 52> kPackFileNames = {
    "AC.BMP",  "AD.BMP",  "AH.BMP",  "AS.BMP",
    "2C.BMP",  "2D.BMP",  "2H.BMP",  "2S.BMP",
    "3C.BMP",  "3D.BMP",  "3H.BMP",  "3S.BMP",
    "4C.BMP",  "4D.BMP",  "4H.BMP",  "4S.BMP",
    "5C.BMP",  "5D.BMP",  "5H.BMP",  "5S.BMP",
    "6C.BMP",  "6D.BMP",  "6H.BMP",  "6S.BMP",
    "7C.BMP",  "7D.BMP",  "7H.BMP",  "7S.BMP",
    "8C.BMP",  "8D.BMP",  "8H.BMP",  "8S.BMP",
    "9C.BMP",  "9D.BMP",  "9H.BMP",  "9S.BMP",
    "10C.BMP", "10D.BMP", "10H.BMP", "10S.BMP",
    "JC.BMP",  "JD.BMP",  "JH.BMP",  "JS.BMP",
    "QC.BMP",  "QD.BMP",  "QH.BMP",  "QS.BMP",
    "KC.BMP",  "KD.BMP",  "KH.BMP",  "KS.BMP",
};
// clang-format on

inline constexpr std::array<std::string_view, 2> kJokerFileNames = {"S_joker.BMP", "S_joker2.BMP"};

// The suit icons offered after a wild card, by suit code, and the pass announcement.
inline constexpr std::array<std::string_view, 4> kSuitFileNames = {"CLUBS.BMP", "HEARTS.BMP",
                                                                   "SPADES.BMP", "DIAMONDS.BMP"};
inline constexpr std::string_view kPassFileName = "PASS.BMP";

// Reads the rank and suit out of a picture name: the first character gives the rank
// ("1" stands for the Ten), the second the suit, and a third suit letter overrides it
// (that is what gives the Tens their suit).
constexpr int16_t RankFromFileName(std::string_view name) {
    switch (name[0]) {
        case 'S':
            return kJoker;
        case 'J':
            return kJack;
        case 'Q':
            return kQueen;
        case 'K':
            return kKing;
        case 'A':
            return kAce;
        case '1':
            return 10;
        default:
            return int16_t(name[0] - '0');
    }
}

constexpr int32_t SuitLetter(char c) {
    switch (c) {
        case 'D':
            return kDiamonds;
        case 'S':
            return kSpades;
        case 'C':
            return kClubs;
        case 'H':
            return kHearts;
        case '_':
            return kNoSuit;
        default:
            return -1;
    }
}

constexpr int32_t SuitFromFileName(std::string_view name) {
    int32_t suit = SuitLetter(name[1]);
    if (name.size() > 2 && SuitLetter(name[2]) >= 0 && name[2] != '_') suit = SuitLetter(name[2]);
    return suit < 0 ? kNoSuit : suit;
}

// The three parallel card tables for one game.
struct CardTables {
    std::array<std::string_view, kCardTableSize> FileName{};
    std::array<int16_t, kCardTableSize> Rank{};
    std::array<int32_t, kCardTableSize> Suit{};
};

constexpr CardTables MakeCardTables(bool twoPacks) {
    CardTables t{};
    for (int i = 0; i < 52; ++i)
        t.FileName[i] = kPackFileNames[i];
    if (twoPacks) {
        for (int i = 0; i < 52; ++i)
            t.FileName[52 + i] = kPackFileNames[i];
    } else {
        t.FileName[52] = kJokerFileNames[0];
        t.FileName[53] = kJokerFileNames[1];
        for (int i = 0; i < 52; ++i)
            t.FileName[54 + i] = kPackFileNames[i];
    }
    for (int i = 0; i < kCardTableSize; ++i) {
        if (t.FileName[i].empty()) {
            t.Rank[i] = kNoRank;
            t.Suit[i] = kNoSuit;
            continue;
        }
        t.Rank[i] = RankFromFileName(t.FileName[i]);
        t.Suit[i] = SuitFromFileName(t.FileName[i]);
    }
    return t;
}

inline constexpr CardTables kJokerCardTables = MakeCardTables(false);  // Tarrabel, Huit, Agonia
inline constexpr CardTables kTwoPackCardTables =
    MakeCardTables(true);  // Illustrated Agonia, Pis Yedili

constexpr const CardTables& CardTablesFor(GameVariant v) {
    return (v == GameVariant::IllustratedAgonia || v == GameVariant::PisYedili) ? kTwoPackCardTables
                                                                                : kJokerCardTables;
}

constexpr bool IsBlackSuit(int32_t suit) {
    return suit == kClubs || suit == kSpades;
}
constexpr bool IsRedSuit(int32_t suit) {
    return suit == kHearts || suit == kDiamonds;
}

// One card picture on the table: which card it is, where it rests and how it flies.
struct CardRecord {
    float X = 0, Y = 0;  // top-left corner, table pixels
    int16_t CardIndex = 0;
    bool Shown = false;  // drawn; in a hand: the slot is occupied
    bool FaceUp = false;
    bool Moving = false;             // in flight
    float TargetX = 0, TargetY = 0;  // end point of the flight
    bool MoveSource = false;         // the human's marks for moving a card within his hand
    bool MoveTarget = false;
    float StepX = 0, StepY = 0;    // distance per frame, never negative
    int16_t DirX = 0, DirY = 0;    // sign of the travel along each axis
    int16_t HomeX = 0, HomeY = 0;  // the slot's layout position
    int16_t SizeX = 0, SizeY = 0;  // picture size for hit tests
    int16_t PileSlot = 0;          // table slot the card was played toward
    float AiScore = 0;             // scratch score of the computer player's choice
};

struct PlayerRecord {
    int32_t LastNamedSuit = kNoSuit;  // suit named with his last play, if it was a wild card
    bool Eliminated = false;          // out of the match (Pis Yedili)
};

}  // namespace tarrabel
