// The program's entry point: answers --help and --version, takes over the
// terminal and lets the framework run the application object.
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/windows/backend.h"
#include "platform/windows/resource.h"
#include "platform/windows/terminal/terminal_backend.h"
#include "platform/windows/win_app.h"
#include "res/resources.h"

namespace {

constexpr const char* kUsage =
    "Usage: quillpost [--help | --version]\n"
    "\n"
    "Type a named position in degrees, degrees and minutes, degrees, minutes and\n"
    "seconds, or UTM, and append it as a route point to a route file (*.rte) on\n"
    "the navigation device's storage card.\n"
    "\n"
    "  --help     show this text and end\n"
    "  --version  show the version and end\n"
    "\n"
    "The storage card is the folder named by QUILLPOST_STORAGE_CARD (by default\n"
    "$XDG_DATA_HOME/quillpost/Storage Card); its route files are in\n"
    "MN6/Settings/Routes/. The settings are kept in\n"
    "$XDG_CONFIG_HOME/Kvo Applications/Quillpost.ini.\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        const std::string_view option = argv[1];
        if (argc == 2 && option == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argc == 2 && option == "--version") {
            std::printf("quillpost %s\n", QUILLPOST_VERSION);
            return 0;
        }
        const bool known = option == "--help" || option == "--version";
        std::fprintf(stderr,
                     "quillpost: %s '%s'\n"
                     "Usage: quillpost [--help | --version]\n",
                     known ? "takes one option at most, not also" : "unknown argument",
                     known ? argv[2] : argv[1]);
        return 2;
    }

    TerminalBackend terminal;
    if (const std::string problem = terminal.Open(); !problem.empty()) {
        std::fprintf(stderr, "quillpost: %s\n", problem.c_str());
        return 1;
    }
    AfxSetResources(&QuillpostResources());
    SetBackend(&terminal);
    const int status = AfxWinMain();
    SetBackend(nullptr);
    terminal.Close();
    // Ended by a signal, after the settings were written: the status a shell
    // gives a program the signal killed.
    const int signal = TerminalBackend::EndSignal();
    return signal != 0 ? 128 + signal : status;
}
