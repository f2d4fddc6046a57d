// SPDX-License-Identifier: MIT
// The probe of the display on a bare X server, which resets (and forgets
// everything set on it) when its last client leaves, as one does without a
// desktop: the probe must keep it from resetting until Qt has connected.
#include "backends/desktop/display_probe.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/scratch_dir.h"

namespace {

// Xvfb on a display number it picks itself, with its default of resetting.
class BareXServer {
public:
    BareXServer() {
        int numberPipe[2];
        if (pipe(numberPipe) != 0) {
            return;
        }
        m_pid = fork();
        if (m_pid == 0) {
            close(numberPipe[0]);
            const std::string fd = std::to_string(numberPipe[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
                   "640x480x24", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(numberPipe[1]);
        // Xvfb writes its display number once it takes connections.
        FILE* numberFile = fdopen(numberPipe[0], "r");
        int number = -1;
        if (numberFile && std::fscanf(numberFile, "%d", &number) == 1) {
            m_display = ":" + std::to_string(number);
        }
        if (numberFile) {
            std::fclose(numberFile);
        }
    }
    ~BareXServer() {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    const std::string& Display() const { return m_display; }

private:
    pid_t m_pid = -1;
    std::string m_display;
};

// A client that comes, does its one thing to the root window, and leaves.
class RootWindowClient {
public:
    RootWindowClient() {
        // A server that is resetting refuses connections for a moment.
        for (int attempt = 0; attempt < 200; ++attempt) {
            m_connection = xcb_connect(nullptr, nullptr);
            if (xcb_connection_has_error(m_connection) == 0) {
                break;
            }
            xcb_disconnect(m_connection);
            m_connection = nullptr;
            usleep(50'000);
        }
        if (m_connection) {
            m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
            m_mark = Atom("QUILLPOST_TEST_MARK");
        }
    }
    ~RootWindowClient() {
        if (m_connection) {
            xcb_disconnect(m_connection);
        }
    }
    bool Connected() const { return m_connection != nullptr; }

    void Mark() {
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_root, m_mark, XCB_ATOM_STRING,
                            8, 3, "yes");
        free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }
    bool IsMarked() {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            m_connection,
            xcb_get_property(m_connection, 0, m_root, m_mark, XCB_ATOM_STRING, 0, 8), nullptr);
        const bool marked = reply && xcb_get_property_value_length(reply) == 3;
        free(reply);
        return marked;
    }

private:
    xcb_atom_t Atom(const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, std::strlen(name), name), nullptr);
        xcb_atom_t atom = XCB_ATOM_NONE;
        if (reply) {
            atom = reply->atom;
        }
        free(reply);
        return atom;
    }

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_WINDOW_NONE;
    xcb_atom_t m_mark = XCB_ATOM_NONE;
};

// Whether the mark set on the root window is still there, asked by a
// client of its own that then leaves.
bool RootIsMarked() {
    RootWindowClient reader;
    EXPECT_TRUE(reader.Connected());
    return reader.Connected() && reader.IsMarked();
}

TEST(DisplayProbe, KeepsABareXServerFromResettingUntilItIsGone) {
    BareXServer server;
    ASSERT_FALSE(server.Display().empty()) << "Xvfb did not start";
    const ScopedEnv display{"DISPLAY", server.Display()};
    const ScopedEnv noPlatform{"QT_QPA_PLATFORM", ""};
    const ScopedEnv noWayland{"WAYLAND_DISPLAY", ""};
    {
        const DisplayProbe probe;
        EXPECT_EQ(probe.Platform(), "xcb");
        {
            RootWindowClient marker;
            ASSERT_TRUE(marker.Connected());
            marker.Mark();
        }
        // Time for a reset to happen if nothing held the server.
        usleep(200'000);
        EXPECT_TRUE(RootIsMarked()) << "the server reset while the probe lived";
    }
    // Once the probe is gone the server resets, so the test's server is one
    // that would have reset without the probe.
    bool marked = true;
    for (int attempt = 0; marked && attempt < 400; ++attempt) {
        usleep(50'000);
        marked = RootIsMarked();
    }
    EXPECT_FALSE(marked) << "the server never reset";
}

TEST(DisplayProbe, NamesNoPlatformWhenNoDisplayAnswers) {
    const ScopedEnv noPlatform{"QT_QPA_PLATFORM", ""};
    const ScopedEnv noWayland{"WAYLAND_DISPLAY", ""};
    const ScopedEnv display{"DISPLAY", ":9999"};
    EXPECT_EQ(DisplayProbe().Platform(), "");
}

}  // namespace
