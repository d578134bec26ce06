// The game from start-up to exit on the null platform: the real frame loop with the real
// art, the human's seat clicked by the simulator's player, compared event for event with
// the simulator; the idle waits; and the ways start-up can fail.
#include "app/table_app.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/startup_dialog.h"
#include "core/turns.h"
#include "platform/letterbox.h"
#include "platform/null_platform.h"
#include "platform/picture_convert.h"
#include "session/trace_writer.h"
#include "simulate/human_policy.h"
#include "simulate/simulator.h"
#include "support/game_folder.h"
#include "support/table_fixture.h"

namespace tarrabel::test {
namespace {

namespace fs = std::filesystem;

struct PlayCase {
    GameVariant variant;
    uint64_t seed;
};

class PlayedThroughTheLoop : public testing::TestWithParam<PlayCase> {};

// Two deals through TableApp's frames, the human clicked by the simulator's player; then
// Escape. The trace is the simulator's, event for event, and nothing is left open.
TEST_P(PlayedThroughTheLoop, MatchesTheSimulatorAndReleasesEverything) {
    const PlayCase& c = GetParam();
    constexpr int kDeals = 2;
    GameFolder folder;
    std::string error;
    ASSERT_TRUE(folder.Unpack(&error)) << error;

    std::FILE* appTrace = std::tmpfile();
    std::FILE* simTrace = std::tmpfile();
    ASSERT_TRUE(appTrace && simTrace);

    {
        platform::NullPlatform null;
        JsonTraceWriter writer(appTrace);
        TableAppConfig config;
        config.Options = DefaultOptions(c.variant);
        config.Options.FullScreen = false;
        config.Seed = c.seed;
        config.Trace = &writer;
        config.IdleWait = false;  // frame for frame with the simulator's 16 ms clock
        TableApp app(null, folder.tree, config);
        ASSERT_TRUE(app.GameInit(&error)) << error;
        EXPECT_FALSE(folder.ResLeft()) << "the res tree outlives the loading";
        EXPECT_TRUE(null.DisplayOpen());
        EXPECT_FALSE(null.SystemCursorVisible());

        sim::HumanPolicy human(c.seed ^ 0x5DEECE66Dull);
        const Game& g = app.game();
        int deals = 0;
        bool counted = false;
        for (int64_t frame = 0; deals < kDeals && frame < 2'000'000; ++frame) {
            null.SetInput(human.Decide(g));
            ASSERT_TRUE(app.RunFrame());
            if (g.State == GameState::DealScored && !counted) ++deals;
            counted = g.State == GameState::DealScored;
        }
        ASSERT_EQ(deals, kDeals);
        EXPECT_EQ(int64_t(null.FramesPresented()), app.FramesDrawn());
        EXPECT_FALSE(null.Recorded().Played.empty());
        EXPECT_FALSE(null.Caption().empty());

        FrameInput escape;
        escape.EscapeDown = true;
        null.SetInput(escape);
        EXPECT_FALSE(app.RunFrame());
        app.ExitGame();
        EXPECT_FALSE(null.DisplayOpen());
        EXPECT_TRUE(null.SystemCursorVisible());
        EXPECT_TRUE(app.Pictures().Felt.Empty());
        EXPECT_EQ(app.Pictures().CardsLoaded, 0);
    }
    EXPECT_FALSE(folder.ResLeft());

    sim::SimConfig sc;
    sc.variant = c.variant;
    sc.deals = kDeals;
    sc.seed = c.seed;
    JsonTraceWriter simWriter(simTrace);
    sc.trace = &simWriter;
    const sim::SimResult r = sim::RunSimulation(sc);
    ASSERT_TRUE(r.ok) << r.error;

    const std::string a = ReadAll(appTrace), s = ReadAll(simTrace);
    std::fclose(appTrace);
    std::fclose(simTrace);
    EXPECT_GT(a.size(), 1000u);
    EXPECT_TRUE(a == s) << "the game's trace differs from the simulator's";
}

INSTANTIATE_TEST_SUITE_P(Variants, PlayedThroughTheLoop,
                         testing::Values(PlayCase{GameVariant::Tarrabel, 11},
                                         PlayCase{GameVariant::HuitAmericain, 12},
                                         PlayCase{GameVariant::Agonia, 13},
                                         PlayCase{GameVariant::IllustratedAgonia, 14},
                                         PlayCase{GameVariant::PisYedili, 15}),
                         [](const auto& info) { return NameOf(info.param.variant); });

// From the options dialog's start button to Escape: the choices reach the table, a deal is
// played with scripted clicks, and everything is released.
struct DialogCase {
    const char* name;
    int game;
    bool illustrated;
    int deck;  // 0 Royal, 1 Roya2, 2 Roya3
    bool slow;
    GameVariant variant;
    int16_t cardHeight;
};

class FromTheDialog : public testing::TestWithParam<DialogCase> {};

TEST_P(FromTheDialog, TheChoicesReachTheTableAndEscapeReleasesEverything) {
    const DialogCase& c = GetParam();
    StartupDialog dialog;
    dialog.Open();
    dialog.ClickTab(4);
    dialog.ChooseGame(c.game);
    if (c.illustrated) dialog.CheckIllustratedAgonia(true);
    dialog.ChooseDeck(StartupDialog::Deck(c.deck));
    dialog.CheckSlowAnimation(c.slow);
    dialog.CheckWindowed(true);
    const GameOptions options = dialog.OnStart();
    dialog.OnClose();  // the game's start-up closes the dialog: the program goes on
    EXPECT_FALSE(dialog.Ended);

    GameFolder folder;
    std::string error;
    ASSERT_TRUE(folder.Unpack(&error)) << error;
    {
        platform::NullPlatform null;
        TableAppConfig config;
        config.Options = options;
        config.Seed = 21;
        config.IdleWait = false;
        TableApp app(null, folder.tree, config);
        ASSERT_TRUE(app.GameInit(&error)) << error;
        const Game& g = app.game();
        EXPECT_EQ(g.Options.Variant, c.variant);
        EXPECT_EQ(g.Layout.CardHeight, c.cardHeight);
        EXPECT_EQ(g.Layout.FlightFrames, c.slow ? 20 : 10);
        EXPECT_FALSE(null.Settings().FullScreen);
        EXPECT_EQ(app.Pictures().CardsLoaded, g.Rules.DeckSize);
        EXPECT_EQ(app.Pictures().CardFaces[0].Height, c.cardHeight);

        sim::HumanPolicy human(21);
        int frames = 0;
        for (; frames < 400000 && g.State != GameState::DealScored; ++frames) {
            null.SetInput(human.Decide(g));
            ASSERT_TRUE(app.RunFrame());
        }
        EXPECT_EQ(g.State, GameState::DealScored) << "no deal ended in " << frames << " frames";
        FrameInput escape;
        escape.EscapeDown = true;
        null.SetInput(escape);
        EXPECT_FALSE(app.RunFrame());
        app.ExitGame();
        EXPECT_FALSE(null.DisplayOpen());
        EXPECT_EQ(app.Pictures().CardsLoaded, 0);
    }
    EXPECT_FALSE(folder.ResLeft());
}

INSTANTIATE_TEST_SUITE_P(
    Choices, FromTheDialog,
    testing::Values(
        DialogCase{"Tarrabel", 0, false, 0, false, GameVariant::Tarrabel, 151},
        DialogCase{"HuitAmericainRoya2", 1, false, 1, true, GameVariant::HuitAmericain, 153},
        DialogCase{"AgoniaRoya3", 2, false, 2, false, GameVariant::Agonia, 153},
        DialogCase{"IllustratedAgonia", 2, true, 0, false, GameVariant::IllustratedAgonia, 151},
        DialogCase{"PisYediliSlow", 3, false, 1, true, GameVariant::PisYedili, 153}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- redrawing only what changed ----------------------------------------------------------

struct RedrawCase {
    GameVariant variant;
    int32_t drawableWidth, drawableHeight;  // the window's pixels: they set the density
};

class RedrawnInParts : public testing::TestWithParam<RedrawCase> {};

// A whole deal of each game, frame by frame, at the densities of several screens: the back
// buffer, kept up by redrawing only the rectangles that changed, is the table drawn whole
// from the frame's list.
TEST_P(RedrawnInParts, EveryFrameIsTheWholeTable) {
    const RedrawCase& c = GetParam();
    GameFolder folder;
    std::string error;
    platform::NullPlatform null;
    null.SetDrawableSize(c.drawableWidth, c.drawableHeight);
    TableAppConfig config;
    config.Options = DefaultOptions(c.variant);
    config.Seed = 31;
    config.IdleWait = false;
    config.UnpackArt = [&folder](int32_t density, ResourceTree* tree, std::string* why) {
        UnpackOptions o;
        o.ArchiveFolder = folder.dir;
        o.Density = density;
        return UnpackResources(o, platform::ConvertJpegToBmp, tree, why);
    };
    TableApp app(null, folder.tree, config);
    ASSERT_TRUE(app.GameInit(&error)) << error;
    const int32_t k = platform::DensityFor(c.drawableWidth, c.drawableHeight, 800, 600);
    EXPECT_EQ(app.Density(), k);

    sim::HumanPolicy human(31);
    const Game& g = app.game();
    platform::Surface whole;
    int frames = 0, partial = 0;
    for (; frames < 400000 && g.State != GameState::DealScored; ++frames) {
        null.SetInput(human.Decide(g));
        ASSERT_TRUE(app.RunFrame());
        const platform::Surface& back = app.BackBuffer();
        ASSERT_EQ(back.Width, 800 * k);
        if (whole.Width != back.Width) whole = platform::MakeSurface(back.Width, back.Height);
        // A pixel left stale stays stale until its tile changes again, so every fourth
        // frame is enough at the larger densities (drawing the whole 3x table every frame
        // of a deal is most of the test's time); at 1x every frame.
        if (k == 1 || frames % 4 == 0) {
            Compose(app.Frame(), whole, {0, 0, back.Width, back.Height});
            ASSERT_TRUE(whole.Pixels == back.Pixels) << "frame " << frames;
        }
        EXPECT_EQ(null.LastChanged().size(), app.Redrawn().size());
        if (app.Redrawn().size() == 1 && app.Redrawn()[0].Right == back.Width &&
            app.Redrawn()[0].Bottom == back.Height)
            continue;
        ++partial;
    }
    EXPECT_EQ(g.State, GameState::DealScored);
    EXPECT_GT(partial, frames / 2) << "most frames change a few cards, not the whole table";
}

INSTANTIATE_TEST_SUITE_P(Games, RedrawnInParts,
                         testing::Values(RedrawCase{GameVariant::Tarrabel, 800, 600},
                                         RedrawCase{GameVariant::HuitAmericain, 1920, 1080},
                                         RedrawCase{GameVariant::Agonia, 3840, 2160},
                                         RedrawCase{GameVariant::IllustratedAgonia, 1366, 768},
                                         RedrawCase{GameVariant::PisYedili, 2560, 1440}),
                         [](const auto& info) {
                             return NameOf(info.param.variant) + "_" +
                                    std::to_string(info.param.drawableWidth);
                         });

// ---- idle waits ------------------------------------------------------------------------

struct IdleFixture : testing::Test {
    GameFolder folder;
    platform::NullPlatform null;
    std::unique_ptr<TableApp> app;
    std::string error;

    void Start(GameVariant v = GameVariant::Agonia) {
        ASSERT_TRUE(folder.Unpack(&error)) << error;
        TableAppConfig config;
        config.Options = DefaultOptions(v);
        config.Seed = 3;
        app = std::make_unique<TableApp>(null, folder.tree, config);
        ASSERT_TRUE(app->GameInit(&error)) << error;
        null.SetSecondsOfDay(10 * 3600 + 30);  // 10:00:30, half a minute to the next
    }
    // Frames until the loop would sleep.
    int FramesUntilIdle(int limit = 100000) {
        for (int n = 0; n < limit; ++n) {
            EXPECT_TRUE(app->RunFrame());
            if (app->IdleTimeoutMs() >= 0) return n;
        }
        return -1;
    }
};

TEST_F(IdleFixture, FlyingCardsNeverWaitATimedPauseWaitsExactlyItsRest) {
    Start();
    Game& g = app->game();
    // Dealing: every frame moves a card, so the loop never sleeps until the deal is out.
    for (int n = 0; n < 5; ++n) {
        ASSERT_TRUE(app->RunFrame());
        ASSERT_TRUE(AnyCardMoving(g));
        EXPECT_EQ(app->IdleTimeoutMs(), -1);
    }
    // The first time nothing changes is a timed pause or the human's turn.
    ASSERT_GE(FramesUntilIdle(), 0);
    if (g.State == GameState::Paused) {
        const int32_t rest = g.PauseLength - int32_t(null.TicksMs() - uint32_t(g.PauseStart));
        EXPECT_EQ(app->IdleTimeoutMs(), std::max(0, rest));
        EXPECT_LE(app->IdleTimeoutMs(), 30'000);
    } else {
        EXPECT_TRUE(g.WaitingForHuman);
        EXPECT_EQ(app->IdleTimeoutMs(), 30'000);  // the clock's next minute
    }
}

TEST_F(IdleFixture, WhileTheHumanThinksTheLoopWakesOnlyForTheClock) {
    Start();
    Game& g = app->game();
    for (int n = 0; n < 200000 &&
                    !(g.WaitingForHuman && g.State == GameState::NormalPlay && !AnyCardMoving(g));
         ++n) {
        ASSERT_TRUE(app->RunFrame());
        // Let timed pauses run out as the real loop would.
        if (app->IdleTimeoutMs() > 0) null.AdvanceTicks(uint32_t(app->IdleTimeoutMs()));
    }
    ASSERT_TRUE(g.WaitingForHuman);
    ASSERT_TRUE(app->RunFrame());
    ASSERT_TRUE(app->RunFrame());
    EXPECT_EQ(app->IdleTimeoutMs(), 30'000);
    const int64_t drawn = app->FramesDrawn();

    // Moving the pointer redraws (the pointer moved) and then idles again.
    FrameInput in;
    in.MouseX = 123;
    in.MouseY = 45;
    null.SetInput(in);
    ASSERT_TRUE(app->RunFrame());
    EXPECT_EQ(app->IdleTimeoutMs(), -1);
    ASSERT_TRUE(app->RunFrame());
    EXPECT_GE(app->IdleTimeoutMs(), 0);
    EXPECT_EQ(app->FramesDrawn(), drawn + 2);
}

TEST_F(IdleFixture, PWaitsForInputOnlyAndFreezesThePicture) {
    Start();
    FrameInput p;
    p.PauseKeyDown = true;
    null.SetInput(p);
    ASSERT_TRUE(app->RunFrame());
    EXPECT_TRUE(app->game().Paused);
    const int64_t drawn = app->FramesDrawn();
    const Game before = app->game();
    for (int n = 0; n < 10; ++n) {
        ASSERT_TRUE(app->RunFrame());  // P still held: no second toggle
        EXPECT_EQ(app->IdleTimeoutMs(), 0x7fffffff);
    }
    EXPECT_EQ(app->FramesDrawn(), drawn);
    EXPECT_EQ(app->game().DeckPos, before.DeckPos);
    // The frozen picture is still handed over, with nothing changed in it: a window that
    // is switched or uncovered during the pause shows it whole again.
    EXPECT_EQ(null.LastPresented(), &app->BackBuffer());
    EXPECT_TRUE(null.LastChanged().empty());
    // Escape still acts at once while paused.
    p.EscapeDown = true;
    null.SetInput(p);
    EXPECT_FALSE(app->RunFrame());
}

// F11 or Alt+Return during play (the null platform's mode switched under the table): the
// caption with the pointer and frame rate is kept up in a window only, the desktop's pointer
// is back only while paused in a window, the options follow the mode for the next start,
// and the deal goes on.
TEST_F(IdleFixture, TheCaptionAndTheDesktopPointerFollowTheModeThePlayerSwitchesTo) {
    Start();  // full screen, as the game opens by default
    ASSERT_TRUE(null.Settings().FullScreen);
    for (int n = 0; n < 3; ++n)
        ASSERT_TRUE(app->RunFrame());
    EXPECT_EQ(null.Caption(), "Tarrabel") << "a caption nobody sees was kept up";
    const int64_t drawn = app->FramesDrawn();

    null.SetFullScreen(false);
    ASSERT_TRUE(app->RunFrame());
    EXPECT_FALSE(app->Options().FullScreen);
    EXPECT_NE(null.Caption().find("Frames per Second"), std::string::npos) << null.Caption();
    EXPECT_GT(app->FramesDrawn(), drawn) << "the table is drawn on in its window";

    FrameInput pause;
    pause.PauseKeyDown = true;
    null.SetInput(pause);
    ASSERT_TRUE(app->RunFrame());
    ASSERT_TRUE(app->game().Paused);
    EXPECT_TRUE(null.SystemCursorVisible()) << "paused in a window";
    null.SetFullScreen(true);
    ASSERT_TRUE(app->RunFrame());
    EXPECT_TRUE(app->Options().FullScreen);
    EXPECT_FALSE(null.SystemCursorVisible()) << "paused in full screen";
    null.SetFullScreen(false);
    ASSERT_TRUE(app->RunFrame());
    EXPECT_TRUE(null.SystemCursorVisible()) << "paused in a window again";

    null.SetInput(FrameInput{});  // P let go and pressed again: play goes on
    ASSERT_TRUE(app->RunFrame());
    null.SetInput(pause);
    ASSERT_TRUE(app->RunFrame());
    EXPECT_FALSE(app->game().Paused);
    EXPECT_FALSE(null.SystemCursorVisible()) << "the table draws its own pointer";
}

TEST_F(IdleFixture, MinimisedSkipsFramesAndClosingTheWindowEndsTheGame) {
    Start();
    null.SetMinimised(true);
    const int64_t drawn = app->FramesDrawn();
    ASSERT_TRUE(app->RunFrame());
    EXPECT_EQ(app->FramesDrawn(), drawn);
    EXPECT_EQ(app->IdleTimeoutMs(), 0x7fffffff);
    null.SetMinimised(false);
    null.RequestClose();
    EXPECT_FALSE(app->RunFrame());
}

// ---- start-up failures ---------------------------------------------------------------------

TEST(TableAppStart, NoDisplayGivesItsMessageAndOpensNothing) {
    GameFolder folder;
    std::string error;
    ASSERT_TRUE(folder.Unpack(&error)) << error;
    platform::NullPlatform null;
    null.SetOpenDisplayError("Error in function DirectX() \r\nError Number: 1\r\nNo display");
    TableAppConfig config;
    TableApp app(null, folder.tree, config);
    EXPECT_FALSE(app.GameInit(&error));
    EXPECT_NE(error.find("DirectX"), std::string::npos);
    EXPECT_FALSE(null.DisplayOpen());
    DeleteResources(folder.tree);
    EXPECT_FALSE(folder.ResLeft());
}

TEST(TableAppStart, AMissingPictureNamesTheFileAndClosesTheDisplay) {
    GameFolder folder;
    std::string error;
    ASSERT_TRUE(folder.Unpack(&error)) << error;
    fs::remove(folder.dir / "res" / "Roya2" / "7H.BMP");
    platform::NullPlatform null;
    TableAppConfig config;
    config.Options.DeckName = "Roya2";
    TableApp app(null, folder.tree, config);
    EXPECT_FALSE(app.GameInit(&error));
    EXPECT_NE(error.find("Error in function CreateSurfaceFromFile() \r\nError Number: "),
              std::string::npos)
        << error;
    EXPECT_NE(error.find("7H.BMP"), std::string::npos) << error;
    EXPECT_FALSE(null.DisplayOpen());
}

TEST(WindowCaption, PointerAndFrameRateWithOneDecimal) {
    EXPECT_EQ(WindowCaption(400, 300, 59.94f), "   400   300    Frames per Second =59.9");
    EXPECT_EQ(WindowCaption(0, 0, 0.5f), "   0   0    Frames per Second =.5");
    EXPECT_EQ(WindowCaption(7, 8, 0), "   7   8    Frames per Second =.0");
}

}  // namespace
}  // namespace tarrabel::test
