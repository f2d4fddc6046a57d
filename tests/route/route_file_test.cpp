// SPDX-License-Identifier: MIT
#include "route/route_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <set>
#include <sstream>

#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

const std::string kHomeLine = "[Home||][0][10]|10.000000,53.500000||10.000000|53.500000|\n";
const std::string kHomeCrLf = "[Home||][0][10]|10.000000,53.500000||10.000000|53.500000|\r\n";

std::set<std::string> Entries(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

fs::perms Permissions(const fs::path& file) {
    return fs::status(file).permissions();
}

class RouteFile : public ::testing::Test {
protected:
    ScratchDir dir;
    fs::path file = dir / "route.rte";
};

TEST_F(RouteFile, ANewFileGetsTheDevicesLineEndingAndTheUsualPermissions) {
    const mode_t old = umask(022);
    ASSERT_TRUE(AppendToRouteFile(file, kHomeLine).written);
    umask(old);
    ASSERT_TRUE(AppendToRouteFile(file, kHomeLine).written);
    EXPECT_EQ(ReadFileBytes(file), kHomeCrLf + kHomeCrLf);
    EXPECT_EQ(Permissions(file), static_cast<fs::perms>(0644));
    EXPECT_EQ(Entries(dir.path()), std::set<std::string>{"route.rte"});
}

TEST_F(RouteFile, TheFileKeepsItsStyleAndNothingGlues) {
    const std::string body = kHomeLine.substr(0, kHomeLine.size() - 1);
    const struct {
        std::string before;
        std::string after;
    } cases[] = {
        {"", body + "\r\n"},
        {"x\r\n", "x\r\n" + body + "\r\n"},
        {"x\n", "x\n" + body + "\n"},
        {"x\ny", "x\ny\n" + body + "\n"},
        {"y", "y\r\n" + body + "\r\n"},
        {"\n", "\n" + body + "\n"},
        {"x\r\n" + std::string(5000, 'y'),
         "x\r\n" + std::string(5000, 'y') + "\r\n" + body + "\r\n"},
    };
    for (const auto& c : cases) {
        WriteFileBytes(file, c.before);
        ASSERT_TRUE(AppendToRouteFile(file, kHomeLine).written);
        EXPECT_EQ(ReadFileBytes(file), c.after) << "before: " << c.before.substr(0, 8);
    }
}

// The file is replaced by a copy: what the user set on it stays, and the copy
// never lingers beside it.
TEST_F(RouteFile, TheReplacementKeepsPermissionsAndLeavesNothingBeside) {
    WriteFileBytes(file, "x\r\n");
    fs::permissions(file, static_cast<fs::perms>(0640));
    ASSERT_TRUE(AppendToRouteFile(file, kHomeLine).written);
    EXPECT_EQ(Permissions(file), static_cast<fs::perms>(0640));
    EXPECT_EQ(Entries(dir.path()), std::set<std::string>{"route.rte"});
}

TEST_F(RouteFile, ALinkIsFollowedAndStays) {
    fs::create_directory(dir / "card");
    WriteFileBytes(dir / "card/real.rte", "x\r\n");
    fs::create_symlink("card/real.rte", file);
    ASSERT_TRUE(AppendToRouteFile(file, kHomeLine).written);
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(ReadFileBytes(dir / "card/real.rte"), "x\r\n" + kHomeCrLf);
    EXPECT_EQ(Entries(dir / "card"), std::set<std::string>{"real.rte"});
}

TEST_F(RouteFile, WhatCannotBeWrittenStaysAsItWasAndSaysWhy) {
    fs::create_directory(dir / "folder");
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0644), 0);
    fs::create_symlink("folder", dir / "to-folder.rte");
    fs::create_symlink("pipe", dir / "to-pipe.rte");
    fs::create_symlink("nowhere/y.rte", dir / "dangling.rte");
    fs::create_directory(dir / "folder.rte");
    WriteFileBytes(file, "x\r\n");
    // Root could write it, but a file without write bits is meant to stay.
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    const auto before = Entries(dir.path());

    const struct {
        std::string name;
        std::string reason;
    } cases[] = {
        {"missing/route.rte", "No such file or directory"},
        {"folder.rte", "Is a directory"},
        {"to-folder.rte", "Is a directory"},
        {"to-pipe.rte", "not a regular file"},
        {"dangling.rte", "No such file or directory"},
        {"route.rte", "Permission denied"},
    };
    for (const auto& c : cases) {
        const AppendResult result = AppendToRouteFile(dir / c.name, kHomeLine);
        EXPECT_FALSE(result.written) << c.name;
        EXPECT_EQ(result.reason, c.reason) << c.name;
    }
    EXPECT_EQ(Entries(dir.path()), before);
    EXPECT_TRUE(fs::is_empty(dir / "folder"));
    EXPECT_EQ(ReadFileBytes(file), "x\r\n");
}

