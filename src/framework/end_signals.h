// SPDX-License-Identifier: MIT
// The signals that ask the program to end (SIGHUP, SIGTERM, SIGINT), for
// every backend: the handler only notes the first of them and makes a pipe
// readable, and the backend's input loop, which waits on that pipe, ends
// every open dialog as Cancel, so that the program leaves by its normal way
// and keeps its settings.
#pragma once

namespace EndSignals {

// Installs the handlers, once; later calls do nothing.
void Install();
// Becomes readable once an ending signal came; -1 when there is no pipe (the
// signal is still noted, but a loop waiting on input alone notices it late).
int WakeUpDescriptor();
// The first ending signal that came, 0 while none has.
int Received();

}  // namespace EndSignals
