// SPDX-License-Identifier: MIT
#include "framework/end_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

namespace {

// Lock-free, so that the handler may touch it; atomic, because in a program
// with threads (Qt's) the signal may land on any of them.
std::atomic<int> g_received{0};
static_assert(std::atomic<int>::is_always_lock_free);
int g_wakeUp[2] = {-1, -1};

// The orderly end takes a moment. A hang-up often comes twice (from the
// kernel and from the shell that loses its terminal too), and the second
// must not cut the first short, so a signal that follows is ignored.
extern "C" void OnEndSignal(int signal) {
    int none = 0;
    if (g_received.compare_exchange_strong(none, signal)) {
        const int savedErrno = errno;
        [[maybe_unused]] const ssize_t written = write(g_wakeUp[1], "", 1);
        errno = savedErrno;
    }
}

}  // namespace

namespace EndSignals {

void Install() {
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    if (pipe2(g_wakeUp, O_CLOEXEC | O_NONBLOCK) != 0) {
        g_wakeUp[0] = g_wakeUp[1] = -1;
    }
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = OnEndSignal;
    for (const int signal : {SIGHUP, SIGTERM, SIGINT}) {
        sigaction(signal, &action, nullptr);
    }
}

int WakeUpDescriptor() {
    return g_wakeUp[0];
}

int Received() {
    return g_received.load();
}

}  // namespace EndSignals
