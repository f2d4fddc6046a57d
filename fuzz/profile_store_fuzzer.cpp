// SPDX-License-Identifier: MIT
// Fuzzes the settings file reader on arbitrary file contents. The input is one
// byte choosing a setting, four bytes of a value (little-endian) and then the
// file's contents. Besides running clean: ParseInt agrees with strtoll on the
// whole input, every setting reads from any file, and after writing one
// setting it reads back as written while every other one reads as before.
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "services/profile_store.h"
#include "property_check.h"

namespace fs = std::filesystem;

namespace {

const wchar_t* const kNames[] = {L"Language", L"Format", L"Datum", L"LatHemisphere",
                                 L"LongHemisphere"};
constexpr int kCount = static_cast<int>(std::size(kNames));
// A default no test input writes, so that an absent value is told apart.
constexpr int kAbsent = INT_MIN + 7;

fs::path g_folder;
fs::path g_file;

void RemoveFolder() {
    std::error_code ignored;
    fs::remove_all(g_folder, ignored);
}

void CheckParseInt(const std::string& text) {
    int value = 0;
    const bool parsed = ProfileStore::ParseInt(text, &value);
    // strtoll skips white space of its own and stops at a NUL: only sign and
    // digits may reach it, and all of them must be taken.
    const size_t first = text.find_first_not_of(" \t\r");
    bool expected = first != std::string::npos;
    long long reference = 0;
    if (expected) {
        const std::string trimmed = text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
        char* end = nullptr;
        errno = 0;
        reference = std::strtoll(trimmed.c_str(), &end, 10);
        expected = trimmed.find_first_not_of("+-0123456789") == std::string::npos &&
                   end == trimmed.c_str() + trimmed.size() && errno == 0 && reference >= INT_MIN &&
                   reference <= INT_MAX;
    }
    Check(parsed == expected, "ParseInt reads a number exactly when strtoll reads an int");
    Check(!parsed || value == reference, "ParseInt reads as strtoll reads");
}

int Read(int name) {
    return ProfileStore::ReadInt(g_file, L"Settings", kNames[name], kAbsent);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // On a memory file system when there is one: every write syncs the file.
    const fs::path base =
        access("/dev/shm", W_OK) == 0 ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "quillpost-fuzz-XXXXXX").string();
    Check(mkdtemp(pattern.data()) != nullptr, "a scratch folder can be made");
    g_folder = pattern;
    g_file = g_folder / "Quillpost.ini";
    std::atexit(RemoveFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    CheckParseInt(std::string(reinterpret_cast<const char*>(data), size));
    if (size < 5) {
        return 0;
    }
    const int name = data[0] % kCount;
    std::int32_t value;
    std::memcpy(&value, data + 1, sizeof value);
    if (value == kAbsent) {
        return 0;
    }
    {
        std::ofstream out(g_file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 5), static_cast<std::streamsize>(size - 5));
    }

    int before[kCount];
    for (int i = 0; i < kCount; ++i) {
        before[i] = Read(i);
    }
    Check(ProfileStore::WriteInt(g_file, L"Settings", kNames[name], value), "a setting is written");
    for (int i = 0; i < kCount; ++i) {
        Check(Read(i) == (i == name ? value : before[i]),
              "the setting written reads back, every other one is kept");
    }
    return 0;
}
