// tableshot: pictures of the table for the README, drawn by the game's own code.
//
//   tableshot PAK OUTDIR [--variant V] [--seed N] [--deck NAME] [--keys] [--four-colour]
//
// Plays the game on the null platform from the archive PAK, the human's seat clicked by the
// simulator's player, and saves the back buffer as PNG at three moments: mid-deal
// ("table.png"), the human's suit choice after his wild card ("suit-prompt.png") and the
// score page at the end of a deal ("score-page.png").
//
// With --keys the human's seat is played on the keyboard alone (the simulator's key
// player), and the moments are the focus frame on his hand mid-deal ("keys-focus.png"),
// the hint's frame on the expert's card ("keys-hint.png"), the suit prompt with the keys
// on its icons ("keys-suit-prompt.png") and the rules over the table ("rules.png").
//
// With --four-colour the cards have four colours, and the one picture is the table mid-deal
// ("four-colour.png").
#include <SDL.h>
#include <SDL_image.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/table_app.h"
#include "core/turns.h"
#include "platform/null_platform.h"
#include "platform/picture_convert.h"
#include "session/human_keys.h"
#include "simulate/human_policy.h"
#include "simulate/key_policy.h"

namespace {

using namespace tarrabel;
namespace fs = std::filesystem;

bool SavePng(const platform::Surface& s, const fs::path& file) {
    SDL_Surface* view =
        SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint16_t*>(s.Pixels.data()), s.Width,
                                           s.Height, 16, s.Width * 2, SDL_PIXELFORMAT_RGB565);
    if (!view) return false;
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(view, SDL_PIXELFORMAT_RGB24, 0);
    const bool ok = rgb && IMG_SavePNG(rgb, file.c_str()) == 0;
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(view);
    if (ok) std::printf("wrote %s\n", file.c_str());
    return ok;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: tableshot PAK OUTDIR [--variant V] [--seed N] [--deck NAME] [--keys] "
                 "[--four-colour]\n");
    return 2;
}

