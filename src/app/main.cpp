// SPDX-License-Identifier: MIT
// The program's entry point: answers --help and --version, and shows the
// form in the terminal or hands over to the window program. The window
// program is a second executable so that the terminal program never loads
// the desktop toolkit: it starts in a fraction of the time and memory.
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "app/command_line.h"
#include "app/run_program.h"

namespace {

// Beside this program in the build tree, or in its library folder where it
// is installed (bin/quillpost and libexec/quillpost/quillpost-window).
std::string WindowProgram() {
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        return {};
    }
    const std::string path(self, static_cast<size_t>(length));
    const std::string folder = path.substr(0, path.rfind('/') + 1);
    for (const std::string& candidate :
         {folder + "quillpost-window", folder + "../libexec/quillpost/quillpost-window"}) {
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine line = ReadCommandLine(argc, argv);
    if (const auto status = AnswerCommandLine(line)) {
        return *status;
    }
    if (line.screen == Screen::Window && !DisplayNamed()) {
        std::fputs(
            "quillpost: --window needs a display, and neither DISPLAY nor WAYLAND_DISPLAY is set\n",
            stderr);
        return 1;
    }
    if (line.screen == Screen::Terminal || !DisplayNamed()) {
        return RunInTerminal();
    }
    const std::string window = WindowProgram();
    if (!window.empty()) {
        execv(window.c_str(), argv);
    }
    // Without a window program only the terminal is left.
    if (line.screen == Screen::Window) {
        std::fputs(
            "quillpost: --window needs the window program quillpost-window, which cannot be "
            "started\n",
            stderr);
        return 1;
    }
    return RunInTerminal();
}
