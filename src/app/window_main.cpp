// SPDX-License-Identifier: MIT
// The window program, which quillpost starts when a display is named: it
// shows the form in a desktop window when the display can be reached, and
// in the terminal when it cannot (unless the window was asked for).
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/command_line.h"
#include "app/run_program.h"
#include "backends/desktop/desktop_backend.h"
#include "backends/desktop/display_probe.h"

int main(int argc, char** argv) {
    const CommandLine line = ReadCommandLine(argc, argv);
    if (const auto status = AnswerCommandLine(line)) {
        return *status;
    }
    std::optional<DisplayProbe> probe;
    if (line.screen != Screen::Terminal) {
        probe.emplace();
    }
    const std::string platform = probe ? probe->Platform() : "";
    if (platform.empty()) {
        if (line.screen == Screen::Window) {
            std::fputs(
                "quillpost: --window needs a display, and none can be reached "
                "(DISPLAY or WAYLAND_DISPLAY)\n",
                stderr);
            return 1;
        }
        return RunInTerminal();
    }
    setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    if (platform.starts_with("wayland") && !WaylandHasSeat()) {
        // Without a seat there is no keyboard to compose text with; no input
        // method is loaded, so that Qt's does not crash on the missing seat.
        setenv("QT_IM_MODULE", "none", 1);
    }
    DesktopBackend desktop(argc, argv);
    probe.reset();  // Qt has its own connection now
    const int status = RunProgram(desktop);
    ReportUnsavedSettings();
    if (desktop.DisplayLost()) {
        std::fputs("quillpost: the display went away; the form was closed as with Cancel\n",
                   stderr);
        // Shutting Qt down would talk to the server that is gone.
        std::_Exit(1);
    }
    return StatusAfterEndSignal(status);
}
