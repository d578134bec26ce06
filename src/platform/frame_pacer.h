// Keeps the frame loop at the display's refresh rate when presenting does not wait for the
// vertical blank itself (no vsync from the driver, a virtual X server, a hidden window).
//
// No separate detection is needed: the pacer sleeps only what is left of the refresh period
// since the previous frame. When the driver's present blocks until the blank, a period has
// already gone by and nothing is left to sleep; when presents return at once, the loop
// sleeps the rest and runs at the refresh rate instead of as fast as the processor allows.
#pragma once

#include <cstdint>

namespace tarrabel::platform {

class FramePacer {
  public:
    // Refresh rate in hertz; 0 or less means unknown, taken as 60.
    void SetRefreshRate(int32_t hertz);
    double PeriodMs() const { return periodMs_; }

    // Called right after a present returned at `nowMs` (a fine clock in milliseconds):
    // answers the whole milliseconds to sleep before the next frame starts.
    uint32_t SleepAfterPresent(double nowMs);

  private:
    double periodMs_ = 1000.0 / 60.0;
    bool started_ = false;
    double frameStartMs_ = 0;  // when the current frame's period began
};

}  // namespace tarrabel::platform
