// Tarrabel: four players at a card table, five shedding games.
//
// Start-up: read the command line, unpack the art beside its archive, open the table, play
// until the player leaves, and leave nothing behind on disk.
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/startup_flow.h"
#include "app/table_app.h"
#include "core/options.h"
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

    // --ai sets the computer players' level; with the dialog it is where "Computer players"
    // starts, and the player's choice there wins.
    GameOptions options = DefaultOptions(cl.Variant.value_or(GameVariant::Tarrabel));
    options.ComputerLevel = cl.ComputerLevel.value_or(AiLevel::Standard);
    // --four-colour likewise: the game's choice without the dialog, the box's first state
    // with it.
    options.FourColourSuits = cl.FourColour;
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
    // The options dialog first, unless the command line chose the game.
    if (!cl.Variant) {
        std::optional<GameOptions> chosen;
        if (!RunStartupDialog(*platform, (unpack.ArchiveFolder / unpack.PakFileName).string(),
                              options.ComputerLevel, options.FourColourSuits, &chosen, &error))
            return Fail(*platform, nullptr, error);
        if (!chosen) {
            platform->CloseDisplay();  // "Exit", Escape or the close box: no game
            return 0;
        }
        options = *chosen;
    }
    if (cl.Windowed) options.FullScreen = false;
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
    TableAppConfig config;
    config.Options = options;
    config.Seed = cl.Seed.value_or(TimeSeed());
    config.Trace = trace.get();
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
        // For timing the start-up from outside: end the process as soon as the first table
        // frame is shown (the art is already deleted), without the orderly shut-down.
        if (std::getenv("TARRABEL_EXIT_AFTER_FIRST_FRAME") && app.RunFrame()) std::_Exit(0);
        app.GameLoop();
    }
    return 0;
}
