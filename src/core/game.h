// The whole state of one game at the card table, in one plain struct.
//
// Everything a deal needs lives here: the options, the card tables, the deck, pile and hands,
// the state machine's variables, the rules' variables and the scores. Nothing is kept in
// globals, so a test or a benchmark can make as many fresh games as it likes. The outside
// world (time, randomness, sound, trace) comes in through the services pointers.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/cards.h"
#include "core/layout.h"
#include "core/options.h"
#include "core/services.h"
#include "core/table_memory.h"

namespace tarrabel {

// The states of a deal, one step of each per frame (session/state_machine.cpp) and changed
// only by Report (core/deal_flow.h). The names in kStateNames are what traces and debug
// output show; they are the old program's and stay as they are.
enum class GameState : uint8_t {
    DealingCards,           // "DEALING CARDS": a card flies to each hand in turn
    TurningStarter,         // "DEAL 4": the top card of the deck flies to the pile
    BuryingWildStarter,     // "GET JACK BACK": a wild starter flies back into the deck
    NormalPlay,             // "NORMAL PLAY": the next player's turn; his card in flight
    DrawingForWant,         // "DEAL ONE": the current player draws: he has nothing to play
    DrawingByChoice,        // "DEAL ONE AND STAY": the person draws from the deck and goes on
    ShowingPass,            // "SHOW PASS": the pass announcement is up
    ChoosingSuit,           // "SELECT TRUMPS": the player of a wild card names the suit
    ShowingSuit,            // "SHOW CONTRACT": the named suit is announced
    TakingPenaltyAndSkip,   // "DRAW EXTRA CARDS": the next player takes the cards, loses his turn
    TakingPenaltyThenPlay,  // "DRAW EXTRA CARDS AND PLAY": ... takes them, then plays
    PersonTakingPenalty,    // "DRAW EXTRA CARDS PLAYER": the person takes the open penalty
    PickingCardToMove,      // "SELECT EXCHANGE": the person picked a card to move in his hand
    MovingCard,             // "EXCHANGE CARDS": it flies to its new place, the rest shift
    RebuildingDeck,         // "RECREATE DECK": the pile flies back and becomes the deck
    DealScored,             // "END OF MATCH": the deal is over; the score page is up
    Paused,                 // "PAUSED": a short wait, then back to ResumeState
};
inline constexpr int kGameStateCount = 17;

inline constexpr std::string_view kStateNames[kGameStateCount] = {"DEALING CARDS",
                                                                  "DEAL 4",
                                                                  "GET JACK BACK",
                                                                  "NORMAL PLAY",
                                                                  "DEAL ONE",
                                                                  "DEAL ONE AND STAY",
                                                                  "SHOW PASS",
                                                                  "SELECT TRUMPS",
                                                                  "SHOW CONTRACT",
                                                                  "DRAW EXTRA CARDS",
                                                                  "DRAW EXTRA CARDS AND PLAY",
                                                                  "DRAW EXTRA CARDS PLAYER",
                                                                  "SELECT EXCHANGE",
                                                                  "EXCHANGE CARDS",
                                                                  "RECREATE DECK",
                                                                  "END OF MATCH",
                                                                  "PAUSED"};

constexpr std::string_view StateName(GameState s) {
    return kStateNames[int(s)];
}

// Where a card played by a seat lands (every seat uses the centre of the table).
struct TableSlotRecord {
    int16_t X = 0, Y = 0;
    bool Occupied = false;
};

inline constexpr int kHistoryRows = 10;

// The keyboard's frame at the table: over one of the human's cards or over the deck. It shows
// only once a key is used, and goes when the pointer moves, so a mouse player never sees it.
struct KeyFocus {
    bool Shown = false;
    bool OnDeck = false;
    int16_t Slot = -1;             // the hand slot under the frame; -1 before the first key
    int16_t HomeX = 0, HomeY = 0;  // where that card lies: its neighbour takes over once it goes
    // A hint moves the frame to the expert's card for a while, then the frame is shown or
    // hidden again as it was.
    bool Hinting = false;
    bool ShownBeforeHint = false;
    int32_t HintEndsAt = 0;  // tick
};

struct Services {
    Clock* Time = nullptr;
    Random* Rng = nullptr;
    SoundSink* Sound = nullptr;
    TraceSink* Trace = nullptr;      // may stay null
    SecondCore* Thinking = nullptr;  // may stay null: the expert then thinks on one core
};

struct Game;
// Hears every public event of the table before the trace records it. The computer players
// implement it to keep Game::Memory up to date (only they know what a choice of theirs
// reveals); the game sets it when a game starts.
class TableObserver {
  public:
    virtual ~TableObserver() = default;
    virtual void Saw(Game& g, const TraceEvent& ev) = 0;
};

struct Game {
    // ---- outside world and settings -------------------------------------------------
    Services io;
    GameOptions Options;
    VariantSettings Rules{};            // the settings row of Options.Variant
    const CardTables* Cards = nullptr;  // picture name, rank and suit of each card index
    TableLayout Layout;
    // Who chooses each seat's cards. Seat 0 is the person at the table; the simulator may
    // let a computer level choose for him through his own clicks.
    std::array<AiLevel, kSeats> SeatLevel{};

    // ---- cards ------------------------------------------------------------------------
    std::array<CardRecord, kDeckRecords> Deck{};
    std::array<int16_t, kDeckRecords> DeckOrder{};  // card index at each deck position
    int16_t DeckPos = 0;                            // next deck position to draw
    std::array<CardRecord, kPileRecords> Pile{};    // oldest first
    int16_t PileCount = 0;
    std::array<std::array<CardRecord, kHandSlots>, kSeats> Hands{};
    std::array<int16_t, kSeats> HandCount{};
    std::array<CardRecord, kReturnFlying> ReturnCards{};  // the top of the pile flying back
    std::array<PlayerRecord, kSeats> Players{};
    std::array<CardRecord, 4> SuitIcons{};  // offered after the person's wild card, by suit
    std::array<TableSlotRecord, kCardTableSize> TableSlot{};

