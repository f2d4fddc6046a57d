// SPDX-License-Identifier: MIT
// CString: the framework's wide string. Format follows the device's printf
// rules: in a wide format, %s and %c take wide arguments. Numbers are always
// formatted as in the "C" locale, whatever locale the process runs under.
#pragma once

#include <string>

class CString {
public:
    CString() = default;
    CString(const wchar_t* text) : m_text(text ? text : L"") {}
    CString(std::wstring text) : m_text(std::move(text)) {}

    // Returns false, leaving the string empty, when the text cannot be
    // formatted: it would not fit in memory, or the format holds a conversion
    // other than printf's d i o u x X f F e E g G c s p with h, hh, l or ll.
    bool Format(const wchar_t* format, ...);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    const wchar_t* GetString() const { return m_text.c_str(); }
    operator const wchar_t*() const { return m_text.c_str(); }
    const std::wstring& str() const { return m_text; }
    std::wstring& str() { return m_text; }

    CString& operator+=(const CString& other) {
        m_text += other.m_text;
        return *this;
    }
    friend CString operator+(CString left, const CString& right) {
        left += right;
        return left;
    }
    friend bool operator==(const CString& left, const CString& right) = default;

private:
    std::wstring m_text;
};
