#include "persist/kept_match.h"

#include <charconv>
#include <cstring>

#include "rules/setup.h"
#include "session/frame.h"
#include "session/game_init.h"

namespace tarrabel {

namespace {

constexpr std::string_view kFirstLine = "tarrabel unfinished match 1";
// A kept match longer than this is not one the game wrote (a long evening is some hundred
// thousand frames).
constexpr int64_t kMostFrames = 20'000'000;

// ---- the frames as text ------------------------------------------------------------------
//
// Each frame is one token, its tick step in milliseconds; a run of equal steps is written
// once with its count ("16*40"). A change of input comes as a token of its own before the
// frame it starts at: "@" then the held buttons and keys (E Escape, P pause, L left, R
// right; "-" none), the pointer's x and y, and the keys pressed in that frame, one letter
// each ("a" the first TableKey): "@L,412,530," or "@-,400,300,cd".

constexpr int kKeyValues = int(TableKey::Other) + 1;

void AppendInput(std::string& out, const FrameInput& in) {
    out += '@';
    const size_t flagsAt = out.size();
    if (in.EscapeDown) out += 'E';
    if (in.PauseKeyDown) out += 'P';
    if (in.LeftDown) out += 'L';
    if (in.RightDown) out += 'R';
    if (out.size() == flagsAt) out += '-';
    out += ',' + std::to_string(in.MouseX) + ',' + std::to_string(in.MouseY) + ',';
    for (int k = 0; k < in.KeyCount; ++k)
        out += char('a' + int(in.Keys[size_t(k)]));
}

bool SameInput(const FrameInput& a, const FrameInput& b) {
    if (a.EscapeDown != b.EscapeDown || a.PauseKeyDown != b.PauseKeyDown ||
        a.LeftDown != b.LeftDown || a.RightDown != b.RightDown || a.MouseX != b.MouseX ||
        a.MouseY != b.MouseY || a.KeyCount != b.KeyCount)
        return false;
    for (int k = 0; k < a.KeyCount; ++k)
        if (a.Keys[size_t(k)] != b.Keys[size_t(k)]) return false;
    return true;
}

template <class Int>
bool ReadNumber(std::string_view s, Int* out) {
    if (s.empty()) return false;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), *out);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool ReadHex(std::string_view s, uint64_t* out) {
    if (s.size() != 16) return false;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), *out, 16);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

std::string Hex(uint64_t v) {
    char buf[17];
    static constexpr char kDigits[] = "0123456789abcdef";
    for (int i = 15; i >= 0; --i, v >>= 4)
        buf[i] = kDigits[v & 15];
    buf[16] = 0;
    return buf;
}

bool ReadInputToken(std::string_view token, FrameInput* in) {
    // "@" flags "," x "," y "," keys
    token.remove_prefix(1);
    const size_t c1 = token.find(','), c2 = token.find(',', c1 + 1),
                 c3 = token.find(',', c2 == std::string_view::npos ? c2 : c2 + 1);
    if (c1 == std::string_view::npos || c2 == std::string_view::npos ||
        c3 == std::string_view::npos)
        return false;
    *in = FrameInput{};
    const std::string_view flags = token.substr(0, c1);
    if (flags != "-") {
        for (char f : flags) {
            bool* held = f == 'E'   ? &in->EscapeDown
                         : f == 'P' ? &in->PauseKeyDown
                         : f == 'L' ? &in->LeftDown
                         : f == 'R' ? &in->RightDown
                                    : nullptr;
            if (!held || *held) return false;
            *held = true;
        }
    }
    if (!ReadNumber(token.substr(c1 + 1, c2 - c1 - 1), &in->MouseX) ||
        !ReadNumber(token.substr(c2 + 1, c3 - c2 - 1), &in->MouseY))
        return false;
    constexpr int32_t kFarthest = 100000;
    if (in->MouseX < -kFarthest || in->MouseX > kFarthest || in->MouseY < -kFarthest ||
        in->MouseY > kFarthest)
        return false;
    const std::string_view keys = token.substr(c3 + 1);
    if (keys.size() > size_t(FrameInput::kMaxKeys)) return false;
    for (char k : keys) {
        if (k < 'a' || k >= 'a' + kKeyValues) return false;
        in->PushKey(TableKey(k - 'a'));
    }
    return true;
}

// ---- the header --------------------------------------------------------------------------

std::string_view YesNo(bool b) {
    return b ? "yes" : "no";
}

bool ReadYesNo(std::string_view s, bool* out) {
    if (s == "yes") return (*out = true), true;
    if (s == "no") return (*out = false), true;
    return false;
}

template <size_t N>
int IndexOf(const std::array<std::string_view, N>& names, std::string_view name) {
    for (size_t i = 0; i < N; ++i)
        if (names[i] == name) return int(i);
    return -1;
}

