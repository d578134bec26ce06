// Looks at what the game left on disk, the way the next start will find it, for the crash
// test that kills the game at random moments:
//
//   saved_files_check CONFIG_FOLDER DATA_FOLDER
//
// The folders are the game's own ($XDG_CONFIG_HOME/tarrabel, $XDG_DATA_HOME/tarrabel).
// Every file the game writes there (settings.ini, statistics.ini, unfinished-match.txt)
// and every .bak of one must parse as it is: the game wrote each one whole, so a file that
// is there but does not parse (a settings line warned about included) is a half-written
// one. A kept match the game set aside as unusable, or a statistics file gone while its .bak
// is there, is a fault too.
//
// A temporary file NAME.tmp.PID is the write of a game that was killed before its rename:
// the game never reads it, so it does no harm; each one is named on stderr and counted.
//
// Prints three lines:
//   counts P W L P W L ...   matches played, won and lost of each game, over all levels,
//                            as the next start reads them (the file, else its .bak)
//   kept no|new V|counted V  whether a match is kept to be resumed (the file, else its
//                            .bak), its game, and whether the statistics count it already:
//                            a kept match counts once, when it ends or is abandoned
//   stale-temp N             temporary files left by killed writers
// Exit status 0 when everything parses, 1 with a message naming the file otherwise, 2 for a
// wrong command line.
#include <signal.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "persist/kept_match.h"
#include "persist/settings_file.h"
#include "persist/statistics.h"

namespace {

namespace fs = std::filesystem;
using namespace tarrabel;

int failures = 0;

void Fail(const fs::path& file, const std::string& why) {
    std::fprintf(stderr, "saved_files_check: %s: %s\n", file.c_str(), why.c_str());
    ++failures;
}

// The whole file, or nothing when it is not there (or not a readable file).
std::optional<std::string> ReadWhole(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(file, ec)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        Fail(file, "cannot be read");
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

fs::path Backup(const fs::path& file) {
    fs::path backup = file;
    backup += ".bak";
    return backup;
}

void CheckSettings(const fs::path& file) {
    const std::optional<std::string> text = ReadWhole(file);
    if (!text) return;
    std::string warnings;
    ParseSettings(*text, [&warnings](int line, std::string_view why) {
        warnings += (warnings.empty() ? "line " : "; line ") + std::to_string(line) + ": " +
                    std::string(why);
    });
    if (!warnings.empty()) Fail(file, "the game's own settings are warned about: " + warnings);
}

// Parses the statistics file; true with *out when it is there and parses.
bool CheckStatistics(const fs::path& file, Statistics* out) {
    const std::optional<std::string> text = ReadWhole(file);
    if (!text) return false;
    if (!ParseStatistics(*text, out)) {
        Fail(file, "does not parse (" + std::to_string(text->size()) + " bytes)");
        return false;
    }
    return true;
}

// Parses the kept match; true with *out when it is there and parses.
bool CheckKeptMatch(const fs::path& file, KeptMatch* out) {
    const std::optional<std::string> text = ReadWhole(file);
    if (!text) return false;
    KeptMatch& kept = *out;
    std::string why;
    if (!ParseKeptMatch(*text, &kept, &why)) {
        Fail(file, "does not parse (" + std::to_string(text->size()) + " bytes): " + why);
        return false;
    }
    return true;
}

// Whether the process with that id is running (a writer still at work).
bool Running(long pid) {
    return pid > 0 && (kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

// Names the temporary files in the folder; answers how many a killed writer left. One that
// is not NAME.tmp.PID, or whose writer still runs, is a failure: the game is not running
// while this looks.
int StaleTemporaryFiles(const fs::path& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return 0;
    int stale = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        const size_t at = name.find(".tmp");
        if (at == std::string::npos) continue;
        const std::string suffix = name.substr(at + 4);
        long pid = 0;
        size_t used = 0;
        try {
            if (suffix.size() > 1 && suffix[0] == '.') pid = std::stol(suffix.substr(1), &used);
        } catch (const std::exception&) {
            pid = 0;
        }
        if (pid <= 0 || used + 1 != suffix.size()) {
            Fail(entry.path(), "a temporary file of an unknown kind");
        } else if (Running(pid)) {
            Fail(entry.path(), "still being written by process " + std::to_string(pid));
        } else {
            std::fprintf(stderr,
                         "saved_files_check: note: %s was left by a writer that was killed "
                         "(%ju bytes); the game does not read it\n",
                         entry.path().c_str(), uintmax_t(fs::file_size(entry.path(), ec)));
            ++stale;
        }
    }
    return stale;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: saved_files_check CONFIG_FOLDER DATA_FOLDER\n");
        return 2;
    }
    const fs::path configFolder = argv[1], dataFolder = argv[2];

    const fs::path settings = configFolder / kSettingsFileName;
    CheckSettings(settings);
    CheckSettings(Backup(settings));

    const fs::path statistics = dataFolder / kStatisticsFileName;
    Statistics results, previous;
    const bool haveFile = CheckStatistics(statistics, &results);
    const bool haveBackup = CheckStatistics(Backup(statistics), &previous);
    std::error_code ec;
    if (!fs::exists(statistics, ec) && fs::exists(Backup(statistics), ec))
        Fail(statistics, "is gone while its .bak is there");
    // As the next start reads them: the file, else the .bak, else nothing yet.
    if (!haveFile && haveBackup) results = previous;

    const fs::path kept = dataFolder / kKeptMatchFileName;
    KeptMatch inFile, inBackup;
    const bool keptThere = CheckKeptMatch(kept, &inFile);
    const bool keptBackup = CheckKeptMatch(Backup(kept), &inBackup);
    // The one the next start resumes, or counts as abandoned when a new match is started.
    const KeptMatch& resumed = keptThere ? inFile : inBackup;
    const char* keptState = !keptThere && !keptBackup ? "no"
                            : AlreadyCounted(results, {resumed.Chain, resumed.MatchIndex})
                                ? "counted"
                                : "new";
    fs::path unusable = kept;
    unusable += ".unusable";
    if (fs::exists(unusable, ec))
        Fail(unusable, "the game set its own kept match aside (its stderr says why)");

    const int stale = StaleTemporaryFiles(configFolder) + StaleTemporaryFiles(dataFolder);

    std::string counts = "counts";
    for (int v = 0; v < kVariantCount; ++v) {
        int64_t played = 0, won = 0, lost = 0;
        for (const GameRecord& r : results.Records[size_t(v)]) {
            played += r.Played;
            won += r.Won;
            lost += r.Lost;
        }
        for (const int64_t n : {played, won, lost})
            counts.append(" ").append(std::to_string(n));
    }
    std::printf("%s\nkept %s", counts.c_str(), keptState);
    if (keptThere || keptBackup) std::printf(" %d", int(resumed.Options.Variant));
    std::printf("\nstale-temp %d\n", stale);
    return failures == 0 ? 0 : 1;
}
