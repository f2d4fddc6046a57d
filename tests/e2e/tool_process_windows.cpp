// SPDX-License-Identifier: MIT
#include <windows.h>

#include <cwchar>

#include "support/scratch_dir.h"
#include "tool_process.h"

namespace {

std::wstring Widened(const std::string& text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

// One argument as the program's runtime splits its command line again:
// quotes around, a quote escaped, and the backslashes before a quote doubled.
std::wstring Quoted(const std::wstring& argument) {
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, L'\\');
    return out + L"\"";
}

HANDLE Inheritable(const std::filesystem::path& file, bool write) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(file.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ,
                       &inherit, write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input, const std::vector<std::string>& environment) {
    // Files rather than pipes: no deadlock however much either side writes.
    ScratchDir dir;
    WriteFileBytes(dir / "in", input);
    std::wstring commandLine = Quoted(Widened(program));
    for (const std::string& argument : arguments) {
        commandLine += L" " + Quoted(Widened(argument));
    }
    std::wstring block;
    wchar_t* inherited = GetEnvironmentStringsW();
    for (const wchar_t* entry = inherited; *entry; entry += std::wcslen(entry) + 1) {
        block.append(entry).push_back(L'\0');
    }
    FreeEnvironmentStringsW(inherited);
    for (const std::string& assignment : environment) {
        block.append(Widened(assignment)).push_back(L'\0');
    }
    block.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = Inheritable(dir / "in", false);
    startup.hStdOutput = Inheritable(dir / "out", true);
    startup.hStdError = Inheritable(dir / "err", true);
    PROCESS_INFORMATION process{};
    ProcessResult result;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                       CREATE_UNICODE_ENVIRONMENT, block.data(), nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD status = 0;
        GetExitCodeProcess(process.hProcess, &status);
        result.status = static_cast<int>(status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    for (const HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
        CloseHandle(handle);
    }
    result.out = ReadFileBytes(dir / "out");
    result.err = ReadFileBytes(dir / "err");
    return result;
}
