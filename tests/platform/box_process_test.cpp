// The fatal error's box in a process of its own: SIGINT and SIGTERM end it, with whatever
// it started, also when they were held back before it came up; a box closed by its OK
// answers so; the caller's signal mask and handlers come back unchanged. The "box" here
// is a process that waits to be killed, as an unanswered box does, and starts a child of
// its own as SDL does for the box's window.
#include "platform/box_process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace tarrabel::platform {
namespace {

// A box nobody answers: its own child (written to the pipe) and itself wait forever.
void UnansweredBox(void* pipeEnd) {
    const int out = *static_cast<int*>(pipeEnd);
    const pid_t window = fork();
    if (window == 0) {
        for (;;)
            pause();
    }
    if (write(out, &window, sizeof window) != sizeof window) _exit(2);
    for (;;)
        pause();
}

void AnsweredBox(void*) {}

// Gone, or a zombie nobody has reaped yet: either way no longer on screen.
bool Ended(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string pidField, name, state;
    if (!(stat >> pidField >> name >> state)) return true;
    return state == "Z" || state == "X";
}

struct SignalState {
    sigset_t mask;
    struct sigaction onInt, onTerm;
    static SignalState Now() {
        SignalState s{};
        pthread_sigmask(SIG_SETMASK, nullptr, &s.mask);
        sigaction(SIGINT, nullptr, &s.onInt);
        sigaction(SIGTERM, nullptr, &s.onTerm);
        return s;
    }
    bool operator==(const SignalState& o) const {
        return sigismember(&mask, SIGINT) == sigismember(&o.mask, SIGINT) &&
               sigismember(&mask, SIGTERM) == sigismember(&o.mask, SIGTERM) &&
               onInt.sa_handler == o.onInt.sa_handler && onTerm.sa_handler == o.onTerm.sa_handler;
    }
};

extern "C" void IgnoreForTheTest(int) {}

TEST(BoxProcess, ASignalEndsTheBoxAndWhatItStartedEvenOneHeldBackBefore) {
    struct Case {
        const char* what;
        int signal;
        bool heldBack;  // raised while blocked, before the box came up
    };
    for (const Case c :
         {Case{"SIGINT", SIGINT, false}, Case{"SIGTERM", SIGTERM, false},
          Case{"SIGTERM held back", SIGTERM, true}, Case{"SIGINT held back", SIGINT, true}}) {
        SCOPED_TRACE(c.what);
        // The caller's own handlers and mask, as the game's may be: they must come back.
        struct sigaction mine {};
        mine.sa_handler = IgnoreForTheTest;
        struct sigaction oldInt {
        }, oldTerm{};
        sigaction(SIGINT, &mine, &oldInt);
        sigaction(SIGTERM, &mine, &oldTerm);
        sigset_t quit, callerMask;
        sigemptyset(&quit);
        sigaddset(&quit, c.signal);
        if (c.heldBack) {
            pthread_sigmask(SIG_BLOCK, &quit, &callerMask);
            kill(getpid(), c.signal);
        } else {
            pthread_sigmask(SIG_SETMASK, nullptr, &callerMask);
        }
        const SignalState before = SignalState::Now();

        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        pid_t window = 0;
        std::thread sender;
        if (!c.heldBack) {
            // Another thread sends the signal once the box's window is up, as a kill from
            // outside would come; the thread itself lets the signal in.
            sender = std::thread([&] {
                sigset_t all;
                sigemptyset(&all);
                pthread_sigmask(SIG_SETMASK, &all, nullptr);
                if (read(fds[0], &window, sizeof window) == sizeof window) kill(getpid(), c.signal);
            });
        }
        EXPECT_TRUE(RunBoxProcess(UnansweredBox, &fds[1]));
        close(fds[1]);  // a box killed before it wrote leaves the pipe empty: read ends
        if (sender.joinable()) sender.join();
        if (c.heldBack && read(fds[0], &window, sizeof window) != sizeof window) window = 0;
        close(fds[0]);
        if (window > 0) {
            for (int i = 0; i < 100 && !Ended(window); ++i)  // the kill is on its way
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            EXPECT_TRUE(Ended(window)) << "the box's own child (its window) is still running";
        }
        EXPECT_TRUE(SignalState::Now() == before) << "the caller's signal handling changed";
        sigset_t pending;
        sigpending(&pending);
        EXPECT_FALSE(sigismember(&pending, c.signal)) << "the signal is still pending";

        pthread_sigmask(SIG_SETMASK, &callerMask, nullptr);
        sigaction(SIGINT, &oldInt, nullptr);
        sigaction(SIGTERM, &oldTerm, nullptr);
    }
}

TEST(BoxProcess, ABoxClosedByItsOkEndsTheWaitWithoutASignal) {
    const SignalState before = SignalState::Now();
    EXPECT_FALSE(RunBoxProcess(AnsweredBox, nullptr));
    EXPECT_TRUE(SignalState::Now() == before);
}

}  // namespace
}  // namespace tarrabel::platform
