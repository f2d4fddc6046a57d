// SPDX-License-Identifier: MIT
// The append's promises, one suite for every system: built natively and for
// Windows, where it runs under wine. What only one system can show (links,
// permission bits, a file size limit, a file held open without sharing) is
// marked where it stands.
#include "route/route_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "services/whole_file.h"
#include "support/scratch_dir.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

namespace fs = std::filesystem;

#ifndef _WIN32
// A file system that moves the old file aside before it renames (FUSE does
// so with a file that is open) and then fails: the next renames over a route
// file remove it and fail, as often as the test says. Every other rename is
// the system's.
static int g_renamesFailingHalfWay = 0;

extern "C" int renameat2(int fromFolder, const char* from, int toFolder, const char* to,
                         unsigned int flags) noexcept {
    using Rename = int (*)(int, const char*, int, const char*, unsigned int);
    static const auto system = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "renameat2"));
    if (g_renamesFailingHalfWay > 0 && flags == 0 && std::string_view(to).ends_with(".rte")) {
        --g_renamesFailingHalfWay;
        unlink(to);
        errno = EIO;
        return -1;
    }
    return system(fromFolder, from, toFolder, to, flags);
}
#endif

namespace {

const std::string kHomeLine = "[Home||][0][10]|10.000000,53.500000||10.000000|53.500000|\n";
const std::string kHomeCrLf = "[Home||][0][10]|10.000000,53.500000||10.000000|53.500000|\r\n";

// How the system's words for what the tests refuse begin; Windows and wine
// word some of them differently.
#ifdef _WIN32
const std::string kNoFolder = "";
const std::string kDenied = "Access";
#else
const std::string kNoFolder = "No such file or directory";
const std::string kDenied = "Permission denied";
#endif

std::set<std::string> Entries(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Keeps a file open as its writer does while the writer lives, so that it
// counts as another appender's copy at work.
class HeldAsWriter {
public:
    explicit HeldAsWriter(const fs::path& file) {
#ifdef _WIN32
        m_handle = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(m_handle, INVALID_HANDLE_VALUE);
#else
        m_fd = open(file.c_str(), O_RDONLY);
        EXPECT_EQ(flock(m_fd, LOCK_EX), 0);
#endif
    }
    ~HeldAsWriter() {
#ifdef _WIN32
        CloseHandle(m_handle);
#else
        close(m_fd);
#endif
    }
    HeldAsWriter(const HeldAsWriter&) = delete;
    HeldAsWriter& operator=(const HeldAsWriter&) = delete;

private:
#ifdef _WIN32
    HANDLE m_handle;
#else
    int m_fd;
#endif
};

// Another appender at work: it holds the route folder's lock.
WholeFile::FolderLock OtherAppendersLock(const fs::path& folder) {
    WholeFile::Failure failure;
    WholeFile::FolderLock lock = WholeFile::FolderLock::TryTake(folder, &failure);
    EXPECT_TRUE(lock.IsHeld()) << failure.reason;
    return lock;
}

void AppendBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::app) << bytes;
}

class RouteFile : public ::testing::Test {
protected:
    ScratchDir dir;
    fs::path file = dir / "route.rte";
};

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
    fs::remove(file);
    ASSERT_TRUE(AppendToRouteFile(file, kHomeLine).written);
    ASSERT_TRUE(AppendToRouteFile(file, kHomeLine).written);
    EXPECT_EQ(ReadFileBytes(file), kHomeCrLf + kHomeCrLf);
    EXPECT_EQ(Entries(dir.path()), std::set<std::string>{"route.rte"});
}

TEST_F(RouteFile, WhatCannotBeWrittenStaysAsItWasAndSaysWhy) {
    fs::create_directory(dir / "folder.rte");
    WriteFileBytes(file, "x\r\n");
    // Root could write it, and so could a rename on wine, but a file made
    // read-only is the user's way of keeping it as it is.
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const auto before = Entries(dir.path());

    const struct {
        std::string name;
        std::string reason;
    } cases[] = {
        {"missing/route.rte", kNoFolder},
        {"folder.rte", "Is a directory"},
        {"route.rte", kDenied},
    };
    for (const auto& c : cases) {
        const AppendResult result = AppendToRouteFile(dir / c.name, kHomeLine);
        EXPECT_FALSE(result.written) << c.name;
        EXPECT_FALSE(result.reason.empty()) << c.name;
        EXPECT_EQ(result.reason.substr(0, c.reason.size()), c.reason) << c.name;
    }
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(Entries(dir.path()), before);
    EXPECT_TRUE(fs::is_empty(dir / "folder.rte"));
    EXPECT_EQ(ReadFileBytes(file), "x\r\n");
}

