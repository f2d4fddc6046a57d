// SPDX-License-Identifier: MIT
#include "backends/win32/native_controls.h"

namespace Native {
namespace {

DWORD TemplateStyle(DWORD style) {
    return style;
}

void ShowText(HWND control, const ControlState& state) {
    if (TextOf(control) != state.text) {
        SetWindowTextW(control, state.text.c_str());
    }
}

void ShowOwnText(HWND control, const ControlState& state, const ControlState&, bool) {
    ShowText(control, state);
}

void NothingToSettle(HWND, const ControlState&, bool, bool) {}

void NothingNotified(HWND, int, int, Notified&) {}

// The messages of a list's entries: a list box's or a drop-down list's.
struct EntryMessages {
    UINT reset, add, getSelection, setSelection;
};

// A list's entries are put anew only when they change, so that its
// scrolling stays.
void ShowEntries(HWND control, const ControlState& state, const ControlState& before, bool first,
                 const EntryMessages& messages) {
    if (first || state.items != before.items) {
        SendMessageW(control, messages.reset, 0, 0);
        for (const auto& item : state.items) {
            SendMessageW(control, messages.add, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
    }
    if (SendMessageW(control, messages.getSelection, 0, 0) != state.selection) {
        SendMessageW(control, messages.setSelection, static_cast<WPARAM>(state.selection), 0);
    }
}

// --- Static: a label; an & in its text is a character, not a mnemonic.

DWORD StaticStyle(DWORD style) {
    return style | SS_NOPREFIX;
}

// --- Edit: the field edits its text itself and tells each change; a paste
// is the framework's first (a whole position fills the form). A field
// reached from the keyboard, or one that refused its text, marks it whole
// to be typed over; a narrow field scrolls its text to show the caret while
// it is typed in, and once left shows it from its start again.

// The form's number fields are as narrow as the device's: the system's own
// margins inside a field would cut the last digit of "179" or "5983984".
void ShowEdit(HWND control, const ControlState& state, const ControlState&, bool first) {
    if (first) {
        SendMessageW(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
    }
    ShowText(control, state);
}

void EditNotified(HWND control, int id, int code, Notified& to) {
    if (code == EN_CHANGE) {
        to.events.textEdited(id, TextOf(control));
    }
}

void SettleEdit(HWND control, const ControlState&, bool focused, bool mark) {
    if (focused && mark) {
        SendMessageW(control, EM_SETSEL, 0, -1);
    } else if (!focused && SendMessageW(control, EM_GETFIRSTVISIBLELINE, 0, 0) != 0) {
        SendMessageW(control, EM_SETSEL, 0, 0);
        SendMessageW(control, EM_SCROLLCARET, 0, 0);
    }
}

// --- PushButton and RadioButton: the user's keys and clicks reach them
// through the framework, so a click the control reports came from elsewhere
// (an accessibility tool's BM_CLICK). The framework checks radio buttons
// itself, and not the system.

void ButtonNotified(HWND, int id, int code, Notified& to) {
    if (code == BN_CLICKED) {
        to.events.pressed(id);
    }
}

DWORD RadioStyle(DWORD style) {
    return (style & ~DWORD{0xF}) | BS_RADIOBUTTON;
}

void ShowRadio(HWND control, const ControlState& state, const ControlState&, bool) {
    ShowText(control, state);
    const WPARAM check = state.checked ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageW(control, BM_GETCHECK, 0, 0)) != check) {
        SendMessageW(control, BM_SETCHECK, check, 0);
    }
}

// --- ComboBox: a drop-down list that reports its close-up with the entry
// picked, or -1 when it closed unchanged. Its open state follows the
// framework's after the focus, since moving the focus closes an open list.

void ShowDropDown(HWND control, const ControlState& state, const ControlState& before, bool first) {
    ShowEntries(control, state, before, first,
                {CB_RESETCONTENT, CB_ADDSTRING, CB_GETCURSEL, CB_SETCURSEL});
}

void SettleDropDown(HWND control, const ControlState& state, bool, bool) {
    const bool open = SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0) != 0;
    const bool wanted = state.dropped && state.visible;
    if (open != wanted) {
        SendMessageW(control, CB_SHOWDROPDOWN, wanted, 0);
    }
}

void DropDownNotified(HWND control, int id, int code, Notified& to) {
    if (code == CBN_SELENDOK) {
        to.picked = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
    } else if (code == CBN_SELENDCANCEL) {
        to.picked = -1;
    } else if (code == CBN_CLOSEUP) {
        const int closedWith = to.picked;
        to.picked = -1;
        to.events.listClosed(id, closedWith);
    }
}

// --- ListBox: the framework keeps the order of its entries; a click names
// the entry under the mouse.

DWORD ListStyle(DWORD style) {
    return style & ~DWORD{LBS_SORT};
}

void ShowList(HWND control, const ControlState& state, const ControlState& before, bool first) {
    ShowEntries(control, state, before, first,
                {LB_RESETCONTENT, LB_ADDSTRING, LB_GETCURSEL, LB_SETCURSEL});
}

int ListEntryAt(HWND control, LPARAM point) {
    const LRESULT at = SendMessageW(control, LB_ITEMFROMPOINT, 0, point);
    return HIWORD(at) == 0 ? LOWORD(at) : -1;
}

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kListBoxClass = 0x0083;
constexpr WORD kComboBoxClass = 0x0085;

constexpr NativeKind kStatic{kStaticClass,    StaticStyle, 1,     ShowOwnText, NothingToSettle,
                             NothingNotified, nullptr,     false, false,       false};
constexpr NativeKind kEdit{kEditClass,   TemplateStyle, 1,    ShowEdit, SettleEdit,
                           EditNotified, nullptr,       true, false,    true};
constexpr NativeKind kPushButton{kButtonClass,   TemplateStyle, 1,     ShowOwnText, NothingToSettle,
                                 ButtonNotified, nullptr,       false, false,       false};
constexpr NativeKind kRadioButton{kButtonClass,   RadioStyle, 1,     ShowRadio, NothingToSettle,
                                  ButtonNotified, nullptr,    false, false,     false};
constexpr NativeKind kDropDown{kComboBoxClass,   TemplateStyle, 6,     ShowDropDown, SettleDropDown,
                               DropDownNotified, nullptr,       false, true,         false};
constexpr NativeKind kList{kListBoxClass,   ListStyle,   1,     ShowList, NothingToSettle,
                           NothingNotified, ListEntryAt, false, false,    false};

}  // namespace

const NativeKind& NativeKindOf(WindowKind kind) {
    switch (kind) {
        case WindowKind::Edit:
            return kEdit;
        case WindowKind::PushButton:
            return kPushButton;
        case WindowKind::RadioButton:
            return kRadioButton;
        case WindowKind::ComboBox:
            return kDropDown;
        case WindowKind::ListBox:
            return kList;
        case WindowKind::Static:
        case WindowKind::Dialog:
            break;
    }
    return kStatic;
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace Native
