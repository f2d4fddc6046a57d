// SPDX-License-Identifier: MIT
#include "backends/win32/native_template.h"

#include <algorithm>

#include "backends/win32/native_controls.h"

namespace Native {

std::wstring DesktopFace(const std::wstring& face) {
    if (face.empty() || face == L"System") {
        return L"MS Shell Dlg";
    }
    if (face == L"Courier") {
        return L"Courier New";
    }
    return face;
}

void DialogTemplateWords::Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
}

void DialogTemplateWords::Text(const std::wstring& text) {
    for (wchar_t c : text) {
        Word(static_cast<WORD>(c));
    }
    Word(0);
}

void DialogTemplateWords::Item(DWORD style, int x, int y, int cx, int cy, int id, WORD atom,
                               const std::wstring& text) {
    if (m_words.size() % 2) {
        Word(0);  // each item on a DWORD boundary
    }
    Dword(style);
    Dword(0);
    for (int value : {x, y, cx, cy}) {
        Word(static_cast<WORD>(static_cast<short>(value)));
    }
    Word(static_cast<WORD>(id));
    Word(0xFFFF);
    Word(atom);
    Text(text);
    Word(0);  // no creation data
}

DialogTemplateWords::DialogTemplateWords(const DialogDescription& description) {
    const bool strip = description.helpButton || description.okButton;
    const int stripHeight = strip ? kStripHeight : 0;
    const int count = static_cast<int>(description.controls.size()) +
                      (description.helpButton ? 1 : 0) + (description.okButton ? 1 : 0);
    // The dialog never paints its background over a control, which would
    // not know to paint itself again.
    Dword(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN);
    Dword(0);
    Word(static_cast<WORD>(count));
    for (int value : {0, 0, description.cx, description.cy + stripHeight}) {
        Word(static_cast<WORD>(static_cast<short>(value)));
    }
    Word(0);  // no menu
    Word(0);  // the dialog class
    Text(description.title);
    Word(static_cast<WORD>(std::max(1, description.pointSize / 10)));
    Text(DesktopFace(description.fontFace));
    for (const ControlSpec& item : description.controls) {
        const NativeKind& kind = NativeKindOf(item.kind);
        Item(WS_CHILD | WS_VISIBLE | kind.style(item.style), item.x, item.y + stripHeight, item.cx,
             item.cy * kind.heightFactor, item.id, kind.classAtom, item.text);
    }
    const DWORD stripButton = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
    constexpr WORD kButtonAtom = 0x0080;
    int right = description.cx - 2;
    if (description.okButton) {
        Item(stripButton, right - 18, 1, 18, 10, kOkButtonId, kButtonAtom, L"OK");
        right -= 20;
    }
    if (description.helpButton) {
        Item(stripButton, right - 12, 1, 12, 10, kHelpButtonId, kButtonAtom, L"?");
    }
}

}  // namespace Native
