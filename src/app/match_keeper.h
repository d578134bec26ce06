// Keeps the match being played, so that a game left in the middle of a match can be
// resumed at the next start, and counts every match that ends in the statistics.
//
// It hears the table twice: as its recorder (every frame, with the tick and the input) and
// as the trace's first listener (every event, passed on to the trace file when there is
// one). From the events it knows where a match ends and whether the person has done
// anything in the match yet: a match he has not touched is not worth keeping.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "app/table_app.h"
#include "persist/kept_match.h"
#include "persist/statistics.h"

namespace tarrabel {

class MatchKeeper final : public TableRecorder, public TraceSink {
  public:
    // dataFolder: where the kept match and the statistics live; without one (no home) the
    // keeper only passes the trace on.
    MatchKeeper(std::optional<std::filesystem::path> dataFolder, std::string version);

    // A fresh chain of play: a new game with these options and seed.
    void BeginChain(const GameOptions& options, uint64_t seed, uint64_t chain);
    // Carries on a kept match. Replay it with this keeper as its trace first, so that the
    // keeper knows where the unfinished match stands.
    void ContinueChain(const KeptMatch& kept);

    // Where the events go after this keeper has heard them (the trace file; may be null).
    void PassTraceTo(TraceSink* next) { next_ = next; }

    void Event(const Game& g, const TraceEvent& ev) override;
    void Started(const Game& g, int32_t tick) override;
    void FrameTaken(const Game& g, int32_t tick, const FrameInput& in, uint64_t rngState) override;
    void Waiting(const Game& g) override;

    // The game ends: the unfinished match is written down, or forgotten when the person
    // has not played in it yet.
    void Leave();

    // The match in progress is the numbered one of its chain; false before it is touched.
    bool MatchUnderWay() const { return humanActed_ || dealsScored_ > 0; }
    int32_t MatchIndex() const { return matchIndex_; }
    const KeptMatch& Kept() const { return kept_; }

  private:
    void Save();
    void MatchEnded(const Game& g);
    void Complain(const std::string& message);

    std::optional<std::filesystem::path> folder_;
    std::string version_;
    TraceSink* next_ = nullptr;
    KeptMatch kept_;
    int32_t matchIndex_ = 1;
    int32_t dealsScored_ = 0;
    int32_t hintsTaken_ = 0;
    bool humanActed_ = false;
    uint64_t digest_ = 0;
    std::array<int16_t, kSeats> totals_{};
    bool unsaved_ = false;
    bool saveNow_ = false;
    bool complained_ = false;  // one message about a folder that cannot be written
    std::chrono::steady_clock::time_point lastSave_{};
};

// A kept match that will not be resumed counts as abandoned: its game, level, deals and
// hints go into the statistics once, and (removeFile) the file goes.
void AbandonKeptMatch(const std::filesystem::path& dataFolder, const KeptMatch& kept,
                      bool removeFile);

// A kept match the game cannot resume (damaged, or played otherwise by this version) is
// moved aside as NAME.unusable, with one message on stderr saying why.
void SetKeptMatchAside(const std::filesystem::path& dataFolder, const std::string& why);

// The match left unfinished in the data folder, played again up to where it was left: its
// events told to the keeper (and written as trace text into *traceText when writeTrace),
// the table in *replayed. Nothing when none is kept, when the statistics count it already
// (the game was stopped between counting it and forgetting it: the file goes), or when it
// cannot be resumed (set aside with a message; counted as abandoned when its head can
// still be read).
std::optional<KeptMatch> ReplayTheMatchLeft(const std::filesystem::path& dataFolder,
                                            MatchKeeper& keeper, bool writeTrace,
                                            ReplayedMatch* replayed, std::string* traceText);

}  // namespace tarrabel
