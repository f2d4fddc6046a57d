// SPDX-License-Identifier: MIT
#include "framework/win_app.h"

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

namespace {

TEST(WinApp, TheApplicationFindsItsSettingsUnderTheConfigFolder) {
    ScratchDir dir;
    ScopedEnv config(kSettingsFolderVariable, dir.path().string());
    CWinApp app(L"Quillpost.htp");
    app.SetRegistryKey(L"Kvo Applications");
    EXPECT_EQ(app.GetProfileInt(L"Settings", L"Language", -1), static_cast<UINT>(-1));
    EXPECT_TRUE(app.WriteProfileInt(L"Settings", L"Language", 1));
    // Lines end as the system's own text files end them.
#ifdef _WIN32
    const std::string written = "[Settings]\r\nLanguage=1\r\n";
#else
    const std::string written = "[Settings]\nLanguage=1\n";
#endif
    EXPECT_EQ(ReadFileBytes(dir / "Kvo Applications/Quillpost.ini"), written);
    EXPECT_EQ(app.GetProfileInt(L"Settings", L"Language", -1), 1u);
}

}  // namespace
