// SPDX-License-Identifier: MIT
#include "framework/controls.h"

void CListBox::GetText(int index, CString& text) const {
    const bool present = m_hWnd && index >= 0 && index < static_cast<int>(m_hWnd->items.size());
    text = present ? m_hWnd->items[index] : std::wstring();
}
