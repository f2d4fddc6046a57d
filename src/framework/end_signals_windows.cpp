// SPDX-License-Identifier: MIT
#include "framework/end_signals.h"

#include <atomic>
#include <csignal>

namespace {

std::atomic<int> g_received{0};
static_assert(std::atomic<int>::is_always_lock_free);

// Windows has Ctrl+C (SIGINT), Ctrl+Break (SIGBREAK) and SIGTERM in its C
// runtime; no hang-up, and no descriptor to wake a poll: the Win32 dialog
// loop looks at Received() when its messages wake it.
extern "C" void OnEndSignal(int signal) {
    int none = 0;
    g_received.compare_exchange_strong(none, signal);
    std::signal(signal, OnEndSignal);  // the runtime resets the handler each time
}

}  // namespace

namespace EndSignals {

void Install() {
    for (const int signal : {SIGINT, SIGBREAK, SIGTERM}) {
        std::signal(signal, OnEndSignal);
    }
}

int WakeUpDescriptor() {
    return -1;
}

int Received() {
    return g_received.load();
}

}  // namespace EndSignals
