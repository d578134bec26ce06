// Tarrabel: four players at a card table, five shedding games.
//
// Start-up: read the command line, unpack the art beside its archive, open the table, play
// until the player leaves, and leave nothing behind on disk.
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/match_keeper.h"
#include "app/remembered_options.h"
#include "app/startup_flow.h"
#include "app/table_app.h"
#include "core/options.h"
#include "persist/atomic_file.h"
#include "persist/kept_match.h"
#include "persist/settings_file.h"
#include "persist/statistics.h"
#include "persist/xdg_paths.h"
#include "platform/picture_convert.h"
#include "platform/platform.h"
#include "resources/archive_location.h"
#include "resources/pak_archive.h"
#include "resources/unpack.h"
#include "session/trace_writer.h"

// The data folder of an installed game relative to its executable's folder; the build
// passes the one its install rules use.
#ifndef TARRABEL_INSTALLED_DATA
#define TARRABEL_INSTALLED_DATA "../share/tarrabel"
#endif

namespace {

using namespace tarrabel;

// Without --seed every run deals differently: the time of day seeds the generator.
uint64_t TimeSeed() {
    return uint64_t(std::chrono::system_clock::now().time_since_epoch().count());
}

int Fail(platform::Platform& p, const ResourceTree* tree, const std::string& message) {
    if (tree) DeleteResources(*tree);
    p.CloseDisplay();  // the message is shown once the game's window is gone
    p.ShowMessage(message);
    return 1;
}

// A name for a new chain of play, different in every start.
uint64_t NewChainId() {
    std::random_device device;
    const uint64_t id = (uint64_t(device()) << 32) ^ device() ^ TimeSeed();
    return id != 0 ? id : 1;
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine cl;
    std::string error;
    if (!ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), &cl, &error)) {
        std::fprintf(stderr, "tarrabel: %s\n%s\n", error.c_str(), CommandLineUsage().c_str());
        return 2;
    }
    if (cl.Help) {
        std::fputs(CommandLineHelp().c_str(), stdout);
        return 0;
    }

    // What the game remembers: the options of the last start (unless --no-config), the
    // results and the match left unfinished.
    const std::optional<std::filesystem::path> configFolder =
        cl.NoConfig ? std::nullopt : ConfigFolder();
    const std::optional<std::filesystem::path> dataFolder = DataFolder();
    if (cl.Stats) {
        const Statistics results = dataFolder ? LoadStatistics(*dataFolder) : Statistics{};
        std::fputs(StatisticsTable(results).c_str(), stdout);
        return 0;
    }
    const Settings settings = configFolder ? ReadSettings(*configFolder) : Settings{};

    std::unique_ptr<platform::Platform> platform = platform::MakeSdlPlatform();

    // The trace file is opened before anything is unpacked, so a bad path costs nothing.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> traceFile(nullptr, &std::fclose);
    std::unique_ptr<JsonTraceWriter> trace;
    if (!cl.TracePath.empty()) {
        traceFile.reset(std::fopen(cl.TracePath.c_str(), "w"));
        if (!traceFile) {
            std::fprintf(stderr, "tarrabel: cannot write the trace file %s\n",
                         cl.TracePath.c_str());
            return 2;
        }
        // Line by line, so the trace so far can be read while the game runs and survives
        // a game that is killed; a deal writes a few hundred short lines.
        std::setvbuf(traceFile.get(), nullptr, _IOLBF, BUFSIZ);
        trace = std::make_unique<JsonTraceWriter>(traceFile.get());
    }

    // The archive beside the executable (a build folder) or in the installed data folder.
    // The tree is unpacked next to it, or into a private temporary folder when that folder
    // is read-only, as an installed game's is.
    UnpackOptions unpack;
    unpack.PakFileName = std::string(kPakFileName);
    unpack.ArchiveFolder =
        FindArchiveFolder(ExecutableFolder(), unpack.PakFileName, TARRABEL_INSTALLED_DATA);

    // The choices of the last start, the command line's over them for this start only: with
    // the dialog they are where its controls start, without it the game's options.
    GameOptions options = OptionsOf(settings);
    if (cl.Variant) {
        options.Variant = *cl.Variant;
        options.TargetScore = kVariantSettings[int(*cl.Variant)].TargetScore;
    }
    if (cl.ComputerLevel) options.ComputerLevel = *cl.ComputerLevel;
    if (cl.FourColour) options.FourColourSuits = true;
    if (cl.Windowed) options.FullScreen = false;
    // For the end-to-end checks: matches that end within a deal or two.
    if (const char* target = std::getenv("TARRABEL_TARGET_SCORE")) {
        const int points = std::atoi(target);
        if (points > 0 && points <= 1000) options.TargetScore = int16_t(points);
    }
    // A missing or damaged archive is reported before any window opens: no game could
    // start. (The art is unpacked once the window is open and its size says which set.)
    {
        const std::filesystem::path witness =
            unpack.ArchiveFolder / kResFolder / kWitnessFolder / kWitnessFile;
        PakArchive archive;
        std::error_code ec;
        if (!std::filesystem::exists(witness, ec) &&
            !archive.Open((unpack.ArchiveFolder / unpack.PakFileName).string(), &error))
            return Fail(*platform, nullptr, error);
    }

    // The match left unfinished, played again up to where it was left.
    MatchKeeper keeper(dataFolder, TARRABEL_VERSION);
    ReplayedMatch replayed;
    std::string replayTrace;
    const std::optional<KeptMatch> kept =
        dataFolder
            ? ReplayTheMatchLeft(*dataFolder, keeper, trace != nullptr, &replayed, &replayTrace)
            : std::nullopt;

    // The options dialog first, unless the command line chose the game or the match to
    // resume.
    StartupAnswer answer = StartupAnswer::Start;
    if (cl.Resume && kept) {
        answer = StartupAnswer::Resume;
    } else {
        if (cl.Resume) std::fprintf(stderr, "tarrabel: no match was left unfinished\n");
        if (!cl.Variant) {
            StartupOffer offer;
            offer.Choices = options;
            if (settings.Window)
                offer.Window =
                    platform::WindowGeometry{settings.Window->X, settings.Window->Y,
                                             settings.Window->Width, settings.Window->Height};
            offer.CanResume = kept.has_value();
            if (kept) {
                offer.ResumeLabel = ResumeLabel(*kept);
                offer.ResumeShortLabel = ResumeShortLabel(*kept);
            }
            if (dataFolder) {
                offer.Results = LoadStatistics(*dataFolder);
                offer.ResetResults = [&dataFolder] {
                    std::string why;
                    if (!ResetStatistics(*dataFolder, &why))
                        std::fprintf(stderr, "tarrabel: %s\n", why.c_str());
                    return LoadStatistics(*dataFolder);
                };
            }
            GameOptions chosen = options;
            if (!RunStartupDialog(*platform, (unpack.ArchiveFolder / unpack.PakFileName).string(),
                                  offer, &answer, &chosen, &error))
                return Fail(*platform, nullptr, error);
            if (answer == StartupAnswer::Exit) {
                platform->CloseDisplay();  // "Exit", Escape or the close box: no game
                return 0;
            }
            // The window mode is the dialog's for a resumed match too.
            const bool fullScreen = chosen.FullScreen;
            if (answer == StartupAnswer::Start) options = chosen;
            options.FullScreen = fullScreen;
        }
    }
    if (cl.Windowed) options.FullScreen = false;

    // The settings to keep: the choices of this start, except what the command line set.
    Settings remembered = settings;
    if (answer == StartupAnswer::Start) {
        RememberOptions(&remembered, options);
        if (cl.Variant) remembered.Variant = settings.Variant;
        if (cl.ComputerLevel) remembered.Level = settings.Level;
        if (cl.FourColour) remembered.FourColourSuits = settings.FourColourSuits;
    }
    remembered.Windowed = cl.Windowed ? settings.Windowed : !options.FullScreen;

    TableAppConfig config;
    if (answer == StartupAnswer::Resume) {
        // The kept match where it was left, its trace from the match's start.
        const bool fullScreen = options.FullScreen;
        options = kept->Options;
        options.FullScreen = fullScreen;
        config.Resume = &replayed;
        if (traceFile) std::fwrite(replayTrace.data(), 1, replayTrace.size(), traceFile.get());
        config.Seed = kept->Seed;
    } else {
        // A new match over the kept one: that one counts as abandoned.
        if (kept) AbandonKeptMatch(*dataFolder, *kept, /*removeFile=*/true);
        config.Seed = cl.Seed.value_or(TimeSeed());
        keeper.BeginChain(options, config.Seed, NewChainId());
    }
    keeper.PassTraceTo(trace.get());
    if (configFolder && !(remembered == settings)) {
        std::string why;
        if (!WriteSettings(*configFolder, remembered, &why))
            std::fprintf(stderr, "tarrabel: %s; the options are not remembered\n", why.c_str());
    }
    unpack.PakFileName = std::string(options.PakFileName);
    const ResourceTree tree;  // filled by the table as it unpacks
    // Ctrl+C or a kill while the art is unpacked and loaded waits until the display is up:
    // from then on it is a quit event, and the game leaves the usual way, deleting the tree.
    sigset_t quitSignals;
    sigemptyset(&quitSignals);
    sigaddset(&quitSignals, SIGINT);
    sigaddset(&quitSignals, SIGTERM);
    sigprocmask(SIG_BLOCK, &quitSignals, nullptr);
    struct UnblockAtExit {
        sigset_t* set;
        ~UnblockAtExit() { sigprocmask(SIG_UNBLOCK, set, nullptr); }
    } unblockAtExit{&quitSignals};
    config.Options = options;
    config.Trace = &keeper;
    config.Recorder = &keeper;
    if (settings.Window)
        config.Window = platform::WindowGeometry{settings.Window->X, settings.Window->Y,
                                                 settings.Window->Width, settings.Window->Height};
    config.UnpackArt = [&unpack](int32_t density, ResourceTree* into, std::string* why) {
        UnpackOptions atDensity = unpack;
        atDensity.Density = density;
        return UnpackResources(atDensity, platform::ConvertJpegToBmp, into, why);
    };
    {
        // The table unpacks the art itself, and deletes it again once it is loaded (or
        // could not be).
        TableApp app(*platform, tree, config);
        if (!app.GameInit(&error)) return Fail(*platform, nullptr, error);
        sigprocmask(SIG_UNBLOCK, &quitSignals, nullptr);
        // Logging out hangs the game up: that is a quit too, as SIGTERM is to SDL, so the
        // match is kept the usual way.
        signal(SIGHUP, [](int) { kill(getpid(), SIGTERM); });
        // For timing the start-up from outside: end the process as soon as the first table
        // frame is shown (the art is already deleted), without the orderly shut-down.
        if (std::getenv("TARRABEL_EXIT_AFTER_FIRST_FRAME") && app.RunFrame()) std::_Exit(0);
        app.GameLoop();
        // The match as it was left, and the window as it was.
        keeper.Leave();
        if (configFolder) {
            Settings atExit = remembered;
            if (!cl.Windowed) atExit.Windowed = !app.Options().FullScreen;
            if (const auto place = app.WindowPlace())
                atExit.Window = WindowPlace{place->Width, place->Height, place->X, place->Y};
            std::string why;
            if (!(atExit == remembered) && !WriteSettings(*configFolder, atExit, &why))
                std::fprintf(stderr, "tarrabel: %s; the options are not remembered\n", why.c_str());
        }
    }
    return 0;
}