int IndexOf(const std::string_view (&names)[3], std::string_view name) {
    for (int i = 0; i < 3; ++i)
        if (names[i] == name) return i;
    return -1;
}

// FNV-1a, 64 bits, over the bytes of plain values.
class Fnv {
  public:
    template <class T>
    void Add(const T& v) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &v, sizeof(T));
        for (unsigned char b : bytes)
            h_ = (h_ ^ b) * 0x100000001B3ull;
    }
    uint64_t Value() const { return h_; }

  private:
    uint64_t h_ = 0xCBF29CE484222325ull;
};

// The head of the file, one "key=value" line each, in this order; the frames follow.
struct HeaderField {
    std::string_view Key;
    std::string (*Write)(const KeptMatch& k);
    bool (*Read)(std::string_view value, KeptMatch& k);  // false: not a value it wrote
};

std::string Totals(const KeptMatch& k) {
    std::string out;
    for (int seat = 0; seat < kSeats; ++seat) {
        if (seat > 0) out += ' ';
        out += std::to_string(k.Totals[size_t(seat)]);
    }
    return out;
}

bool ReadTotals(std::string_view v, KeptMatch& k) {
    for (int seat = 0; seat < kSeats; ++seat) {
        const size_t sp = v.find(' ');
        if ((sp == std::string_view::npos) != (seat + 1 == kSeats)) return false;
        if (!ReadNumber(v.substr(0, sp), &k.Totals[size_t(seat)])) return false;
        v = sp == std::string_view::npos ? std::string_view{} : v.substr(sp + 1);
    }
    return true;
}

// clang-format off
constexpr HeaderField kHeader[] = {
    {"version",
     [](const KeptMatch& k) { return k.Version; },
     [](std::string_view v, KeptMatch& k) { k.Version = std::string(v.substr(0, 32)); return true; }},
    {"chain",
     [](const KeptMatch& k) { return Hex(k.Chain); },
     [](std::string_view v, KeptMatch& k) { return ReadHex(v, &k.Chain); }},
    {"match",
     [](const KeptMatch& k) { return std::to_string(k.MatchIndex); },
     [](std::string_view v, KeptMatch& k) { return ReadNumber(v, &k.MatchIndex) && k.MatchIndex >= 1; }},
    {"seed",
     [](const KeptMatch& k) { return std::to_string(k.Seed); },
     [](std::string_view v, KeptMatch& k) { return ReadNumber(v, &k.Seed); }},
    {"game",  // first of the options: the others start from its defaults
     [](const KeptMatch& k) { return std::string(VariantName(k.Options.Variant)); },
     [](std::string_view v, KeptMatch& k) {
         const int i = IndexOf(kVariantNames, v);
         if (i >= 0) k.Options = DefaultOptions(GameVariant(i));
         return i >= 0;
     }},
    {"target",
     [](const KeptMatch& k) { return std::to_string(k.Options.TargetScore); },
     [](std::string_view v, KeptMatch& k) { return ReadNumber(v, &k.Options.TargetScore) && k.Options.TargetScore > 0; }},
    {"deck",
     [](const KeptMatch& k) { return std::string(k.Options.DeckName); },
     [](std::string_view v, KeptMatch& k) {
         const int i = IndexOf(kDeckNames, v);
         if (i >= 0) k.Options.DeckName = kDeckNames[i];
         return i >= 0;
     }},
    {"level",
     [](const KeptMatch& k) { return std::string(AiLevelName(k.Options.ComputerLevel)); },
     [](std::string_view v, KeptMatch& k) {
         const int i = IndexOf(kAiLevelNames, v);
         if (i >= 0) k.Options.ComputerLevel = AiLevel(i);
         return i >= 0;
     }},
    {"slow_animation",
     [](const KeptMatch& k) { return std::string(YesNo(k.Options.SlowAnimation)); },
     [](std::string_view v, KeptMatch& k) { return ReadYesNo(v, &k.Options.SlowAnimation); }},
    {"four_colour_suits",
     [](const KeptMatch& k) { return std::string(YesNo(k.Options.FourColourSuits)); },
     [](std::string_view v, KeptMatch& k) { return ReadYesNo(v, &k.Options.FourColourSuits); }},
    {"show_hands",
     [](const KeptMatch& k) { return std::string(YesNo(k.Options.ShowHandsAtDealEnd)); },
     [](std::string_view v, KeptMatch& k) { return ReadYesNo(v, &k.Options.ShowHandsAtDealEnd); }},
    {"full_screen",
     [](const KeptMatch& k) { return std::string(YesNo(k.Options.FullScreen)); },
     [](std::string_view v, KeptMatch& k) { return ReadYesNo(v, &k.Options.FullScreen); }},
    {"table",  // the only table the game lays out
     [](const KeptMatch& k) { return std::to_string(k.Options.ScreenWidth) + "x" + std::to_string(k.Options.ScreenHeight); },
     [](std::string_view v, KeptMatch&) { return v == "800x600"; }},
    {"first_tick",
     [](const KeptMatch& k) { return std::to_string(k.FirstTick); },
     [](std::string_view v, KeptMatch& k) { return ReadNumber(v, &k.FirstTick); }},
    {"deals_scored",
     [](const KeptMatch& k) { return std::to_string(k.DealsScored); },
     [](std::string_view v, KeptMatch& k) { return ReadNumber(v, &k.DealsScored) && k.DealsScored >= 0; }},
    {"hints_taken",
     [](const KeptMatch& k) { return std::to_string(k.HintsTaken); },
     [](std::string_view v, KeptMatch& k) { return ReadNumber(v, &k.HintsTaken) && k.HintsTaken >= 0; }},
    {"totals", Totals, ReadTotals},
    {"digest",
     [](const KeptMatch& k) { return Hex(k.Digest); },
     [](std::string_view v, KeptMatch& k) { return ReadHex(v, &k.Digest); }},
};
// clang-format on

}  // namespace

