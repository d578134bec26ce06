// The sleep after each present: the rest of the refresh period when presenting returned at
// once, nothing when presenting waited for the display itself or the frame was slow.
#include "platform/frame_pacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarrabel::platform {
namespace {

struct Step {
    double PresentReturnsAtMs;
    uint32_t WantSleepMs;
};

void ExpectSleeps(FramePacer& pacer, const std::vector<Step>& steps) {
    for (size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(pacer.SleepAfterPresent(steps[i].PresentReturnsAtMs), steps[i].WantSleepMs)
            << "frame " << i << " at " << steps[i].PresentReturnsAtMs;
}

TEST(FramePacer, PresentsWithoutVsyncAreHeldToTheRefreshRate) {
    FramePacer pacer;
    pacer.SetRefreshRate(60);
    // Presenting returns at once; each sleep ends a little late.
    ExpectSleeps(pacer, {{1000.0, 0},
                         {1000.3, 16},  // the period runs to 1016.67
                         {1017.1, 16},  // to 1033.33: the late wake-up is not carried on
                         {1033.7, 16},
                         {1050.4, 16}});
}

TEST(FramePacer, PresentsThatWaitForTheDisplayAreNotSleptAfter) {
    FramePacer pacer;
    pacer.SetRefreshRate(60);
    ExpectSleeps(pacer, {{1000.0, 0}, {1016.7, 0}, {1033.3, 0}, {1050.1, 0}, {1066.6, 0}});
}

TEST(FramePacer, ASlowFrameIsNotMadeUpByFastOnes) {
    FramePacer pacer;
    pacer.SetRefreshRate(60);
    ExpectSleeps(pacer, {{1000.0, 0},
                         {1045.0, 0},     // the frame took almost three periods
                         {1045.5, 16}});  // the next one is a full period again, from 1045
}

TEST(FramePacer, TheRefreshRateSetsThePeriod) {
    struct Case {
        int32_t Hertz;
        double WantPeriodMs;
    };
    for (const Case& c : {Case{60, 1000.0 / 60}, Case{144, 1000.0 / 144}, Case{75, 1000.0 / 75},
                          Case{0, 1000.0 / 60}, Case{-1, 1000.0 / 60}}) {
        FramePacer pacer;
        pacer.SetRefreshRate(c.Hertz);
        EXPECT_DOUBLE_EQ(pacer.PeriodMs(), c.WantPeriodMs) << c.Hertz << " Hz";
        pacer.SleepAfterPresent(500.0);
        EXPECT_EQ(pacer.SleepAfterPresent(500.0), uint32_t(c.WantPeriodMs)) << c.Hertz << " Hz";
    }
}

}  // namespace
}  // namespace tarrabel::platform
