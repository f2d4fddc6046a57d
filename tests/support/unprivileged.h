// SPDX-License-Identifier: MIT
// Runs a piece of a test in a child process as an ordinary user, so that file
// permissions bite also when the tests run as root (root reads and writes
// through any of them). The child is "nobody" when started as root and the
// same user otherwise; what it touches must be reachable for that user.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

constexpr uid_t kNobody = 65534;

// Hands a folder or file to the user the child runs as.
inline void GiveToChild(const std::filesystem::path& path) {
    if (geteuid() == 0) {
        [[maybe_unused]] const int changed = chown(path.c_str(), kNobody, kNobody);
    }
}

// The child's exit status: what the body returned, or 2 if it reported a
// test failure, or -1 when it did not exit normally. Root may name another
// user than nobody, also one without an entry in the password database.
inline int RunUnprivileged(const std::function<int()>& body, uid_t user = kNobody) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(user) != 0 || setuid(user) != 0)) {
            _exit(3);
        }
        const int result = body();
        _exit(::testing::Test::HasFailure() ? 2 : result);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}
