// SPDX-License-Identifier: MIT
// The program's settings in a scratch profile store: XDG_CONFIG_HOME (APPDATA
// on Windows) points
// into a fresh folder for the length of a test, and the settings file is
// read and written the way the program reaches it.
#pragma once

#include <filesystem>
#include <string>

#include "services/profile_store.h"
#include "support/scratch_dir.h"

class ScratchProfile {
public:
    std::filesystem::path File() const {
        return ProfileStore::FilePath(L"Kvo Applications", L"Quillpost");
    }
    static constexpr int kAbsent = -99;
    int Read(const std::wstring& name) const {
        return ProfileStore::ReadInt(File(), L"Settings", name, kAbsent);
    }
    void Write(const std::wstring& name, int value) const {
        ProfileStore::WriteInt(File(), L"Settings", name, value);
    }

private:
    ScratchDir m_dir;
    ScopedEnv m_config{kSettingsFolderVariable, m_dir.path().string()};
};
