#include "ai/thinking_thread.h"

#include <chrono>

namespace tarrabel {

namespace {

// Waits until `value` is no longer `old`: spinning for up to a fifth of a millisecond (the
// next round of a decision comes sooner than a sleeping thread would wake), then asleep.
void AwaitChange(const std::atomic<uint32_t>& value, uint32_t old) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point until = Clock::now() + std::chrono::microseconds(200);
    for (int spins = 0; value.load(std::memory_order_acquire) == old; ++spins) {
        if ((spins & 255) == 255 && Clock::now() > until) {
            value.wait(old, std::memory_order_acquire);
            return;
        }
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    }
}

}  // namespace

ThinkingThread::ThinkingThread() : thread_([this] { Loop(); }) {}

ThinkingThread::~ThinkingThread() {
    stopping_ = true;
    posted_.fetch_add(1, std::memory_order_release);
    posted_.notify_one();
    thread_.join();
}

// Whoever comes first runs the second part: the thread, or the caller once the first part
// is done. So a thread the system is slow to wake costs a round of waiting at most.
bool ThinkingThread::Claim(uint32_t piece) {
    uint32_t before = piece - 1;
    return claimed_.compare_exchange_strong(before, piece, std::memory_order_acq_rel);
}

void ThinkingThread::RunPair(void (*work)(void* context, int part), void* context) {
    work_ = work;
    context_ = context;
    const uint32_t piece = posted_.fetch_add(1, std::memory_order_release) + 1;
    posted_.notify_one();
    work(context, 0);
    if (Claim(piece)) {
        work(context, 1);
        return;
    }
    for (uint32_t done = finished_.load(std::memory_order_acquire); done != piece;
         done = finished_.load(std::memory_order_acquire))
        AwaitChange(finished_, done);
}

void ThinkingThread::Loop() {
    uint32_t seen = 0;
    for (;;) {
        AwaitChange(posted_, seen);
        seen = posted_.load(std::memory_order_acquire);
        if (stopping_) return;
        if (!Claim(seen)) continue;  // the caller ran it already
        work_(context_, 1);
        finished_.store(seen, std::memory_order_release);
        finished_.notify_one();
    }
}

}  // namespace tarrabel