// Another program reading the route file: POSIX replaces the file under it,
// the reader keeps the old one; Windows cannot replace a file that is open
// without sharing, and the append is refused with the system's reason.
TEST_F(RouteFile, AFileAnotherProgramHoldsOpenIsReplacedWholeOrNotAtAll) {
    WriteFileBytes(file, "x\r\n");
    AppendResult result;
    {
        const HeldAsWriter reader(file);
        result = AppendToRouteFile(file, kHomeLine);
    }
#ifdef _WIN32
    EXPECT_FALSE(result.written);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(ReadFileBytes(file), "x\r\n");
#else
    EXPECT_TRUE(result.written) << result.reason;
    EXPECT_EQ(ReadFileBytes(file), "x\r\n" + kHomeCrLf);
#endif
    EXPECT_EQ(Entries(dir.path()), std::set<std::string>{"route.rte"});
}

// While the holder of the folder's lock keeps the route file growing, the
// next appender waits; once it lets go, the line goes after the holder's.
TEST_F(RouteFile, AnotherAppenderIsWaitedForWhileTheFileKeepsChanging) {
    WriteFileBytes(file, "x\r\n");
    std::atomic<bool> released = false;
    WholeFile::FolderLock lock = OtherAppendersLock(dir.path());
    std::thread holder([&] {
        for (int i = 0; i < 14; ++i) {  // 7 seconds, beyond the patience
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            AppendBytes(file, "h\r\n");
        }
        released = true;
        lock = WholeFile::FolderLock();
    });
    const AppendResult result = AppendToRouteFile(file, kHomeLine);
    const bool afterRelease = released;
    holder.join();
    EXPECT_TRUE(result.written) << result.reason;
    EXPECT_TRUE(afterRelease);
    std::string holders;
    for (int i = 0; i < 14; ++i) {
        holders += "h\r\n";
    }
    EXPECT_EQ(ReadFileBytes(file), "x\r\n" + holders + kHomeCrLf);
}

TEST_F(RouteFile, AnotherAppendersLockIsWaitedForOnlySoLongWithoutAChange) {
    WriteFileBytes(file, "x\r\n");
    const WholeFile::FolderLock lock = OtherAppendersLock(dir.path());
    const auto start = std::chrono::steady_clock::now();
    const AppendResult result = AppendToRouteFile(file, kHomeLine);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.reason, "locked by another program");
    EXPECT_EQ(ReadFileBytes(file), "x\r\n");
}

