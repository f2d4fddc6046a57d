#include "backends/desktop/display_probe.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
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

bool X11Answers() {
    if (Environment("DISPLAY").empty()) {
        return false;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool answered = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answered;
}

}  // namespace

std::string ReachablePlatform() {
    const std::string chosen = Environment("QT_QPA_PLATFORM");
    if (!chosen.empty()) {
        return chosen;
    }
    if (WaylandAnswers() && QtHasWaylandPlugin()) {
        return "wayland";
    }
    if (X11Answers()) {
        return "xcb";
    }
    return {};
}
