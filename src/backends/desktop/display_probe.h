// SPDX-License-Identifier: MIT
// Whether the desktop can be reached, and through which of Qt's platforms:
// Qt itself aborts the program when its platform cannot connect, so the
// window program asks first.
#pragma once

#include <string>

// The platform to start Qt on: what QT_QPA_PLATFORM names if it is set;
// else "wayland" when the compositor named by WAYLAND_DISPLAY answers and Qt
// has its Wayland plugin, else "xcb" when the X server named by DISPLAY
// accepts a connection; empty when no display can be reached.
std::string ReachablePlatform();

// Whether the Wayland compositor named by WAYLAND_DISPLAY offers a seat (a
// keyboard and pointer). A headless compositor may offer none, and Qt's
// Wayland input method then crashes when a field draws its caret.
bool WaylandHasSeat();
