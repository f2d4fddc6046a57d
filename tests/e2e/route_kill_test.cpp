// SPDX-License-Identifier: MIT
// A program killed in the middle of an Add leaves the route file as it was
// or with one whole new line, never with part of one, and nothing beside it
// that the chooser would list: the file is replaced by a complete copy.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <iostream>
#include <random>

#include "route/route_file.h"
#include "route/route_line.h"
#include "support/scratch_dir.h"

namespace {

const std::string kStart = "x\r\n";

// How many copies of the line follow the start; -1 when the file is anything else.
int WholeLines(const std::string& content, const std::string& line) {
    if (content.compare(0, kStart.size(), kStart) != 0 ||
        (content.size() - kStart.size()) % line.size() != 0) {
        return -1;
    }
    int count = 0;
    for (size_t at = kStart.size(); at < content.size(); at += line.size(), ++count) {
        if (content.compare(at, line.size(), line) != 0) {
            return -1;
        }
    }
    return count;
}

class RouteKillTest : public ::testing::Test {
protected:
    RouteKillTest() { WriteFileBytes(file, kStart); }

    // Waits up to the time given, then kills the child if it still runs.
    void KillAfter(pid_t child, std::chrono::microseconds delay) {
        usleep(static_cast<useconds_t>(delay.count()));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
    }

    // Copies a kill left behind, which are removed so that each round counts
    // its own; fails the test on anything the chooser would list.
    int RemoveLeftovers() {
        int copies = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            if (entry.path() == file) {
                continue;
            }
            std::string name = entry.path().filename().string();
            for (char& c : name) {
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            }
            EXPECT_FALSE(name.ends_with(".rte")) << name;
            std::filesystem::remove(entry.path());
            ++copies;
        }
        return copies;
    }

    ScratchDir dir;
    std::filesystem::path file = dir / "route.rte";
    std::mt19937 random{std::random_device{}()};
};

// A program that does nothing but append, killed at a random moment once it
// has appended its first line: it is in the middle of an append far more
// often than a real Add would be when the signal comes. The copies left
// behind show that kills did land while a copy was being written.
TEST_F(RouteKillTest, AnAppenderKilledAtAnyMomentLeavesOnlyWholeLines) {
    const std::string line = "[Home||][0][10]|10.000000,53.500000||10.000000|53.500000|\r\n";
    const int kRounds = 100;
    int lines = 0;
    int duringCopy = 0;
    for (int round = 0; round < kRounds; ++round) {
        int started[2];
        ASSERT_EQ(pipe(started), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(started[0]);
            const std::string text = line.substr(0, line.size() - 2) + "\n";
            for (;;) {
                if (AppendToRouteFile(file, text).written && started[1] >= 0) {
                    [[maybe_unused]] const ssize_t told = write(started[1], "x", 1);
                    close(started[1]);
                    started[1] = -1;
                }
            }
        }
        close(started[1]);
        char byte = 0;
        const ssize_t got = read(started[0], &byte, 1);
        close(started[0]);
        ASSERT_EQ(got, 1) << "round " << round;
        KillAfter(child,
                  std::chrono::microseconds(std::uniform_int_distribution<int>(0, 3000)(random)));
        const int now = WholeLines(ReadFileBytes(file), line);
        ASSERT_GT(now, lines) << "round " << round;
        lines = now;
        duringCopy += RemoveLeftovers() > 0 ? 1 : 0;
    }
    std::cout << "[ info ] " << lines << " whole lines after " << kRounds << " kills, "
              << duringCopy << " of them while a copy was being written\n";
    EXPECT_GT(duringCopy, 0);
}

// The companion's append is the same code path as the program's Add, in a
// process of its own: killed at a random moment between its start and its
// end, it leaves the file unchanged or one line longer.
TEST_F(RouteKillTest, TheCompanionKilledDuringAppendLeavesTheFileOrOneMoreLine) {
    const char* const arguments[] = {QUILLPOST_GEO, "append", file.c_str(), "Home", "deg",
                                     "53.5",        "N",      "10",         "E",    nullptr};
    const auto run = [&]() {
        const pid_t child = fork();
        if (child == 0) {
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
            execv(QUILLPOST_GEO, const_cast<char* const*>(arguments));
            _exit(127);
        }
        return child;
    };

    // One whole run shows the line and how long an append takes.
    const auto begin = std::chrono::steady_clock::now();
    const pid_t first = run();
    ASSERT_GT(first, 0);
    int status = 0;
    waitpid(first, &status, 0);
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - begin);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::string line = ReadFileBytes(file).substr(kStart.size());
    ASSERT_EQ(line, "[HOME||][0][10]|10.000000,53.500000||10.000000|53.500000|\r\n");

    int unchanged = 0;
    int oneMore = 0;
    const int kRounds = 100;
    for (int round = 0; round < kRounds; ++round) {
        const std::string before = ReadFileBytes(file);
        const pid_t child = run();
        ASSERT_GT(child, 0);
        KillAfter(child, std::chrono::microseconds(
                             std::uniform_int_distribution<long>(0, span.count() * 5 / 4)(random)));
        const std::string after = ReadFileBytes(file);
        if (after == before) {
            ++unchanged;
        } else {
            ASSERT_EQ(after, before + line) << "round " << round;
            ++oneMore;
        }
        RemoveLeftovers();
    }
    std::cout << "[ info ] killed " << kRounds << " times: " << unchanged << " unchanged, "
              << oneMore << " one line more (an append takes " << span.count() << " us)\n";
}

}  // namespace
