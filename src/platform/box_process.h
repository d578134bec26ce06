// A fatal error's message box, waiting for its OK in a process of its own so that Ctrl+C or
// a plain `kill` still ends the game while it is up.
//
// SDL shows its X11 box from a child process it forks and waits for, restarting the wait
// whenever a signal interrupts it; the game may also hold SIGINT and SIGTERM back (while
// the art is unpacked) when the error comes. A signal then either does nothing until
// someone clicks OK, or ends the game and leaves the box's process on screen. Here the box
// runs in a child in a process group of its own, SDL's process for the window included;
// SIGINT or SIGTERM meanwhile, or one already held back, makes the handler kill that group
// (kill() is safe in a signal handler), the wait returns and the game leaves through its
// own error exit, with that error's status and its files already deleted.
#pragma once

namespace tarrabel::platform {

// Runs show(context) in a child process and waits until it returns. True when SIGINT or
// SIGTERM ended it first (a signal held back before the call counts as soon as the box is
// up); false when it returned by itself. The caller's signal mask and handlers are as they
// were afterwards. Without a process to spare (fork fails) the box is shown here, as SDL
// would show it, and the call answers false.
bool RunBoxProcess(void (*show)(void* context), void* context);

}  // namespace tarrabel::platform
