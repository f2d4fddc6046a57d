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
    EXPECT_EQ(ReadFileBytes(dir / "Kvo Applications/Quillpost.ini"), "[Settings]\nLanguage=1\n");
    EXPECT_EQ(app.GetProfileInt(L"Settings", L"Language", -1), 1u);
}

}  // namespace