void KeptMatch::AddFrame(int32_t tick, const FrameInput& in) {
    const int32_t frame = FrameCount();
    if (frame == 0 ? !SameInput(in, FrameInput{}) : !SameInput(in, lastInput_))
        Inputs.push_back({frame, in});
    lastInput_ = in;
    TickSteps.push_back(tick - (frame == 0 ? FirstTick : lastTick_));
    lastTick_ = tick;
}

void KeptMatch::SumTicks() {
    lastTick_ = FirstTick;
    for (int32_t step : TickSteps)
        lastTick_ += step;
    lastInput_ = Inputs.empty() ? FrameInput{} : Inputs.back().Input;
}

std::string FormatKeptMatch(const KeptMatch& k) {
    std::string out;
    out.reserve(64 + k.TickSteps.size() * 3 + k.Inputs.size() * 16);
    out += kFirstLine;
    out +=
        "\n# The match left unfinished: its options and seed, then every frame's tick step\n"
        "# and each change of the mouse and keys. Tarrabel plays it again to resume it.\n";
    for (const HeaderField& field : kHeader) {
        out += field.Key;
        out += '=';
        out += field.Write(k);
        out += '\n';
    }
    out += "frames=" + std::to_string(k.FrameCount()) + "\n";

    size_t lineStart = out.size();
    auto token = [&](const std::string& t) {
        if (out.size() - lineStart + t.size() > 96) {
            out += '\n';
            lineStart = out.size();
        } else if (out.size() > lineStart) {
            out += ' ';
        }
        out += t;
    };
    size_t nextInput = 0;
    const int32_t frames = k.FrameCount();
    for (int32_t f = 0; f < frames;) {
        if (nextInput < k.Inputs.size() && k.Inputs[nextInput].Frame == f) {
            std::string t;
            AppendInput(t, k.Inputs[nextInput++].Input);
            token(t);
        }
        // A run of equal steps up to the next change of input.
        const int32_t step = k.TickSteps[size_t(f)];
        const int32_t stop = nextInput < k.Inputs.size() ? k.Inputs[nextInput].Frame : frames;
        int32_t run = 1;
        while (f + run < stop && k.TickSteps[size_t(f + run)] == step)
            ++run;
        std::string t = std::to_string(step);
        if (run > 1) {
            t += '*';
            t += std::to_string(run);
        }
        token(t);
        f += run;
    }
    if (out.size() > lineStart) out += '\n';
    out += "end\n";
    return out;
}

