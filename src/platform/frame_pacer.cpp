#include "platform/frame_pacer.h"

namespace tarrabel::platform {

void FramePacer::SetRefreshRate(int32_t hertz) {
    periodMs_ = 1000.0 / double(hertz > 0 ? hertz : 60);
}

uint32_t FramePacer::SleepAfterPresent(double nowMs) {
    const double deadline = frameStartMs_ + periodMs_;
    if (!started_ || nowMs >= deadline - 1.0) {
        // A whole period has passed (vsync, or a slow frame): no sleep, and a slow frame
        // is not made up for by a burst of fast ones.
        started_ = true;
        frameStartMs_ = nowMs;
        return 0;
    }
    // The next period starts at the deadline, not when the sleep happens to end, so that
    // the sleep's own lateness evens out over the frames.
    frameStartMs_ = deadline;
    return uint32_t(deadline - nowMs);
}

}  // namespace tarrabel::platform
