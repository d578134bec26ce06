// What the game logic needs from the outside world, and nothing more: the millisecond tick,
// the one uniform random generator, sound requests and an optional trace of events.
// The game feeds these in, so a headless run with a virtual clock and a seeded generator
// replays any deal exactly.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarrabel {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual int32_t TickMs() = 0;  // milliseconds, like a system tick counter
};

// The tick of a headless run (the simulator, tests, benchmarks): advanced by hand,
// 16 ms per frame, so that a run replays exactly.
class VirtualClock final : public Clock {
  public:
    int32_t TickMs() override { return now_; }
    void Advance(int32_t ms) { now_ += ms; }
    void Set(int32_t ms) { now_ = ms; }

  private:
    int32_t now_ = 0;
};

// Uniform values in [0, 1).
class Random {
  public:
    virtual ~Random() = default;
    virtual double Next() = 0;
    // The whole part of Next() * n: a number 0 to n - 1.
    int IntBelow(int n) { return int(Next() * n); }
};

// SplitMix64: a small, fast generator of 64 random bits, the one the whole game uses.
class SplitMix64 {
  public:
    explicit constexpr SplitMix64(uint64_t seed = 0) : state_(seed) {}
    constexpr void Seed(uint64_t seed) { state_ = seed; }
    // Where the sequence stands: Seed(State()) carries on exactly from here.
    constexpr uint64_t State() const { return state_; }
    constexpr uint64_t NextBits() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 to n - 1, from the high 32 bits (no division).
    constexpr int Below(int n) { return int((NextBits() >> 32) * uint64_t(n) >> 32); }

  private:
    uint64_t state_;
};

// The table's seeded generator: SplitMix64 as uniform values in [0, 1).
class SeededRandom final : public Random {
  public:
    explicit SeededRandom(uint64_t seed = 0) : bits_(seed) {}
    void Seed(uint64_t seed) { bits_.Seed(seed); }
    uint64_t State() const { return bits_.State(); }
    double Next() override {
        return double(bits_.NextBits() >> 11) * (1.0 / 9007199254740992.0);  // 53 bits
    }

  private:
    SplitMix64 bits_;
};

// The ten sound effects, by the file they are loaded from.
enum class SoundId : uint8_t {
    CardFlip1,
    CardFlip2,
    CardFlip3,
    Sign1,
    Sign2,
    Sign3,
    Shuffle,
    Intro,
    WinGame,
    LoseGame,
};
inline constexpr int kSoundCount = 10;
inline constexpr std::string_view kSoundFileNames[kSoundCount] = {
    "CARD_FLIP.WAV", "CARD_FLIP2.WAV", "CARD_FLIP3.WAV", "SIGN1.WAV",    "SIGN2.WAV",
    "SIGN3.WAV",     "SHUFFLE.WAV",    "INTRO.WAV",      "WIN_GAME.WAV", "LOSE_GAME.WAV"};

constexpr std::string_view SoundFileName(SoundId id) {
    return kSoundFileNames[int(id)];
}

class SoundSink {
  public:
    virtual ~SoundSink() = default;
    virtual void Play(SoundId id) = 0;
};

// Events a developer may want to follow, in the order they happen.
enum class TraceKind : uint8_t {
    Deal,         // end of match setup
    Dealt,        // a dealt card landed: seat, slot, card
    Starter,      // the starter landed: card
    StarterBack,  // a wild starter went back into the deck: card, pos
    Play,         // a played card landed on the pile: seat, slot, card
    Suit,         // a suit was named: seat, suit
    Draw,         // a drawn card landed: seat, slot, card, draw
    DeckEmpty,    // a draw for seat found no card
    Pass,         // seat passes
    Exchange,     // a move within the human's hand completed: from, to
    Rebuild,      // the pile became the new deck
    End,          // the deal was scored
};

enum class DrawKind : uint8_t { Auto, Click, Penalty };

struct TraceEvent {
    TraceKind Kind;
    int Seat = -1;
    int Slot = -1;
    int Card = -1;
    int Suit = -1;
    int Pos = -1;
    int From = -1;
    int To = -1;
    DrawKind Draw = DrawKind::Auto;
};

struct Game;

// A second core for the expert computer player's thinking. RunPair calls work(context, 0)
// and work(context, 1), at once when it can, and returns when both are done. The two parts
// must depend on nothing but their index, so that what comes out is the same however the
// parts were run: on two cores, or one after the other on one.
class SecondCore {
  public:
    virtual ~SecondCore() = default;
    virtual void RunPair(void (*work)(void* context, int part), void* context) = 0;
};

class TraceSink {
  public:
    virtual ~TraceSink() = default;
    // The game is passed so that the sink can read the deck, totals and so on.
    virtual void Event(const Game& game, const TraceEvent& ev) = 0;
};

// Stand-ins for a run without sound or trace.
class NullSound final : public SoundSink {
  public:
    void Play(SoundId) override {}
};

}  // namespace tarrabel
