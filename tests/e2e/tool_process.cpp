// SPDX-License-Identifier: MIT
#include "tool_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "support/scratch_dir.h"

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input, const std::vector<std::string>& environment) {
    // Files rather than pipes: no deadlock however much either side writes.
    ScratchDir dir;
    const auto in = dir / "in";
    const auto out = dir / "out";
    const auto err = dir / "err";
    WriteFileBytes(in, input);

    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        const int files[] = {open(in.c_str(), O_RDONLY),
                             open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600),
                             open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600)};
        for (int fd = 0; fd < 3; ++fd) {
            dup2(files[fd], fd);
        }
        for (const std::string& assignment : environment) {
            putenv(const_cast<char*>(assignment.c_str()));
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int wstatus = 0;
    waitpid(child, &wstatus, 0);

    ProcessResult result;
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    result.out = ReadFileBytes(out);
    result.err = ReadFileBytes(err);
    return result;
}
