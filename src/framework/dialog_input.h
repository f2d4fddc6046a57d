// SPDX-License-Identifier: MIT
// What keys and clicks do to the dialog in front, the same for every backend:
// a backend maps its own keys to a KeyPress and its mouse clicks to a Hit,
// and this module turns them into user actions (focus, typing, clicks, lists,
// help, OK, Cancel), which reach the dialog with their notifications.
#pragma once

#include <cstddef>

#include "framework/wnd.h"

enum class Key {
    None,
    Char,  // a character to type; Space is one too
    Tab,
    BackTab,
    Enter,
    Escape,
    Left,
    Right,
    Up,
    Down,
    Home,
    End,
    PageUp,
    PageDown,
    Backspace,
    Delete,
    F1,
    F4,
    F10,
    AltDown,
};

struct KeyPress {
    Key key = Key::None;
    wchar_t ch = 0;  // for Key::Char
};

// The caret of the focused edit field. A field that gets the focus from the
// keyboard starts with its whole text marked, so that typing replaces it.
struct EditState {
    const Window* field = nullptr;
    std::size_t caret = 0;
    bool marked = false;
};

// Brings the caret up to date with the dialog's focus and the field's text,
// which the program may have changed in the meantime; a field whose whole
// text the framework asked to mark (Window::markWholeText) starts marked again.
void FollowFocus(EditState& edit, const Window& dialog);

void HandleKey(Window& dialog, EditState& edit, const KeyPress& press);

// A text pasted into the focused edit field (the clipboard, a terminal's
// bracketed paste): the dialog may take it as a whole; otherwise the field
// takes it at the caret, in place of marked text, up to its first line
// break, as a one-line field does.
void HandlePaste(Window& dialog, EditState& edit, const std::wstring& text);

// The keys a focused edit field leaves to the dialog. A backend whose native
// field edits its text itself (caret, marking, clipboard, input methods)
// hands only these to HandleKey.
bool IsDialogKey(Key key);

// The buttons a dialog's title bar may carry.
enum class TitleButtonKind { Help, Ok, Close };

// Where a mouse click landed in a dialog.
struct Hit {
    enum class Kind { Nothing, TitleButton, Control, DropDownItem } kind = Kind::Nothing;
    TitleButtonKind button = TitleButtonKind::Close;
    Window* control = nullptr;
    int item = -1;  // the entry of a list or an open drop-down list, -1 for none
};

void HandleClick(Window& dialog, EditState& edit, const Hit& hit, bool doubleClick);
