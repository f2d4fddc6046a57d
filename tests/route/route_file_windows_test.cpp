// SPDX-License-Identifier: MIT
// The append on Windows' own terms: the lock is a file of its own that other
// appenders wait for, a read-only file is refused even where the system
// would replace it (Wine does), a file another program holds open stays as
// it was, and nothing of ours is left in the route folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "route/route_file.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;

class RouteFileWindowsTest : public ::testing::Test {
protected:
    ScratchDir folder;
    fs::path route = folder / "route.rte";

    // Everything in the folder but the route file.
    std::vector<std::string> Leftovers() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.path())) {
            if (entry.path() != route) {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }

    // Opens a file as another program would that shares nothing.
    HANDLE HoldExclusively(const fs::path& file) {
        return CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }
};

TEST_F(RouteFileWindowsTest, NewAndExistingFilesKeepTheirLineEndings) {
    const AppendResult made = AppendToRouteFile(route, "a\n");
    ASSERT_TRUE(made.written) << made.reason;
    ASSERT_TRUE(AppendToRouteFile(route, "b\n").written);
    EXPECT_EQ(ReadFileBytes(route), "a\r\nb\r\n");

    WriteFileBytes(route, "x\ny");  // written elsewhere, last line unended
    ASSERT_TRUE(AppendToRouteFile(route, "z\n").written);
    EXPECT_EQ(ReadFileBytes(route), "x\ny\nz\n");
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(RouteFileWindowsTest, RefusalsLeaveTheFileAsItWas) {
    WriteFileBytes(route, "old\r\n");
    ASSERT_TRUE(SetFileAttributesW(route.c_str(), FILE_ATTRIBUTE_READONLY));
    AppendResult result = AppendToRouteFile(route, "new\n");
    EXPECT_FALSE(result.written);
    EXPECT_FALSE(result.reason.empty());
    ASSERT_TRUE(SetFileAttributesW(route.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(ReadFileBytes(route), "old\r\n");

    const HANDLE editor = HoldExclusively(route);
    ASSERT_NE(editor, INVALID_HANDLE_VALUE);
    result = AppendToRouteFile(route, "new\n");
    CloseHandle(editor);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(ReadFileBytes(route), "old\r\n");

    EXPECT_FALSE(AppendToRouteFile(folder.path(), "new\n").written);
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(RouteFileWindowsTest, ACopyLeftByAKilledAppenderIsRemoved) {
    WriteFileBytes(folder / ".quillpost-append-4242", "half a cop");
    ASSERT_TRUE(AppendToRouteFile(route, "a\n").written);
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(RouteFileWindowsTest, AnotherAppendersLockIsWaitedForAWhile) {
    const fs::path lock = folder / ".quillpost-append.lock";
    HANDLE held = HoldExclusively(lock);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        CloseHandle(held);
    });
    const AppendResult waited = AppendToRouteFile(route, "a\n");
    release.join();
    EXPECT_TRUE(waited.written) << waited.reason;
    DeleteFileW(lock.c_str());

    held = HoldExclusively(lock);
    const auto start = std::chrono::steady_clock::now();
    const AppendResult given = AppendToRouteFile(route, "b\n");
    const auto waitedFor = std::chrono::steady_clock::now() - start;
    CloseHandle(held);
    EXPECT_FALSE(given.written);
    EXPECT_EQ(given.reason, "locked by another program");
    EXPECT_GE(waitedFor, std::chrono::seconds(5));
    EXPECT_EQ(ReadFileBytes(route), "a\r\n");
}

}  // namespace
