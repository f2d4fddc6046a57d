// SPDX-License-Identifier: MIT
// What the command line asks of the program: its usage, its version, or the
// form in a desktop window, in the terminal, or in a window when a display
// can be reached and in the terminal otherwise; and which storage card.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

enum class Screen { Either, Window, Terminal };

struct CommandLine {
    enum class Action { Run, Help, Version, Refused } action = Action::Run;
    Screen screen = Screen::Either;
    std::filesystem::path card;  // --card DIR; empty when the card is to be found
    std::filesystem::path gpx;   // a GPX file to import instead of showing the form
    std::string refusal;         // for Refused: what is wrong, for the error message
};

// The arguments are the host's bytes on Linux and UTF-8 on Windows, where the
// program reads them as the wide text the system hands it.
CommandLine ReadCommandLine(int argc, const char* const* argv);

// Prints the usage, the version or the refusal that the command line asks
// for and gives the exit status (2 for a refusal); nothing when the program
// is to run, which then uses the card the line names and imports its GPX
// file, if it names one.
std::optional<int> AnswerCommandLine(const CommandLine& line);

// Whether the environment names a display (X11's DISPLAY or WAYLAND_DISPLAY);
// whether it can be reached is for the window program to find out.
bool DisplayNamed();
