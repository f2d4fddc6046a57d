// SPDX-License-Identifier: MIT
#include "backends/desktop/display_probe.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xcb/xcb.h>

#include <QDir>
#include <QLibraryInfo>
#include <cstdlib>
#include <cstring>

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool WaylandAnswers() {
    std::string socketPath = Environment("WAYLAND_DISPLAY");
    if (socketPath.empty()) {
        return false;
    }
    if (socketPath.front() != '/') {
        const std::string runtime = Environment("XDG_RUNTIME_DIR");
        if (runtime.empty()) {
            return false;
        }
        socketPath = runtime + "/" + socketPath;
    }
    sockaddr_un address{};
    if (socketPath.size() >= sizeof address.sun_path) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const bool answered = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return answered;
}

bool QtHasWaylandPlugin() {
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                         QStringLiteral("/platforms"));
    return !platforms.entryList({QStringLiteral("libqwayland*")}, QDir::Files).isEmpty();
}

// An open connection to the X server named by DISPLAY, or null.
xcb_connection_t* ConnectToX11() {
    if (Environment("DISPLAY").empty()) {
        return nullptr;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return connection;
}

void NoteSeat(void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
    if (std::strcmp(interface, "wl_seat") == 0) {
        *static_cast<bool*>(data) = true;
    }
}

void IgnoreRemoval(void*, wl_registry*, uint32_t) {}

}  // namespace

bool WaylandHasSeat() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        return false;
    }
    bool seat = false;
    static const wl_registry_listener listener = {NoteSeat, IgnoreRemoval};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &seat);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return seat;
}

DisplayProbe::DisplayProbe() {
    m_platform = Environment("QT_QPA_PLATFORM");
    if (!m_platform.empty()) {
        return;
    }
    if (WaylandAnswers() && QtHasWaylandPlugin()) {
        m_platform = "wayland";
        return;
    }
    m_x11 = ConnectToX11();
    if (m_x11) {
        m_platform = "xcb";
    }
}

DisplayProbe::~DisplayProbe() {
    if (m_x11) {
        xcb_disconnect(m_x11);
    }
}
