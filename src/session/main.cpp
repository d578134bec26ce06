// Tarrabel: four players at a card table, five shedding games.
//
// Start-up: read the command line, unpack the art beside the executable, open the table,
// play until the player leaves, and leave nothing behind on disk.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/options.h"
#include "platform/picture_convert.h"
#include "platform/platform.h"
#include "resources/unpack.h"
#include "session/command_line.h"
#include "session/table_app.h"
#include "session/trace_writer.h"

namespace {

using namespace tarrabel;

// Without --seed every run deals differently: the time of day seeds the generator.
uint64_t TimeSeed() {
    return uint64_t(std::chrono::system_clock::now().time_since_epoch().count());
}

int Fail(platform::Platform& p, const ResourceTree* tree, const std::string& message) {
    if (tree) DeleteResources(*tree);
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

    GameOptions options = DefaultOptions(cl.Variant.value_or(GameVariant::Tarrabel));
    options.FullScreen = !cl.Windowed;

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
        trace = std::make_unique<JsonTraceWriter>(traceFile.get());
    }

    UnpackOptions unpack;
    unpack.AppPath = ExecutableFolder();
    unpack.PakFileName = std::string(options.PakFileName);
    ResourceTree tree;
    if (!UnpackResources(unpack, platform::ConvertJpegToBmp, &tree, &error))
        return Fail(*platform, nullptr, error);

    TableAppConfig config;
    config.Options = options;
    config.Seed = cl.Seed.value_or(TimeSeed());
    config.Trace = trace.get();
    {
        TableApp app(*platform, tree, config);
        if (!app.GameInit(&error)) return Fail(*platform, &tree, error);
        // For timing the start-up from outside: end the process as soon as the first table
        // frame is shown (the art is already deleted), without the orderly shut-down.
        if (std::getenv("TARRABEL_EXIT_AFTER_FIRST_FRAME") && app.RunFrame()) std::_Exit(0);
        app.GameLoop();
    }
    DeleteResources(tree);
    return 0;
}
