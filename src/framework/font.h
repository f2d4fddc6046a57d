// SPDX-License-Identifier: MIT
// CFont: names a font for SetFont.
#pragma once

#include "framework/window_tree.h"
#include "services/win_types.h"

// CFont only names a font; the windows keep a copy of what it names, so it
// may die before them.
class CFont {
public:
    // pointSize in tenths of a point (80 is 8 points).
    BOOL CreatePointFont(int pointSize, const wchar_t* faceName);
    HFONT GetSafeHandle() const { return m_created ? &m_fontInfo : nullptr; }
    operator HFONT() const { return GetSafeHandle(); }

private:
    FontInfo m_fontInfo;
    bool m_created = false;
};