bool ParseKeptMatch(std::string_view text, KeptMatch* out, std::string* why) {
    auto fail = [why](std::string reason) {
        *why = std::move(reason);
        return false;
    };
    KeptMatch k;
    size_t at = 0;
    int lineNumber = 0;
    auto nextLine = [&](std::string_view* line) {
        if (at >= text.size()) return false;
        const size_t end = text.find('\n', at);
        *line = text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
        at = end == std::string_view::npos ? text.size() : end + 1;
        ++lineNumber;
        return true;
    };
    std::string_view line;
    if (!nextLine(&line) || line != kFirstLine) return fail("it is not a kept match of this game");

    // The head, in the order it is written, every key once, then the count of frames.
    auto nextField = [&](std::string_view key, std::string_view* value) {
        do {
            if (!nextLine(&line)) return false;
        } while (line.empty() || line[0] == '#');
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos || line.substr(0, eq) != key) return false;
        *value = line.substr(eq + 1);
        return true;
    };
    std::string_view value;
    for (const HeaderField& field : kHeader)
        if (!nextField(field.Key, &value) || !field.Read(value, k))
            return fail("line " + std::to_string(lineNumber) + " should give its " +
                        std::string(field.Key));
    int64_t frames = -1;
    if (!nextField("frames", &value) || !ReadNumber(value, &frames) || frames < 0 ||
        frames > kMostFrames)
        return fail("line " + std::to_string(lineNumber) + " should give its frames");

    // The frames, then "end" and nothing after it.
    k.TickSteps.reserve(size_t(frames));
    bool ended = false;
    bool pendingInput = false;
    while (!ended && nextLine(&line)) {
        if (line == "end") {
            ended = true;
            break;
        }
        size_t p = 0;
        while (p < line.size()) {
            const size_t sp = line.find(' ', p);
            const std::string_view t =
                line.substr(p, sp == std::string_view::npos ? std::string_view::npos : sp - p);
            p = sp == std::string_view::npos ? line.size() : sp + 1;
            if (t.empty()) return fail("line " + std::to_string(lineNumber) + ": a double space");
            if (t[0] == '@') {
                FrameInput in;
                if (pendingInput || !ReadInputToken(t, &in))
                    return fail("line " + std::to_string(lineNumber) + ": a bad input");
                k.Inputs.push_back({k.FrameCount(), in});
                pendingInput = true;
                continue;
            }
            const size_t star = t.find('*');
            int32_t step = 0, run = 1;
            if (!ReadNumber(t.substr(0, star), &step) || step < 0 ||
                (star != std::string_view::npos &&
                 (!ReadNumber(t.substr(star + 1), &run) || run < 2)))
                return fail("line " + std::to_string(lineNumber) + ": a bad tick step");
            if (int64_t(k.TickSteps.size()) + run > frames)
                return fail("it has more frames than it says");
            k.TickSteps.insert(k.TickSteps.end(), size_t(run), step);
            pendingInput = false;
        }
    }
    if (!ended) return fail("it is cut short");
    if (at < text.size()) return fail("something follows its end");
    if (pendingInput || int64_t(k.TickSteps.size()) != frames)
        return fail("it has fewer frames than it says");
    k.SumTicks();
    *out = std::move(k);
    return true;
}

uint64_t GameDigest(const Game& g, uint64_t rngState) {
    Fnv h;
    h.Add(rngState);
    h.Add(g.State);
    h.Add(g.ResumeState);
    h.Add(g.CurrentPlayer);
    h.Add(g.DirectionReversed);
    h.Add(g.DeckPos);
    h.Add(g.DeckOrder);
    h.Add(g.PileCount);
    for (int i = 0; i < g.PileCount; ++i)
        h.Add(g.Pile[size_t(i)].CardIndex);
    for (int seat = 0; seat < kSeats; ++seat) {
        h.Add(g.HandCount[size_t(seat)]);
        for (const CardRecord& c : g.Hands[size_t(seat)]) {
            h.Add(c.Shown);
            h.Add(c.Shown ? c.CardIndex : int16_t(-1));
        }
        h.Add(g.Players[size_t(seat)].Eliminated);
    }
    h.Add(g.MatchTotal);
    h.Add(g.DealHistory);
    h.Add(g.DealNumber);
    h.Add(g.DealsStarted);
    h.Add(g.PenaltyCards);
    h.Add(g.ChosenSuit);
    h.Add(g.StartingPlayer);
    h.Add(g.NewMatch);
    h.Add(g.HintsTaken);
    h.Add(g.Paused);
    h.Add(g.RulesShown);
    return h.Value();
}

bool ReplayKeptMatch(const KeptMatch& k, TraceSink* trace, ReplayedMatch* out, std::string* why) {
    // The same start as the table's: the generator seeded, the clock at the first tick, a
    // new game, its first deal; then every frame as the table ran it, without sound.
    VirtualClock clock;
    SeededRandom rng(k.Seed);
    NullSound silence;
    auto g = std::make_unique<Game>();
    clock.Set(k.FirstTick);
    StartNewGame(*g, k.Options, Services{&clock, &rng, &silence, trace});
    SetUpDeal(*g);
    int32_t tick = k.FirstTick;
    FrameInput in;
    size_t nextInput = 0;
    const int32_t frames = k.FrameCount();
    for (int32_t f = 0; f < frames; ++f) {
        if (nextInput < k.Inputs.size() && k.Inputs[nextInput].Frame == f)
            in = k.Inputs[nextInput++].Input;
        tick += k.TickSteps[size_t(f)];
        clock.Set(tick);
        if (RunGameFrame(*g, in) == FrameResult::Quit) {
            *why = "its frame " + std::to_string(f) + " leaves the game";
            return false;
        }
    }
    if (GameDigest(*g, rng.State()) != k.Digest) {
        *why = "this version of the game plays its moves differently";
        return false;
    }
    g->io = Services{};
    out->Table = std::move(g);
    out->RngState = rng.State();
    out->Tick = tick;
    return true;
}

}  // namespace tarrabel