// The keyboard's moments, the human's seat played by the key player; the pointer rests
// beside the hand the whole time, so the focus frame stays up.
int KeyShots(TableApp& app, platform::NullPlatform& null, uint64_t seed, const fs::path& out) {
    const Game& g = app.game();
    sim::KeyPolicy player(seed);
    bool focus = false, hint = false, prompt = false, rules = false;
    int quietFrames = 0;
    auto press = [&](TableKey key) {
        FrameInput in;
        in.MouseX = 600;
        in.MouseY = 330;
        in.PushKey(key);
        null.SetInput(in);
        return app.RunFrame();
    };
    for (int64_t frame = 0; frame < 3'000'000 && !(focus && hint && prompt && rules); ++frame) {
        FrameInput in = player.Decide(g);
        in.MouseX = 600;
        in.MouseY = 330;
        const bool humansChoice = g.SuitPromptShown && g.CurrentPlayer == kHuman;
        if (humansChoice && !prompt && quietFrames > 2) {
            prompt = SavePng(app.BackBuffer(), out / "keys-suit-prompt.png");
        } else if (humansChoice && !prompt) {
            in.KeyCount = 0;  // wait for the icons to settle
        }
        null.SetInput(in);
        if (!app.RunFrame()) break;
        quietFrames = AnyCardMoving(g) ? 0 : quietFrames + 1;
        const bool turn = g.PileCount >= 3 && g.CurrentPlayer == kHuman && g.WaitingForHuman &&
                          !g.HumanInputLocked && quietFrames > 2 && FocusFrameVisible(g);
        if (turn && !focus && g.HandCount[kHuman] >= 4) {
            press(TableKey::Right);
            press(TableKey::Right);
            focus = SavePng(app.BackBuffer(), out / "keys-focus.png");
        } else if (turn && focus && !hint) {
            press(TableKey::Hint);
            hint = SavePng(app.BackBuffer(), out / "keys-hint.png");
        } else if (turn && prompt && !rules) {
            press(TableKey::Rules);
            rules = SavePng(app.BackBuffer(), out / "rules.png");
            press(TableKey::Rules);
        }
    }
    if (focus && hint && prompt && rules) return 0;
    std::fprintf(stderr, "tableshot: not every moment came up; try another --seed\n");
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const fs::path pak = fs::absolute(argv[1]), out = argv[2];
    GameOptions options = DefaultOptions(GameVariant::Agonia);
    uint64_t seed = 5;
    bool keys = false, fourColour = false;
    for (int i = 3; i < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--keys" || a == "--four-colour") {
            (a == "--keys" ? keys : fourColour) = true;
            --i;
            continue;
        }
        if (i + 1 >= argc) return Usage();
        const std::string v = argv[i + 1];
        if (a == "--variant")
            options = DefaultOptions(GameVariant(std::atoi(v.c_str()) % kVariantCount));
        else if (a == "--seed")
            seed = std::strtoull(v.c_str(), nullptr, 10);
        else if (a == "--deck")
            options.DeckName = v == "Roya2" ? "Roya2" : v == "Roya3" ? "Roya3" : "Royal";
        else
            return Usage();
    }

    options.FourColourSuits = fourColour;
    char pattern[] = "/tmp/tableshot-XXXXXX";
    const fs::path dir = mkdtemp(pattern);
    fs::create_symlink(pak, dir / "res134.pak");
    UnpackOptions unpack;
    unpack.ArchiveFolder = dir;
    ResourceTree tree;
    std::string error;
    int status = 0;
    if (!UnpackResources(unpack, platform::ConvertJpegToBmp, &tree, &error)) {
        std::fprintf(stderr, "tableshot: %s\n", error.c_str());
        fs::remove_all(dir);
        return 1;
    }
    fs::create_directories(out);
    {
        platform::NullPlatform null;
        null.SetSecondsOfDay(21 * 3600 + 5 * 60);  // 09:05 PM
        TableAppConfig config;
        config.Options = options;
        config.Seed = seed;
        config.IdleWait = false;
        TableApp app(null, tree, config);
        if (!app.GameInit(&error)) {
            std::fprintf(stderr, "tableshot: %s\n", error.c_str());
            fs::remove_all(dir);
            return 1;
        }
        const Game& g = app.game();
        if (keys) {
            status = KeyShots(app, null, seed, out);
            app.ExitGame();
            DeleteResources(tree);
            fs::remove_all(dir);
            return status;
        }
        sim::HumanPolicy human(seed);
        // Of the four colours only the table mid-deal is wanted.
        bool table = false, prompt = fourColour, page = fourColour;
        int quietFrames = 0;
        for (int64_t frame = 0; frame < 3'000'000 && !(table && prompt && page); ++frame) {
            FrameInput in = human.Decide(g);
            const bool humansChoice = g.SuitPromptShown && g.CurrentPlayer == kHuman;
            if (humansChoice) in = {};
            if (!in.LeftDown && !in.RightDown) {
                // Rest the pointer beside the hand rather than over the cards.
                in.MouseX = 600;
                in.MouseY = 330;
            }
            if (humansChoice && !prompt) {
                in.MouseX = g.Layout.SuitIconX + 150;
                in.MouseY = g.Layout.SuitIconBottomY + 20;
            }
            null.SetInput(in);
            if (!app.RunFrame()) break;
            quietFrames = AnyCardMoving(g) ? 0 : quietFrames + 1;
            const bool midDeal = g.PileCount >= 4 && g.CurrentPlayer == kHuman &&
                                 g.WaitingForHuman && quietFrames > 2;
            if (!table && midDeal)
                table =
                    SavePng(app.BackBuffer(), out / (fourColour ? "four-colour.png" : "table.png"));
            if (!prompt && humansChoice && quietFrames > 2)
                prompt = SavePng(app.BackBuffer(), out / "suit-prompt.png");
            if (humansChoice && prompt) {
                // Choose the first suit offered, as a player would.
                for (int i = 0; i < 4; ++i)
                    if (g.SuitIcons[i].Shown) {
                        in.LeftDown = true;
                        in.MouseX = int(g.SuitIcons[i].X) + 20;
                        in.MouseY = int(g.SuitIcons[i].Y) + 20;
                        null.SetInput(in);
                        app.RunFrame();
                        break;
                    }
            }
            if (!page && g.State == GameState::DealScored && g.DealNumber >= 2)
                page = SavePng(app.BackBuffer(), out / "score-page.png");
        }
        if (!(table && prompt && page)) {
            std::fprintf(stderr, "tableshot: not every moment came up; try another --seed\n");
            status = 1;
        }
        app.ExitGame();
    }
    DeleteResources(tree);
    fs::remove_all(dir);
    return status;
}