// A program that does not take the lock makes the route file while ours
// waits for it: the line goes to that file, which is not replaced.
TEST_F(RouteFile, AFileAnotherProgramMakesMeanwhileGetsTheLine) {
    AppendResult result;
    WholeFile::FolderLock lock = OtherAppendersLock(dir.path());
    std::thread appender([&] { result = AppendToRouteFile(file, kHomeLine); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    WriteFileBytes(file, "made\n");
    lock = WholeFile::FolderLock();
    appender.join();
    EXPECT_TRUE(result.written) << result.reason;
    EXPECT_EQ(ReadFileBytes(file), "made\n" + kHomeLine);
}

// The rename that puts a new file in place never replaces one that another
// program made in the last moment; a kept copy never replaces an earlier one.
TEST_F(RouteFile, ACopyNeverReplacesWhatItMustNot) {
    WriteFileBytes(file, "theirs\n");
    WholeFile::Copy copy(dir / ".quillpost-append-", "ours\n", {});
    ASSERT_FALSE(copy.failure()) << copy.failure().reason;
    EXPECT_EQ(copy.MoveTo(file, false).kind, WholeFile::Failure::Kind::Exists);
    EXPECT_EQ(ReadFileBytes(file), "theirs\n");

    WriteFileBytes(dir / "route.rte.recovered", "earlier\n");
    EXPECT_EQ(copy.Keep(file), dir / "route.rte.recovered-2");
    EXPECT_EQ(ReadFileBytes(dir / "route.rte.recovered"), "earlier\n");
    EXPECT_EQ(ReadFileBytes(dir / "route.rte.recovered-2"), "ours\n");
}

// A copy whose writer is gone is removed by the next append; one whose
// writer still holds it is left alone, and so is what is not ours.
TEST_F(RouteFile, CopiesOfWritersThatAreGoneAreRemoved) {
    WriteFileBytes(file, "x\r\n");
    WriteFileBytes(dir / ".quillpost-append-gone01", "x\r\n[half");
    WriteFileBytes(dir / ".quillpost-append-alive1", "x\r\n");
    WriteFileBytes(dir / ".fuse_hidden0000000100000001", "not ours");
    {
        const HeldAsWriter writer(dir / ".quillpost-append-alive1");
        ASSERT_TRUE(AppendToRouteFile(file, kHomeLine).written);
        EXPECT_EQ(Entries(dir.path()),
                  (std::set<std::string>{".fuse_hidden0000000100000001", ".quillpost-append-alive1",
                                         "route.rte"}));
    }
    ASSERT_TRUE(AppendToRouteFile(file, kHomeLine).written);
    EXPECT_EQ(Entries(dir.path()),
              (std::set<std::string>{".fuse_hidden0000000100000001", "route.rte"}));
    EXPECT_EQ(ReadFileBytes(file), "x\r\n" + kHomeCrLf + kHomeCrLf);
}

// Four appenders making the same new file at once, then two appending to one
// file: serialised by the folder's lock, each line lands exactly once and
// whole.
TEST_F(RouteFile, AppendersAtOnceEachAddTheirLinesWhole) {
    for (int round = 0; round < 10; ++round) {
        const fs::path made = dir / ("new" + std::to_string(round) + ".rte");
        std::vector<std::thread> appenders;
        std::atomic<int> written = 0;
        for (char c : {'a', 'b', 'c', 'd'}) {
            appenders.emplace_back([&, c] {
                written += AppendToRouteFile(made, std::string(1, c) + "\n").written ? 1 : 0;
            });
        }
        for (auto& appender : appenders) {
            appender.join();
        }
        ASSERT_EQ(written, 4);
        const std::string content = ReadFileBytes(made);
        ASSERT_EQ(content.size(), 12u) << content;
        for (const char c : {'a', 'b', 'c', 'd'}) {
            EXPECT_NE(content.find(std::string(1, c) + "\r\n"), std::string::npos) << content;
        }
    }

    WriteFileBytes(file, "x");
    const int kLines = 200;
    std::vector<std::thread> appenders;
    for (char c : {'a', 'b'}) {
        appenders.emplace_back([&, c] {
            const std::string line = std::string(300, c) + "\n";
            for (int i = 0; i < kLines; ++i) {
                EXPECT_TRUE(AppendToRouteFile(file, line).written);
            }
        });
    }
    for (auto& appender : appenders) {
        appender.join();
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
}

#ifndef _WIN32
fs::perms Permissions(const fs::path& file) {
    return fs::status(file).permissions();
}

// What POSIX alone has: a new file gets what any new file gets, a replaced
// one keeps its permissions, a link is followed and stays, and only a
// regular file takes the line.
TEST_F(RouteFile, PermissionsLinksAndWhatIsNoFile) {
    const mode_t old = umask(022);
    ASSERT_TRUE(AppendToRouteFile(file, kHomeLine).written);
    umask(old);
    EXPECT_EQ(Permissions(file), static_cast<fs::perms>(0644));
    fs::permissions(file, static_cast<fs::perms>(0640));
    ASSERT_TRUE(AppendToRouteFile(file, kHomeLine).written);
    EXPECT_EQ(Permissions(file), static_cast<fs::perms>(0640));

    fs::create_directory(dir / "card");
    WriteFileBytes(dir / "card/real.rte", "x\r\n");
    fs::create_symlink("card/real.rte", dir / "link.rte");
    ASSERT_TRUE(AppendToRouteFile(dir / "link.rte", kHomeLine).written);
    EXPECT_TRUE(fs::is_symlink(dir / "link.rte"));
    EXPECT_EQ(ReadFileBytes(dir / "card/real.rte"), "x\r\n" + kHomeCrLf);
    EXPECT_EQ(Entries(dir / "card"), std::set<std::string>{"real.rte"});

    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0644), 0);
    fs::create_symlink("card", dir / "to-folder.rte");
    fs::create_symlink("pipe", dir / "to-pipe.rte");
    fs::create_symlink("nowhere/y.rte", dir / "dangling.rte");
    const auto before = Entries(dir.path());
    const struct {
        std::string name;
        std::string reason;
    } cases[] = {
        {"to-folder.rte", "Is a directory"},
        {"to-pipe.rte", "not a regular file"},
        {"dangling.rte", "No such file or directory"},
    };
    for (const auto& c : cases) {
        const AppendResult result = AppendToRouteFile(dir / c.name, kHomeLine);
        EXPECT_FALSE(result.written) << c.name;
        EXPECT_EQ(result.reason, c.reason) << c.name;
    }
    EXPECT_EQ(Entries(dir.path()), before);
}

// The rename over the route file fails half-way and leaves no route file:
// it is tried again, and when that fails too, the whole content with the
// new line is kept beside and the message says where.
TEST_F(RouteFile, ARenameThatFailsHalfWayLosesNothing) {
    WriteFileBytes(file, "x\r\n");
    g_renamesFailingHalfWay = 1;
    ASSERT_TRUE(AppendToRouteFile(file, kHomeLine).written);
    EXPECT_EQ(ReadFileBytes(file), "x\r\n" + kHomeCrLf);

    g_renamesFailingHalfWay = 2;
    const AppendResult result = AppendToRouteFile(file, kHomeLine);
    g_renamesFailingHalfWay = 0;
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.reason,
              "Input/output error; the route file is no longer there, its content with the new "
              "point is in 'route.rte.recovered'");
    EXPECT_EQ(ReadFileBytes(dir / "route.rte.recovered"), "x\r\n" + kHomeCrLf + kHomeCrLf);
    EXPECT_EQ(Entries(dir.path()), std::set<std::string>{"route.rte.recovered"});

    // The next append makes the route file anew and leaves the kept one.
    ASSERT_TRUE(AppendToRouteFile(file, kHomeLine).written);
    EXPECT_EQ(ReadFileBytes(file), kHomeCrLf);
    EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"route.rte", "route.rte.recovered"}));
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
#endif

}  // namespace
