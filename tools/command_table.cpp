// SPDX-License-Identifier: MIT
#include "command_table.h"

namespace {

const Command* FindCommand(std::string_view name) {
    for (const auto commands : {EverydayCommands(), RouteFileCommands(), LibraryCommands()}) {
        for (const Command& command : commands) {
            if (command.name == name) {
                return &command;
            }
        }
    }
    return nullptr;
}

}  // namespace

Outcome RunCommand(std::span<const std::string_view> fields, Mode mode) {
    const Command* command = FindCommand(fields.front());
    if (command == nullptr) {
        return UsageError("unknown command " + Quoted(fields.front()));
    }
    const auto arguments = fields.subspan(1);
    if (command->argumentCount >= 0 &&
        arguments.size() != static_cast<std::size_t>(command->argumentCount)) {
        return UsageError(std::string(command->name) + " takes " +
                          std::to_string(command->argumentCount) +
                          " arguments: " + std::string(command->arguments));
    }
    ArgumentReader reader(arguments, mode);
    return command->run(reader);
}

Outcome UsageError(std::string reason) {
    return Outcome{Outcome::Status::UsageError, std::string(), std::move(reason)};
}

Outcome OutcomeFromFlags(std::uint32_t flags, ResultLine& line, FlagReasons reasons) {
    if (flags == 0) {
        return Outcome{Outcome::Status::Ok, std::move(line.Text()), std::string()};
    }
    Outcome refused{Outcome::Status::Refused, std::string(), DescribeFlags(flags, reasons)};
    if (line.mode() == Mode::Raw) {
        refused.line = std::move(line.Text());
    }
    return refused;
}

Outcome SetCommandOutcome(std::uint32_t flags, Mode mode, FlagReasons reasons) {
    ResultLine line(mode, flags);
    if (mode == Mode::Normal) {
        line.Verbatim("ok");
    }
    return OutcomeFromFlags(flags, line, reasons);
}