// A full disk, played by a file size limit: the copy cannot be written, and
// the file stays as it was, a new one is not made.
TEST_F(RouteFile, AFullDiskLeavesTheFileAsItWas) {
    WriteFileBytes(file, "x\r\ny");
    rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    for (const rlim_t limit : {rlim_t{20}, rlim_t{4}, rlim_t{0}}) {
        rlimit tight = old;
        tight.rlim_cur = limit;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
        const AppendResult existing = AppendToRouteFile(file, kHomeLine);
        const AppendResult made = AppendToRouteFile(dir / "new.rte", kHomeLine);
        setrlimit(RLIMIT_FSIZE, &old);
        EXPECT_FALSE(existing.written) << "limit " << limit;
        EXPECT_EQ(existing.reason, "File too large") << "limit " << limit;
        EXPECT_FALSE(made.written) << "limit " << limit;
        EXPECT_EQ(ReadFileBytes(file), "x\r\ny") << "limit " << limit;
        EXPECT_EQ(Entries(dir.path()), std::set<std::string>{"route.rte"}) << "limit " << limit;
    }
    std::signal(SIGXFSZ, oldHandler);
}

// Appenders take turns by the route folder's lock, so that making a new file
// and replacing an existing one are serialised alike.
TEST_F(RouteFile, AnotherAppendersLockIsWaitedForOnlySoLong) {
    WriteFileBytes(file, "x\r\n");
    const int holder = open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(flock(holder, LOCK_EX), 0);
    const AppendResult result = AppendToRouteFile(file, kHomeLine);
    close(holder);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.reason, "locked by another program");
    EXPECT_EQ(ReadFileBytes(file), "x\r\n");
}

// A copy whose writer is gone (its lock is free) is removed by the next
// append; one whose writer still holds it is left alone.
TEST_F(RouteFile, CopiesOfWritersThatAreGoneAreRemoved) {
    WriteFileBytes(file, "x\r\n");
    WriteFileBytes(dir / ".quillpost-append-gone01", "x\r\n[half");
    WriteFileBytes(dir / ".quillpost-append-alive1", "x\r\n");
    WriteFileBytes(dir / ".fuse_hidden0000000100000001", "not ours");
    const int writer = open((dir / ".quillpost-append-alive1").c_str(), O_RDONLY);
    ASSERT_EQ(flock(writer, LOCK_EX), 0);
    ASSERT_TRUE(AppendToRouteFile(file, kHomeLine).written);
    close(writer);
    EXPECT_EQ(Entries(dir.path()),
              (std::set<std::string>{".fuse_hidden0000000100000001", ".quillpost-append-alive1",
                                     "route.rte"}));
    ASSERT_TRUE(AppendToRouteFile(file, kHomeLine).written);
    EXPECT_EQ(Entries(dir.path()),
              (std::set<std::string>{".fuse_hidden0000000100000001", "route.rte"}));
    EXPECT_EQ(ReadFileBytes(file), "x\r\n" + kHomeCrLf + kHomeCrLf);
}

// Four appenders making the same new file at once: serialised by the
// folder's lock, each line lands exactly once.
TEST_F(RouteFile, AppendersMakingOneNewFileAtOnceEachAddTheirLine) {
    for (int round = 0; round < 20; ++round) {
        const fs::path made = dir / ("new" + std::to_string(round) + ".rte");
        pid_t children[4];
        for (int k = 0; k < 4; ++k) {
            children[k] = fork();
            ASSERT_GE(children[k], 0);
            if (children[k] == 0) {
                _exit(AppendToRouteFile(made, std::string(1, static_cast<char>('a' + k)) + "\n")
                              .written
                          ? 0
                          : 1);
            }
        }
        for (const pid_t child : children) {
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        std::string content = ReadFileBytes(made);
        ASSERT_EQ(content.size(), 12u) << content;
        for (const char c : {'a', 'b', 'c', 'd'}) {
            EXPECT_NE(content.find(std::string(1, c) + "\r\n"), std::string::npos) << content;
        }
    }
}

TEST_F(RouteFile, TwoProgramsAppendingAtOnceWriteWholeLines) {
    WriteFileBytes(file, "x");
    const int kLines = 1000;
    pid_t children[2];
    for (int k = 0; k < 2; ++k) {
        children[k] = fork();
        ASSERT_GE(children[k], 0);
        if (children[k] == 0) {
            const std::string line = std::string(300, k == 0 ? 'a' : 'b') + "\n";
            for (int i = 0; i < kLines; ++i) {
                if (!AppendToRouteFile(file, line).written) {
                    _exit(1);
                }
            }
            _exit(0);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::istringstream lines(ReadFileBytes(file));
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "x\r");
    int count[2] = {};
    while (std::getline(lines, line)) {
        ASSERT_TRUE(line == std::string(300, 'a') + "\r" || line == std::string(300, 'b') + "\r")
            << line.substr(0, 20);
        ++count[line[0] - 'a'];
    }
    EXPECT_EQ(count[0], kLines);
    EXPECT_EQ(count[1], kLines);
    EXPECT_EQ(Entries(dir.path()), std::set<std::string>{"route.rte"});
}

}  // namespace
