// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/entry_app.h"
#include "services/host_path.h"
#include "services/storage_card.h"

namespace {

#ifdef _WIN32
// The Windows program shows its form in a window of its own and finds the
// card among the removable drives. Its GPX import is the companion's: the
// form's import of a GPX file is made and tested on Linux only.
constexpr bool kScreenOptions = false;
constexpr bool kGpxArgument = false;

constexpr const char* kUsageLine = "Usage: quillpost [--card DIR] | --help | --version\n";

constexpr const char* kUsage =
    "Usage: quillpost [--card DIR] | --help | --version\n"
    "\n"
    "Type a named position in degrees, degrees and minutes, degrees, minutes and\n"
    "seconds, or UTM, and append it as a route point to a route file (*.rte) on\n"
    "the navigation device's storage card. The form opens in a window.\n"
    "\n"
    "  --card DIR  use the storage card in the folder DIR (a drive such as E:\\)\n"
    "  --help      show this text and end\n"
    "  --version   show the version and end\n"
    "\n"
    "The storage card is the folder --card names, else the one\n"
    "QUILLPOST_STORAGE_CARD names, else the first removable drive whose root\n"
    "holds \\MN6\\Settings\\Routes (with several, the chooser's title names the\n"
    "drive used), else %LOCALAPPDATA%\\Quillpost\\Storage Card. Its route files\n"
    "are in \\MN6\\Settings\\Routes\\. The settings are kept in\n"
    "%APPDATA%\\Kvo Applications\\Quillpost.ini.\n";

constexpr const char* kMountedCards =
    "\nRemovable drives that hold a storage card now (without --card and\n"
    "QUILLPOST_STORAGE_CARD, the first is used):\n";
#else
constexpr bool kScreenOptions = true;
constexpr bool kGpxArgument = true;

constexpr const char* kUsageLine =
    "Usage: quillpost [--card DIR] [--window | --terminal] [FILE.gpx] | --help | --version\n";

constexpr const char* kUsage =
    "Usage: quillpost [--card DIR] [--window | --terminal] [FILE.gpx] | --help | --version\n"
    "\n"
    "Type a named position in degrees, degrees and minutes, degrees, minutes and\n"
    "seconds, or UTM, and append it as a route point to a route file (*.rte) on\n"
    "the navigation device's storage card.\n"
    "\n"
    "With FILE.gpx: import the one route of a GPX file, or its waypoints when it\n"
    "has no route, into the route file chosen as for Add, all points at once\n"
    "(quillpost-geo import chooses among several routes).\n"
    "\n"
    "The form opens in a desktop window when a display can be reached (DISPLAY\n"
    "or WAYLAND_DISPLAY is set and the display answers), and in the terminal\n"
    "otherwise.\n"
    "\n"
    "  --card DIR  use the storage card mounted at DIR\n"
    "  --window    open the window, or end with status 1 when there is no display\n"
    "  --terminal  show the form in the terminal, also on a desktop\n"
    "  --help      show this text and end\n"
    "  --version   show the version and end\n"
    "\n"
    "The storage card is the folder --card names, else the one\n"
    "QUILLPOST_STORAGE_CARD names, else a mounted volume whose root holds\n"
    "MN6/Settings/Routes (cards under /media, /run/media and /mnt first, the one\n"
    "mounted last first; with several, the chooser's title names the card used),\n"
    "else $XDG_DATA_HOME/quillpost/Storage Card. Its route files are in\n"
    "MN6/Settings/Routes/. The settings are kept in\n"
    "$XDG_CONFIG_HOME/Kvo Applications/Quillpost.ini.\n";

constexpr const char* kMountedCards =
    "\nStorage cards mounted now (without --card and QUILLPOST_STORAGE_CARD,\n"
    "the first is used):\n";
#endif

// The cards mounted now, for the usage: which one the program would take.
void PrintMountedCards() {
    const std::vector<std::filesystem::path> cards = MountedCardsNow();
    if (cards.empty()) {
        return;
    }
    std::fputs(kMountedCards, stdout);
    for (const std::filesystem::path& card : cards) {
        std::printf("  %s\n", WideToHostBytes(WideFromHostPath(card)).c_str());
    }
}

}  // namespace

CommandLine ReadCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    const auto refuse = [&line](std::string why) {
        line.action = CommandLine::Action::Refused;
        line.refusal = std::move(why);
        return line;
    };
    bool chosen = false;  // one of --window, --terminal, --help, --version
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--card") {
            if (!line.card.empty()) {
                return refuse("takes --card once, not also '" + std::string(option) + "'");
            }
            if (i + 1 >= argc || *argv[i + 1] == 0) {
                return refuse("--card needs the folder of the storage card");
            }
            const std::string card = argv[++i];
            line.card = HostPathFromWide(HostBytesToWide(card));
            std::error_code error;
            if (!std::filesystem::is_directory(line.card, error)) {
                return refuse("--card '" + card + "' is not a folder");
            }
            continue;
        }
        if (!option.starts_with("-") && kGpxArgument) {
            if (!line.gpx.empty()) {
                return refuse("imports one GPX file, not also '" + std::string(option) + "'");
            }
            line.gpx = HostPathFromWide(HostBytesToWide(option));
            continue;
        }
        const bool screen = option == "--window" || option == "--terminal";
        if (option != "--help" && option != "--version" && !(screen && kScreenOptions)) {
            return refuse("unknown argument '" + std::string(option) + "'");
        }
        if (chosen) {
            return refuse("takes one option at most, not also '" + std::string(option) + "'");
        }
        chosen = true;
        if (option == "--help") {
            line.action = CommandLine::Action::Help;
        } else if (option == "--version") {
            line.action = CommandLine::Action::Version;
        } else {
            line.screen = option == "--window" ? Screen::Window : Screen::Terminal;
        }
    }
    if (!line.gpx.empty() && line.action != CommandLine::Action::Run) {
        return refuse("--help and --version take no GPX file, not also '" +
                      WideToHostBytes(WideFromHostPath(line.gpx)) + "'");
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
            PrintMountedCards();
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
    if (!line.card.empty()) {
        UseStorageCard(line.card);
    }
    if (!line.gpx.empty()) {
        theApp.ImportOnStart(line.gpx);
    }
    return std::nullopt;
}
