// SPDX-License-Identifier: MIT
// Whether the desktop can be reached, and through which of Qt's platforms:
// Qt itself aborts the program when its platform cannot connect, so the
// window program asks first.
#pragma once

#include <string>

struct xcb_connection_t;

// The platform to start Qt on: what QT_QPA_PLATFORM names if it is set;
// else "wayland" when the compositor named by WAYLAND_DISPLAY answers and Qt
// has its Wayland plugin, else "xcb" when the X server named by DISPLAY
// accepts a connection; empty when no display can be reached.
//
// The probe's connection to an X server stays open as long as the probe
// lives; keep the probe until Qt has connected. An X server without a
// desktop resets when its last client leaves, and refuses the connections
// made while it resets, so Qt's own could otherwise be refused.
class DisplayProbe {
public:
    DisplayProbe();
    ~DisplayProbe();
    DisplayProbe(const DisplayProbe&) = delete;
    DisplayProbe& operator=(const DisplayProbe&) = delete;

    const std::string& Platform() const { return m_platform; }

private:
    std::string m_platform;
    xcb_connection_t* m_x11 = nullptr;
};

// Whether the Wayland compositor named by WAYLAND_DISPLAY offers a seat (a
// keyboard and pointer). A headless compositor may offer none, and Qt's
// Wayland input method then crashes when a field draws its caret.
bool WaylandHasSeat();
