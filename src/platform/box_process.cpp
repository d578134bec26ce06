#include "platform/box_process.h"

#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

namespace tarrabel::platform {

namespace {

// The box's process group while it is up, and whether a signal asked the game to end. The
// handler may run on any thread that lets the signal in, not only the one waiting here:
// lock-free atomics, which a signal handler may use.
std::atomic<pid_t> boxGroup{0};
std::atomic<bool> quitAsked{false};
static_assert(std::atomic<pid_t>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

extern "C" void EndBoxOnSignal(int) {
    quitAsked = true;
    const pid_t group = boxGroup;
    // SIGKILL: the box holds nothing to save, and a box stopped mid-way by a caught or
    // blocked signal would keep the wait below waiting.
    if (group > 0) kill(-group, SIGKILL);
}

}  // namespace

bool RunBoxProcess(void (*show)(void* context), void* context) {
    sigset_t quitSignals, before;
    sigemptyset(&quitSignals);
    sigaddset(&quitSignals, SIGINT);
    sigaddset(&quitSignals, SIGTERM);
    // Held back until the handlers are in place and the box's group is known.
    pthread_sigmask(SIG_BLOCK, &quitSignals, &before);
    struct sigaction onQuit {};
    onQuit.sa_handler = EndBoxOnSignal;
    onQuit.sa_mask = quitSignals;
    onQuit.sa_flags = SA_RESTART;  // the wait goes on: the killed box ends it
    struct sigaction oldInt {
    }, oldTerm{};
    sigaction(SIGINT, &onQuit, &oldInt);
    sigaction(SIGTERM, &onQuit, &oldTerm);
    quitAsked = false;
    auto restore = [&] {
        sigaction(SIGINT, &oldInt, nullptr);
        sigaction(SIGTERM, &oldTerm, nullptr);
        pthread_sigmask(SIG_SETMASK, &before, nullptr);
    };

    std::fflush(nullptr);  // nothing buffered is written twice
    const pid_t child = fork();
    if (child == 0) {
        // The box's process: a group of its own, which the process SDL forks for the
        // window joins, and the default end on a signal.
        setpgid(0, 0);
        signal(SIGINT, SIG_DFL);
        signal(SIGTERM, SIG_DFL);
        pthread_sigmask(SIG_UNBLOCK, &quitSignals, nullptr);
        show(context);
        _exit(0);  // no exit handlers, no destructors: they are the game's to run
    }
    if (child < 0) {
        restore();
        show(context);
        return false;
    }
    setpgid(child, child);  // as the child does itself: whichever runs first
    boxGroup = child;
    // Another thread of the game may have taken a signal before the group was known here.
    if (quitAsked) kill(-child, SIGKILL);

    // Signals come in now, a held-back one at once.
    sigset_t waiting = before;
    sigdelset(&waiting, SIGINT);
    sigdelset(&waiting, SIGTERM);
    pthread_sigmask(SIG_SETMASK, &waiting, nullptr);
    // Wait for the box to end without reaping it, so that its process id cannot be given to
    // another process while the handler may still use it as a group to kill.
    siginfo_t ended{};
    while (waitid(P_PID, id_t(child), &ended, WEXITED | WNOWAIT) == -1 && errno == EINTR) {
    }
    pthread_sigmask(SIG_BLOCK, &quitSignals, nullptr);
    boxGroup = 0;
    int status = 0;
    while (waitpid(child, &status, 0) == -1 && errno == EINTR) {
    }
    const bool quit = quitAsked;
    restore();
    return quit;
}

}  // namespace tarrabel::platform
