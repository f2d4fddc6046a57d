// SPDX-License-Identifier: MIT
// Each control kind as a native Win32 control, in one place: the window
// class and style it is made with, how it shows the control's state, what
// its notifications and the mouse over it mean. The native dialog walks
// these descriptions and decides nothing by kind itself: a new control kind
// is added here.
#pragma once

#include <string>

#include "backends/win32/native_dialog.h"
#include "backends/win32/native_template.h"

namespace Native {

// What a control's notification reaches: the user's events, and the entry
// an open drop-down list is to close with.
struct Notified {
    const Events& events;
    int& picked;
};

struct NativeKind {
    WORD classAtom;  // the system's window class
    // The template's style with what the native control needs.
    DWORD (*style)(DWORD templateStyle);
    // A drop-down list's template height is that of its closed box; the
    // native box takes the height of its open list as well.
    int heightFactor;
    // Shows the kind's own state (text, check, entries, selection); first
    // when the control shows a state for the first time.
    void (*show)(HWND control, const ControlState& state, const ControlState& before, bool first);
    // Once the dialog's focus is placed: whether the control has it, and
    // whether it is to mark its whole text now.
    void (*settle)(HWND control, const ControlState& state, bool focused, bool mark);
    void (*notified)(HWND control, int id, int code, Notified& to);
    // The entry under a mouse message's point; nullptr where a click names
    // no entry.
    int (*itemAt)(HWND control, LPARAM point);
    // Once focused, it takes typing, the editing keys and the mouse itself.
    bool editsNatively;
    // The wheel would change it without telling (a drop-down list's close-up).
    bool swallowsWheel;
    // A paste into it (Ctrl+V, Shift+Insert, its menu) is offered to the
    // framework first, which may take the text as a whole position.
    bool offersPaste;
};

const NativeKind& NativeKindOf(WindowKind kind);

std::wstring TextOf(HWND window);

}  // namespace Native
