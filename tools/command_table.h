// SPDX-License-Identifier: MIT
// The commands of quillpost-geo: their names, their arguments and what one
// line of each gives back, whether it comes from the command line or from a
// batch line.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "argument_reader.h"
#include "flag_reasons.h"
#include "result_line.h"

struct Outcome {
    enum class Status { Ok, Refused, UsageError };
    Status status = Status::Ok;
    std::string line;    // the result line without its line break; empty when there is none
    std::string reason;  // why the command was refused or not understood; for one that
                         // succeeded, a note on what it took (empty for none)
};

struct Command {
    std::string_view name;
    std::string_view arguments;  // as the help shows them
    int argumentCount;           // -1: the command checks the count itself
    Outcome (*run)(ArgumentReader& arguments);
};

// fields[0] is the command's name, the rest are its arguments.
Outcome RunCommand(std::span<const std::string_view> fields, Mode mode);

// The commands in the order the help lists them.
std::span<const Command> LibraryCommands();
std::span<const Command> EverydayCommands();
std::span<const Command> RouteFileCommands();

// Whether a command answers with many lines (a listing, a document), which a
// batch, one line per command, cannot carry.
bool AnswersInManyLines(std::string_view command);

// Helpers for the commands.
Outcome UsageError(std::string reason);
// Ok with the line when the flags are 0; otherwise refused, the line kept in raw mode only.
Outcome OutcomeFromFlags(std::uint32_t flags, ResultLine& line, FlagReasons reasons);
// For the set operations, whose only output is the flags: "ok" in normal mode.
Outcome SetCommandOutcome(std::uint32_t flags, Mode mode, FlagReasons reasons);
