// SPDX-License-Identifier: MIT
#include "services/device_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "support/scratch_dir.h"

namespace {

constexpr const wchar_t* kRoutes = L"\\Storage Card\\MN6\\Settings\\Routes\\";

class DeviceFilesTest : public ::testing::Test {
protected:
    ScratchDir card;
    ScopedEnv env{"QUILLPOST_STORAGE_CARD", card.path().string()};
    std::filesystem::path routes = card / "MN6/Settings/Routes";

    std::vector<std::wstring> Find(const std::wstring& pattern) {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW data;
        HANDLE search = FindFirstFileW(pattern.c_str(), &data);
        if (search == INVALID_HANDLE_VALUE) {
            return names;
        }
        do {
            names.push_back(data.cFileName);
        } while (FindNextFileW(search, &data));
        EXPECT_TRUE(FindClose(search));
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(DeviceFilesTest, DevicePathsLieOnTheCard) {
    EXPECT_EQ(DeviceToHostPath(L"\\Storage Card\\MN6\\a.rte"), card / "MN6/a.rte");
    EXPECT_EQ(DeviceToHostPath(L"\\storage card\\x"), card / "x");
    EXPECT_TRUE(DeviceToHostPath(L"\\Windows\\x").empty());
    EXPECT_TRUE(DeviceToHostPath(L"\\Storage Cards\\x").empty());
    EXPECT_TRUE(DeviceToHostPath(L"\\Storage Card\\..\\etc\\passwd").empty());
}

// Windows finds its card and names its files its own way: see
// windows_services_test.cpp.
#ifndef _WIN32
TEST_F(DeviceFilesTest, TheDefaultCardIsUnderTheDataFolder) {
    ScopedEnv unset("QUILLPOST_STORAGE_CARD", "");
    ScopedEnv data("XDG_DATA_HOME", "/data");
    EXPECT_EQ(StorageCardFolder(), std::filesystem::path("/data/quillpost/Storage Card"));
}
#endif

TEST_F(DeviceFilesTest, ExtensionsMatchInAnyCase) {
    for (const char* name : {"b.rte", "ROUTE.RTE", "c.Rte", "notes.txt", "x.rtex", "rte"}) {
        WriteFileBytes(routes / name, "");
    }
    EXPECT_EQ(Find(std::wstring(kRoutes) + L"*.rte"),
              (std::vector<std::wstring>{L"ROUTE.RTE", L"b.rte", L"c.Rte"}));
    EXPECT_EQ(Find(std::wstring(kRoutes) + L"?.r*"),
              (std::vector<std::wstring>{L"b.rte", L"c.Rte", L"x.rtex"}));
}

// "a\b.rte" would be opened as the file b.rte in a folder a.
TEST_F(DeviceFilesTest, ANameHoldingABackslashIsNotListed) {
    WriteFileBytes(routes / "a\\b.rte", "");
    WriteFileBytes(routes / "c.rte", "");
    EXPECT_EQ(Find(std::wstring(kRoutes) + L"*.rte"), (std::vector<std::wstring>{L"c.rte"}));
}

TEST_F(DeviceFilesTest, NothingToFind) {
    EXPECT_TRUE(Find(std::wstring(kRoutes) + L"*.rte").empty());  // no folder
    std::filesystem::create_directories(routes);
    EXPECT_TRUE(Find(std::wstring(kRoutes) + L"*.rte").empty());  // empty folder
    EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
}

#ifndef _WIN32
TEST_F(DeviceFilesTest, NamesInAnyEncodingAreFoundAndOpenedAsTheSameFile) {
    WriteFileBytes(routes / "Ausflug-\xC3\x86r\xC3\xB8.rte", "utf8\n");  // UTF-8 "Ærø"
    WriteFileBytes(routes / "Tour-\xE9t\xE9.rte", "latin1\n");           // not UTF-8
    const auto names = Find(std::wstring(kRoutes) + L"*.rte");
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], L"Ausflug-\u00C6r\u00F8.rte");
    for (const auto& name : names) {
        std::ofstream file(DeviceToHostPath(std::wstring(kRoutes) + name), std::ios::app);
        ASSERT_TRUE(file);
        file << "more\n";
    }
    EXPECT_EQ(ReadFileBytes(routes / "Ausflug-\xC3\x86r\xC3\xB8.rte"), "utf8\nmore\n");
    EXPECT_EQ(ReadFileBytes(routes / "Tour-\xE9t\xE9.rte"), "latin1\nmore\n");
}
#endif

}  // namespace
