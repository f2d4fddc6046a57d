// SPDX-License-Identifier: MIT
// quillpost-geo, the command-line companion of Quillpost: the program's
// conversions for scripts, and its library reachable operation by operation.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "batch.h"
#include "command_table.h"
#include "help_text.h"
#include "services/host_path.h"

namespace {

constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

int Fail(int status, const std::string& reason) {
    std::fprintf(stderr, "quillpost-geo: %s\n", reason.c_str());
    return status;
}

// An answer with its line break; none for an empty one (an empty listing).
void Print(const std::string& text) {
    if (!text.empty()) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fputc('\n', stdout);
    }
}

int RunProgram(int argc, char** argv) {
    Mode mode = Mode::Normal;
    int first = 1;
    for (; first < argc && std::string_view(argv[first]).starts_with("--"); ++first) {
        const std::string_view option = argv[first];
        if (option == "--raw") {
            mode = Mode::Raw;
        } else if (option == "--help") {
            PrintHelp(stdout);
            return 0;
        } else if (option == "--version") {
            std::printf("quillpost-geo %s\n", QUILLPOST_VERSION);
            return 0;
        } else {
            return Fail(kExitUsage, "unknown option " + Quoted(option) + " (see --help)");
        }
    }
    if (first == argc) {
        return RunBatch(mode);
    }

    const std::vector<std::string_view> fields(argv + first, argv + argc);
    const Outcome outcome = RunCommand(fields, mode);
    switch (outcome.status) {
        case Outcome::Status::Ok:
            Print(outcome.line);
            if (!outcome.reason.empty()) {
                std::fprintf(stderr, "quillpost-geo: note: %s\n", outcome.reason.c_str());
            }
            return 0;
        case Outcome::Status::Refused:
            // A refused command's output is what it could do all the same:
            // the raw mode's result line, or a listing without the lines it
            // could not read.
            Print(outcome.line);
            return Fail(kExitRefused, outcome.reason);
        case Outcome::Status::UsageError:
            break;
    }
    return Fail(kExitUsage, outcome.reason);
}

}  // namespace

#ifdef _WIN32
// Windows hands a program its arguments in the ANSI code page, which loses
// every character it lacks; the wide ones are the user's text whole, and go
// on as UTF-8, as on Linux.
int wmain(int argc, wchar_t** wideArguments) {
    std::vector<std::string> texts;
    for (int i = 0; i < argc; ++i) {
        texts.push_back(WideToHostBytes(wideArguments[i]));
    }
    std::vector<char*> arguments;
    for (std::string& text : texts) {
        arguments.push_back(text.data());
    }
    arguments.push_back(nullptr);
    return RunProgram(argc, arguments.data());
}
#else
int main(int argc, char** argv) {
    return RunProgram(argc, argv);
}
#endif
