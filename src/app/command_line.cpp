#include "app/command_line.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

constexpr const char* kUsageLine =
    "Usage: quillpost [--window | --terminal | --help | --version]\n";

constexpr const char* kUsage =
    "Usage: quillpost [--window | --terminal | --help | --version]\n"
    "\n"
    "Type a named position in degrees, degrees and minutes, degrees, minutes and\n"
    "seconds, or UTM, and append it as a route point to a route file (*.rte) on\n"
    "the navigation device's storage card.\n"
    "\n"
    "The form opens in a desktop window when a display can be reached (DISPLAY\n"
    "or WAYLAND_DISPLAY is set and the display answers), and in the terminal\n"
    "otherwise.\n"
    "\n"
    "  --window    open the window, or end with status 1 when there is no display\n"
    "  --terminal  show the form in the terminal, also on a desktop\n"
    "  --help      show this text and end\n"
    "  --version   show the version and end\n"
    "\n"
    "The storage card is the folder named by QUILLPOST_STORAGE_CARD (by default\n"
    "$XDG_DATA_HOME/quillpost/Storage Card); its route files are in\n"
    "MN6/Settings/Routes/. The settings are kept in\n"
    "$XDG_CONFIG_HOME/Kvo Applications/Quillpost.ini.\n";

}  // namespace

CommandLine ReadCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    if (argc < 2) {
        return line;
    }
    const std::string_view option = argv[1];
    const bool known = option == "--help" || option == "--version" || option == "--window" ||
                       option == "--terminal";
    if (!known) {
        line.action = CommandLine::Action::Refused;
        line.refusal = "unknown argument '" + std::string(option) + "'";
        return line;
    }
    if (argc > 2) {
        line.action = CommandLine::Action::Refused;
        line.refusal = "takes one option at most, not also '" + std::string(argv[2]) + "'";
        return line;
    }
    if (option == "--help") {
        line.action = CommandLine::Action::Help;
    } else if (option == "--version") {
        line.action = CommandLine::Action::Version;
    } else {
        line.screen = option == "--window" ? Screen::Window : Screen::Terminal;
    }
    return line;
}

bool DisplayNamed() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value) {
            return true;
        }
    }
    return false;
}

std::optional<int> AnswerCommandLine(const CommandLine& line) {
    switch (line.action) {
        case CommandLine::Action::Help:
            std::fputs(kUsage, stdout);
            return 0;
        case CommandLine::Action::Version:
            std::printf("quillpost %s\n", QUILLPOST_VERSION);
            return 0;
        case CommandLine::Action::Refused:
            std::fprintf(stderr, "quillpost: %s\n%s", line.refusal.c_str(), kUsageLine);
            return 2;
        case CommandLine::Action::Run:
            break;
    }
    return std::nullopt;
}
