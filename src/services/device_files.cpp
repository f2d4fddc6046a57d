// SPDX-License-Identifier: MIT
#include "services/device_files.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "services/host_path.h"
#include "services/letter_case.h"

namespace fs = std::filesystem;

namespace {

constexpr std::wstring_view kCardPrefix = L"\\Storage Card";

struct Search {
    std::vector<std::wstring> names;
    size_t next = 0;
};

bool Matches(const wchar_t* pattern, const wchar_t* name) {
    // Iterative wildcard match with backtracking to the last '*'.
    const wchar_t* star = nullptr;
    const wchar_t* resume = nullptr;
    while (*name) {
        if (*pattern == L'*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == L'?' ||
                   (*pattern && FoldLatin1Case(*pattern) == FoldLatin1Case(*name))) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == L'*') {
        ++pattern;
    }
    return *pattern == 0;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (FoldLatin1Case(text[i]) != FoldLatin1Case(prefix[i])) {
            return false;
        }
    }
    return true;
}

void Fill(const std::wstring& name, WIN32_FIND_DATAW* findData) {
    findData->dwFileAttributes = 0;
    const size_t length = std::min(name.size(), static_cast<size_t>(MAX_PATH - 1));
    wmemcpy(findData->cFileName, name.data(), length);
    findData->cFileName[length] = 0;
}

}  // namespace

fs::path DeviceToHostPath(const std::wstring& devicePath) {
    if (!StartsWithNoCase(devicePath, kCardPrefix)) {
        return {};
    }
    std::wstring rest = devicePath.substr(kCardPrefix.size());
    if (!rest.empty() && rest[0] != L'\\') {
        return {};  // "\Storage Cards\..." is another folder
    }
    fs::path host = StorageCardFolder();
    size_t start = 0;
    while (start <= rest.size()) {
        const size_t end = std::min(rest.find(L'\\', start), rest.size());
        const std::wstring part = rest.substr(start, end - start);
        if (part == L"..") {
            return {};
        }
        if (!part.empty() && part != L".") {
            // A FAT card keeps the letter case its folders were made with
            // ("mn6/settings/routes"), and the device finds them in any.
            const fs::path name = HostPathFromWide(part);
            const fs::path existing = ChildNoCase(host, name);
            host = existing.empty() ? host / name : existing;
        }
        start = end + 1;
    }
    return host;
}

HANDLE FindFirstFileW(const wchar_t* pattern, WIN32_FIND_DATAW* findData) {
    const std::wstring full = pattern ? pattern : L"";
    const size_t slash = full.rfind(L'\\');
    if (slash == std::wstring::npos) {
        return INVALID_HANDLE_VALUE;
    }
    const fs::path folder = DeviceToHostPath(full.substr(0, slash + 1));
    const std::wstring namePattern = full.substr(slash + 1);
    if (folder.empty()) {
        return INVALID_HANDLE_VALUE;
    }
    auto* search = new Search;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::wstring name = WideFromHostPath(it->path().filename());
        // A backslash separates folders in a device path, so a name holding
        // one could never be opened as the file it names.
        if (name.size() < MAX_PATH && name.find(L'\\') == std::wstring::npos &&
            Matches(namePattern.c_str(), name.c_str())) {
            search->names.push_back(name);
        }
    }
    if (search->names.empty()) {
        delete search;
        return INVALID_HANDLE_VALUE;
    }
    Fill(search->names[search->next++], findData);
    return search;
}

BOOL FindNextFileW(HANDLE handle, WIN32_FIND_DATAW* findData) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    auto* search = static_cast<Search*>(handle);
    if (search->next >= search->names.size()) {
        return FALSE;
    }
    Fill(search->names[search->next++], findData);
    return TRUE;
}

BOOL FindClose(HANDLE handle) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    delete static_cast<Search*>(handle);
    return TRUE;
}
