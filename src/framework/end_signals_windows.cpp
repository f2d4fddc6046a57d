// SPDX-License-Identifier: MIT
// Windows sends a program with windows no ending signals: it ends it through
// its windows (the close button, WM_QUIT), which the Win32 backend turns
// into Cancel like every other backend's end. Nothing is noted here.
#include "framework/end_signals.h"

namespace EndSignals {

void Install() {}

int WakeUpDescriptor() {
    return -1;
}

int Received() {
    return 0;
}

}  // namespace EndSignals
