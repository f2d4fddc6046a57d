// SPDX-License-Identifier: MIT
// A fresh folder per test, removed afterwards, and environment variables set
// for the length of a test.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#ifdef _WIN32
#include <process.h>

// What Windows has in place of POSIX's.
inline int setenv(const char* name, const char* value, int) {
    return _putenv_s(name, value);
}
inline int unsetenv(const char* name) {
    return _putenv_s(name, "");
}
#endif

// The variable that names the folder of every application's settings.
#ifdef _WIN32
inline constexpr const char* kSettingsFolderVariable = "APPDATA";
#else
inline constexpr const char* kSettingsFolderVariable = "XDG_CONFIG_HOME";
#endif

class ScratchDir {
public:
    ScratchDir() {
#ifdef _WIN32
        static int made = 0;
        const auto base = std::filesystem::temp_directory_path();
        do {
            m_path = base / ("quillpost-test-" + std::to_string(_getpid()) + "-" +
                             std::to_string(++made));
        } while (!std::filesystem::create_directory(m_path));
#else
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quillpost-test-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
#endif
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (m_old) {
            setenv(m_name, m_old->c_str(), 1);
        } else {
            unsetenv(m_name);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

inline std::string ReadFileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}
