// SPDX-License-Identifier: MIT
#include "framework/font.h"

BOOL CFont::CreatePointFont(int pointSize, const wchar_t* faceName) {
    m_fontInfo = {faceName ? faceName : L"", pointSize};
    m_created = true;
    return TRUE;
}
