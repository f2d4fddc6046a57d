// SPDX-License-Identifier: MIT
// The in-memory window system: every dialog and control is a Window node
// (kind, id, text, rectangle, visibility, enabled state, font, z-order and the
// control's own state). Backends read the nodes to draw them and change them
// only through user_input.h.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/window_messages.h"
#include "services/win_types.h"

struct RECT {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};

struct POINT {
    int x = 0;
    int y = 0;
};

// A dialog's frame: one terminal cell of border on the left and right, the
// title bar as the top row and a border row at the bottom.
constexpr int kDialogFrameX = 8;
constexpr int kDialogFrameY = 16;

enum class WindowKind { Dialog, Static, Edit, PushButton, RadioButton, ComboBox, ListBox };

// A font as the program asked for it: face name and size in tenths of a point.
struct FontInfo {
    std::wstring face;
    int pointSize = 0;
    friend bool operator==(const FontInfo&, const FontInfo&) = default;
};
using HFONT = const FontInfo*;

struct IconResource;
using HICON = const IconResource*;

class CWnd;

struct Window {
    Window();
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    WindowKind kind = WindowKind::Static;
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::wstring text;  // a dialog's title, a control's text
    RECT rect;          // in the parent's client pixels; a dialog's in screen pixels
    bool visible = true;
    bool enabled = true;
    FontInfo font;
    Window* parent = nullptr;
    std::vector<std::unique_ptr<Window>> children;  // z-order, top first

    // Edit fields: the framework asks for the whole text to be marked (a
    // field that data exchange refused); the backend's caret takes it up.
    bool markWholeText = false;

    // Buttons, lists and drop-down lists.
    int check = BST_UNCHECKED;
    std::vector<std::wstring> items;
    int selection = -1;
    bool dropped = false;
    int selectionWhenDropped = -1;  // what Esc on an open drop-down list goes back to

    // Dialogs.
    Window* focus = nullptr;
    bool topmost = false;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    CWnd* owner = nullptr;  // the dialog object that handles the notifications
    bool ended = false;
    int result = 0;

    // The CWnd objects that name this window; they let go of it when it dies.
    std::vector<CWnd*> attached;
    std::unique_ptr<CWnd> handle;  // what GetDlgItem hands out
};
using HWND = Window*;

// What a control tells its dialog: the notification code and the control's id
// (WM_HELP, the title-bar help, comes with id 0).
struct Notification {
    UINT code;
    int id;
};

// Plumbing shared by the framework and the backends.
// Push buttons and radio buttons: what Space and a click press, and what
// holds a check state.
bool IsButton(const Window& window);
HWND FindChild(const Window& dialog, int id);
POINT ClientOrigin(const Window& window);  // screen pixels
RECT ScreenRect(const Window& window);
// Changes a dialog's focus; notify=false when the framework itself puts the
// focus on a field (data exchange), which must not trigger the field's
// handlers once more.
void ChangeFocus(Window& dialog, Window* control, bool notify);
void Notify(const Window& control, UINT code);
// The group of a control: its siblings from the nearest WS_GROUP control at
// or before it up to the next WS_GROUP control.
std::vector<Window*> GroupOf(const Window& control);
// The controls the tab key visits, in order: the dialog's children in
// z-order, without hidden, disabled and non-tab-stop controls. A group of
// radio buttons is one stop, entered at its checked button (at the stop's
// first usable button when none is checked).
bool IsTabStop(const Window& control);
std::vector<Window*> TabStops(const Window& dialog);
// Where the tab key lands on a tab stop: a radio button's group is entered at
// its checked button.
Window& TabTarget(Window& stop);
bool InSameRadioGroup(const Window& a, const Window& b);
// The dialog's default push button (BS_DEFPUSHBUTTON) if it can be pressed,
// else nullptr; Enter presses it unless another push button has the focus.
Window* DefaultButton(const Window& dialog);
// The open modal dialogs, the one in front last.
std::vector<Window*>& ModalStack();
