// The null platform that tests and benchmarks run the game on: scripted input, a virtual
// clock that frames and waits move on, and a record of frames, waits and sounds.
#include "platform/null_platform.h"

#include <gtest/gtest.h>

namespace tarrabel::platform {
namespace {

TEST(NullPlatform, QueuedInputsComeFirstThenTheStandingOne) {
    NullPlatform p;
    FrameInput held;
    held.LeftDown = true;
    held.MouseX = 10;
    p.SetInput(held);
    FrameInput click;
    click.RightDown = true;
    click.MouseY = 599;
    p.QueueInput(click);
    const FrameInput a = p.ReadInput(), b = p.ReadInput(), c = p.ReadInput();
    EXPECT_TRUE(a.RightDown && !a.LeftDown && a.MouseY == 599);
    EXPECT_TRUE(b.LeftDown && !b.RightDown && b.MouseX == 10);
    EXPECT_TRUE(c.LeftDown && c.MouseX == 10);
}

TEST(NullPlatform, FramesAndWaitsMoveTheVirtualClock) {
    NullPlatform p;
    Surface frame;
    frame.Width = 2;
    frame.Height = 1;
    frame.Pixels = {kRed565, kBlue565};
    p.SetTicks(1000);
    p.Present(frame, {});
    EXPECT_EQ(p.TicksMs(), 1016u);
    p.SetTicksPerPresent(0);
    p.Present(frame, {});
    EXPECT_EQ(p.TicksMs(), 1016u);
    p.WaitForEvent(250);
    p.WaitForEvent(-1);  // waits for an event only: the clock stays
    p.WaitForEvent(0);
    EXPECT_EQ(p.TicksMs(), 1266u);
    EXPECT_EQ(p.WaitTimeouts(), (std::vector<int32_t>{250, -1, 0}));
    EXPECT_EQ(p.FramesPresented(), 2u);
    ASSERT_NE(p.LastPresented(), nullptr);
    EXPECT_EQ(p.LastPresented()->At(1, 0), kBlue565);
}

TEST(NullPlatform, ClosingResetsAndSoundsAreWhatTheTestSees) {
    NullPlatform p;
    std::string error;
    p.SetOpenDisplayError("no screen today");
    EXPECT_FALSE(p.OpenDisplay(DisplaySettings{}, &error));
    EXPECT_EQ(error, "no screen today");
    p.SetOpenDisplayError("");
    EXPECT_TRUE(p.OpenDisplay(DisplaySettings{}, &error));

    EXPECT_TRUE(p.PumpEvents());
    EXPECT_FALSE(p.TakeDisplayReset());
    p.RequestDisplayReset();
    EXPECT_TRUE(p.TakeDisplayReset());
    EXPECT_FALSE(p.TakeDisplayReset());
    p.Sound().Play(SoundId::Shuffle);
    p.Sound().Play(SoundId::Shuffle);  // every request is kept, overlapping or not
    EXPECT_EQ(p.Recorded().Played, (std::vector<SoundId>{SoundId::Shuffle, SoundId::Shuffle}));
    p.RequestClose();
    EXPECT_FALSE(p.PumpEvents());
    EXPECT_FALSE(p.PumpEvents());
}

}  // namespace
}  // namespace tarrabel::platform
