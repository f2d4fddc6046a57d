// SPDX-License-Identifier: MIT
// Runs a program of the build as a separate process, with the given
// standard input and extra environment, and collects what it printed and its
// exit status.
#pragma once

#include <string>
#include <vector>

struct ProcessResult {
    int status = -1;  // the exit status, -1 when it did not exit normally
    std::string out;
    std::string err;
};

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input = "",
                         const std::vector<std::string>& environment = {});
