// The second core the expert computer player thinks on: one thread, made once, that runs
// the second part of each piece of work shared out while the caller runs the first (or
// the caller runs both, when the thread has not started on the second by then).
//
// Between pieces it spins for a moment (an expert's decision hands out its work in quick
// rounds) and then sleeps on the work counter, so an idle game costs no processor time.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "core/services.h"

namespace tarrabel {

class ThinkingThread final : public SecondCore {
  public:
    ThinkingThread();
    ~ThinkingThread() override;
    ThinkingThread(const ThinkingThread&) = delete;
    ThinkingThread& operator=(const ThinkingThread&) = delete;

    void RunPair(void (*work)(void* context, int part), void* context) override;

  private:
    void Loop();
    bool Claim(uint32_t piece);

    void (*work_)(void*, int) = nullptr;
    void* context_ = nullptr;
    bool stopping_ = false;
    std::atomic<uint32_t> posted_{0};    // pieces of work handed out
    std::atomic<uint32_t> claimed_{0};   // the last one whose second part somebody took
    std::atomic<uint32_t> finished_{0};  // the last one the thread finished
    std::thread thread_;
};

}  // namespace tarrabel