    // ---- state machine ----------------------------------------------------------------
    GameState State = GameState::DealingCards;
    GameState ResumeState = GameState::DealingCards;
    GameState StateBeforeRebuild = GameState::NormalPlay;  // where a rebuilt deck returns to
    int32_t PauseStart = 0;
    int32_t PauseLength = 0;
    bool PauseDone = false;
    // Whose turn it is. A turn passes on before anything is played (NormalPlay's turn start
    // calls NextPlayer), and the rules step back when the same player is to go on: after a
    // play-again card, a wild card (he names the suit) or a draw (he then plays or passes).
    int16_t CurrentPlayer = 0;
    bool DirectionReversed = false;
    bool WaitingForHuman = false;
    bool HumanMoved = false;
    bool HumanInputLocked = false;
    bool BannerStep = false;
    bool ShowSuitBanner = false;
    bool ShowPassBanner = false;
    bool SuitPromptShown = false;
    int32_t ChosenSuit = 0;
    bool DrawDone = false;
    bool HumanDrew = false;
    int16_t DrawCount = 0;
    std::array<int16_t, kSeats> SeatOrder{};  // the dealing round: seats from the starter on
    int16_t DealSeat = 0;
    int16_t DealtInBatch = 0;
    int16_t TotalDealt = 0;
    int16_t PlayerCount = 4;
    int16_t ComputerSlot = 0;  // the hand slot of the card the current computer player plays
    int16_t DealReceiver = 0;  // the seat the card now being dealt or drawn flies to
    int16_t DrawSlot = 0;      // and the hand slot a drawn card flies to

    // ---- human input and the frame --------------------------------------------------------
    bool MovePending = false;
    bool Paused = false;
    bool PauseKeyHeld = false;
    int16_t ClickedCard = -1;
    int32_t MouseX = 0, MouseY = 0;
    KeyFocus Focus;
    bool RulesShown = false;  // the rules of the game over the table (F1); play waits
    bool EscapeHeld = false;  // the Escape that closed the rules is still down
    int16_t HintsTaken = 0;   // in this match: a match won with hints says so

    // ---- rules ------------------------------------------------------------------------
    int16_t PenaltyCards = 0;
    bool PenaltyTaken = false;
    bool GoingOutPending = false;  // Pis Yedili: someone went out, the penalty is being drawn
    int16_t LastPlayer = -1;
    int16_t RunPoints = 0;
    std::array<int16_t, kSeats> RunPointsOf{};  // each seat's latest run of cards in a row

    // ---- match setup --------------------------------------------------------------------
    int16_t StartingPlayer = 0;
    bool StartingPlayerChosen = false;
    bool NewMatch = false;
    bool HistoryFull = false;
    std::array<std::string_view, kSeats> SeatName{"Me  ", "", "", ""};

    // ---- scoring ------------------------------------------------------------------------
    std::array<int16_t, kSeats> HandPoints{};
    std::array<int16_t, kSeats> MatchTotal{};
    std::array<std::array<int16_t, kHistoryRows>, kSeats> DealHistory{};
    int16_t DealNumber = 0;  // deals scored in the match (the score page's rows, up to 10)
    std::string_view ResultText;
    // The deal's end with the hands shown (session/hands_reveal.h): frames since the cards
    // began to turn, whether a click or a key has turned to the score page, and whether the
    // button that did so is still held (the page waits for a click of its own).
    int16_t RevealFrame = 0;
    bool ScorePageUp = false;
    bool DealEndClickHeld = false;

    int32_t DealsStarted = 0;  // deals set up so far, for traces

    // ---- what the table has seen, for the expert players ---------------------------------
    TableMemory Memory;
    TableObserver* MemoryKeeper = nullptr;  // keeps Memory; none: nothing is remembered
    uint64_t ExpertSeed = 0x7A44AB31E1u;    // the experts' own imagination, apart from the deal's

    // ---- small helpers every part uses ---------------------------------------------------
    int16_t RankOf(int cardIndex) const { return Cards->Rank[cardIndex]; }
    int32_t SuitOf(int cardIndex) const { return Cards->Suit[cardIndex]; }
    int16_t RankOf(const CardRecord& c) const { return Cards->Rank[c.CardIndex]; }
    int32_t SuitOf(const CardRecord& c) const { return Cards->Suit[c.CardIndex]; }
    bool Is(GameVariant v) const { return Options.Variant == v; }
    const CardRecord* TopCard() const { return PileCount > 0 ? &Pile[PileCount - 1] : nullptr; }
    int16_t TopRank() const { return PileCount > 0 ? RankOf(Pile[PileCount - 1]) : kNoRank; }

    void PlaySound(SoundId id) {
        if (io.Sound) io.Sound->Play(id);
    }
    // Every public event of the table passes here: the memory learns from it, then the
    // trace (if any) records it.
    void Trace(const TraceEvent& ev) {
        if (MemoryKeeper) MemoryKeeper->Saw(*this, ev);
        if (io.Trace) io.Trace->Event(*this, ev);
    }
    double Rnd() { return io.Rng->Next(); }
    int RndBelow(int n) { return io.Rng->IntBelow(n); }
    int32_t Tick() { return io.Time->TickMs(); }
};

}  // namespace tarrabel
