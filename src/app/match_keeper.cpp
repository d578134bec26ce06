#include "app/match_keeper.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <system_error>

#include "persist/atomic_file.h"
#include "session/trace_writer.h"

namespace tarrabel {

namespace {

// A match is written down at most this often while the player thinks (and always when a
// deal ends and when the game ends).
constexpr auto kSaveInterval = std::chrono::seconds(2);

bool IsThePersonsMove(const TraceEvent& ev) {
    if (ev.Seat != kHuman) return ev.Kind == TraceKind::Exchange;
    return ev.Kind == TraceKind::Play || ev.Kind == TraceKind::Draw || ev.Kind == TraceKind::Pass ||
           ev.Kind == TraceKind::Suit;
}

}  // namespace

MatchKeeper::MatchKeeper(std::optional<std::filesystem::path> dataFolder, std::string version)
    : folder_(std::move(dataFolder)), version_(std::move(version)) {}

void MatchKeeper::BeginChain(const GameOptions& options, uint64_t seed, uint64_t chain) {
    kept_ = KeptMatch{};
    kept_.Version = version_;
    kept_.Chain = chain;
    kept_.Seed = seed;
    kept_.Options = options;
    matchIndex_ = 1;
    dealsScored_ = hintsTaken_ = 0;
    humanActed_ = false;
}

void MatchKeeper::ContinueChain(const KeptMatch& kept) {
    // The replay that comes next counts the chain's matches from the first again.
    kept_ = kept;
    kept_.Version = version_;
    matchIndex_ = 1;
    dealsScored_ = hintsTaken_ = 0;
    humanActed_ = false;
}

void MatchKeeper::Event(const Game& g, const TraceEvent& ev) {
    if (IsThePersonsMove(ev)) humanActed_ = true;
    if (ev.Kind == TraceKind::End) {
        ++dealsScored_;
        saveNow_ = true;
        if (g.NewMatch) MatchEnded(g);
    }
    if (next_) next_->Event(g, ev);
}

void MatchKeeper::MatchEnded(const Game& g) {
    MatchOutcome m;
    m.Variant = g.Options.Variant;
    m.Level = g.Options.ComputerLevel;
    m.End = g.ResultText == "We Won!" ? MatchEnd::Won : MatchEnd::Lost;
    m.FinalTotal = g.MatchTotal[kHuman];
    m.Deals = dealsScored_;
    m.Hints = g.HintsTaken;
    m.Id = {kept_.Chain, matchIndex_};
    if (folder_) {
        std::string error;
        if (!RecordMatch(*folder_, m, &error)) Complain(error);
    }
    // The next match of the chain starts with the next deal.
    ++matchIndex_;
    dealsScored_ = 0;
    humanActed_ = false;
}

void MatchKeeper::Started(const Game& g, int32_t tick) {
    if (kept_.FrameCount() == 0) {
        kept_.FirstTick = tick;
        kept_.Options = g.Options;
        kept_.SumTicks();
    }
}

void MatchKeeper::FrameTaken(const Game& g, int32_t tick, const FrameInput& in, uint64_t rngState) {
    kept_.AddFrame(tick, in);
    digest_ = GameDigest(g, rngState);
    hintsTaken_ = g.HintsTaken;
    totals_ = g.MatchTotal;
    unsaved_ = true;
    if (saveNow_) Save();
}

void MatchKeeper::Waiting(const Game&) {
    if (unsaved_ && std::chrono::steady_clock::now() - lastSave_ >= kSaveInterval) Save();
}

void MatchKeeper::Leave() {
    Save();
}

void MatchKeeper::Save() {
    saveNow_ = false;
    unsaved_ = false;
    lastSave_ = std::chrono::steady_clock::now();
    if (!folder_ || complained_) return;
    const std::filesystem::path file = *folder_ / kKeptMatchFileName;
    if (!MatchUnderWay()) {
        // Nothing of this match to give back: the last one ended, or none was touched yet.
        RemoveFileAndBackup(file);
        return;
    }
    kept_.MatchIndex = matchIndex_;
    kept_.DealsScored = dealsScored_;
    kept_.HintsTaken = hintsTaken_;
    kept_.Totals = totals_;
    kept_.Digest = digest_;
    std::string error;
    if (!WriteFileWhole(file, FormatKeptMatch(kept_), &error)) Complain(error);
}

void MatchKeeper::Complain(const std::string& message) {
    if (complained_) return;
    complained_ = true;
    std::fprintf(stderr, "tarrabel: %s; the game plays on without remembering\n", message.c_str());
}

void AbandonKeptMatch(const std::filesystem::path& dataFolder, const KeptMatch& kept,
                      bool removeFile) {
    MatchOutcome m;
    m.Variant = kept.Options.Variant;
    m.Level = kept.Options.ComputerLevel;
    m.End = MatchEnd::Abandoned;
    m.FinalTotal = kept.Totals[kHuman];
    m.Deals = kept.DealsScored;
    m.Hints = kept.HintsTaken;
    m.Id = {kept.Chain, kept.MatchIndex};
    std::string error;
    if (!RecordMatch(dataFolder, m, &error)) std::fprintf(stderr, "tarrabel: %s\n", error.c_str());
    if (removeFile) RemoveFileAndBackup(dataFolder / kKeptMatchFileName);
}

void SetKeptMatchAside(const std::filesystem::path& dataFolder, const std::string& why) {
    const std::filesystem::path file = dataFolder / kKeptMatchFileName;
    std::filesystem::path aside = file;
    aside += ".unusable";
    std::filesystem::path backup = file;
    backup += ".bak";
    std::error_code ec;
    std::filesystem::rename(std::filesystem::exists(file, ec) ? file : backup, aside, ec);
    std::filesystem::remove(backup, ec);
    std::fprintf(stderr,
                 "tarrabel: the match left unfinished in %s cannot be resumed (%s); it "
                 "is kept as %s\n",
                 file.c_str(), why.c_str(), aside.c_str());
}

// The match left unfinished, played again up to where it was left (its events told to the
// keeper, and written as trace text into *traceText when asked). A kept match that cannot
// be resumed is set aside with a message; it then counts as abandoned when its head can
// still be read.
std::optional<KeptMatch> ReplayTheMatchLeft(const std::filesystem::path& dataFolder,
                                            MatchKeeper& keeper, bool writeTrace,
                                            ReplayedMatch* replayed, std::string* traceText) {
    const std::filesystem::path file = dataFolder / kKeptMatchFileName;
    std::string text, why;
    KeptMatch kept;
    const ReadFrom from = ReadFileOrBackup(file, &text, [&](const std::string& t) {
        KeptMatch scratch;
        std::string ignored;
        return ParseKeptMatch(t, &scratch, &ignored);
    });
    std::error_code ec;
    if (from == ReadFrom::Nothing) {
        std::filesystem::path backup = file;
        backup += ".bak";
        const bool there = std::filesystem::exists(file, ec) || std::filesystem::exists(backup, ec);
        if (there) {
            if (std::filesystem::exists(file, ec)) {
                std::string content;
                ReadFileOrBackup(file, &content, [](const std::string&) { return true; });
                ParseKeptMatch(content, &kept, &why);
            } else {
                why = "it cannot be read";
            }
            SetKeptMatchAside(dataFolder, why);
        }
        return std::nullopt;
    }
    ParseKeptMatch(text, &kept, &why);
    // A match already counted is over, whatever its file says: the game was stopped between
    // counting it (finished, or abandoned for a new one) and forgetting it.
    if (AlreadyCounted(LoadStatistics(dataFolder), {kept.Chain, kept.MatchIndex})) {
        RemoveFileAndBackup(file);
        return std::nullopt;
    }

    // The replay's trace goes into memory: it is the trace file's beginning only when the
    // player resumes.
    char* buffer = nullptr;
    size_t size = 0;
    std::FILE* memory = writeTrace ? open_memstream(&buffer, &size) : nullptr;
    std::unique_ptr<JsonTraceWriter> writer;
    if (memory) writer = std::make_unique<JsonTraceWriter>(memory);
    keeper.ContinueChain(kept);
    keeper.PassTraceTo(writer.get());
    bool ok = ReplayKeptMatch(kept, &keeper, replayed, &why);
    if (ok && keeper.MatchIndex() != kept.MatchIndex) {
        ok = false;
        why = "this version of the game counts its matches differently";
    }
    keeper.PassTraceTo(nullptr);
    if (memory) {
        std::fclose(memory);
        traceText->assign(buffer, size);
        std::free(buffer);
    }
    if (!ok) {
        AbandonKeptMatch(dataFolder, kept, /*removeFile=*/false);
        SetKeptMatchAside(dataFolder, why);
        return std::nullopt;
    }
    return kept;
}

}  // namespace tarrabel
