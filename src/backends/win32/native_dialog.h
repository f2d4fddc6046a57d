// SPDX-License-Identifier: MIT
// One dialog as a real Win32 dialog, made from an in-memory dialog template,
// with a native control per template item (native_controls says what each
// kind is natively). This side of the backend speaks only to Windows: it
// shows the state it is given and reports what the user does, and never
// decides what an input means. Windows' own names (RECT, HWND, TRUE, the WS_
// styles) clash with the window framework's, so neither side includes the
// other's headers; these plain types and the control kinds are all they
// share.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/window_kind.h"

namespace Native {

// A template item: place and size in dialog units, the template's style bits.
struct ControlSpec {
    WindowKind kind;
    int id;
    std::wstring text;
    int x, y, cx, cy;
    std::uint32_t style;
};

struct DialogDescription {
    std::wstring title;
    int cx, cy;  // the client area in dialog units
    std::wstring fontFace;
    int pointSize;  // tenths of a point
    bool helpButton;
    bool okButton;
    std::vector<ControlSpec> controls;
};

// Places are in the framework's pixels, which Scale turns into the screen's.
struct ControlState {
    int id;
    std::wstring text;
    int left, top, right, bottom;  // in the dialog's client area
    bool visible;
    bool enabled;
    bool checked;
    std::vector<std::wstring> items;
    int selection;
    bool dropped;
    std::wstring fontFace;  // empty: the dialog's font
    int pointSize;
};

struct DialogState {
    std::wstring title;
    int left, top;                       // the frame's top left on the screen
    int iconId;                          // 0 for none
    std::vector<ControlState> controls;  // in z-order, the first on top
    int focusId;                         // the focused control, -1 for none
    bool focusByMouse;                   // a field so reached does not mark its text
    bool markFocusText;                  // the focused field marks its whole text anew
};

// A key as Windows reports it: a key going down (virtualKey), or the
// character that typing produced (character).
struct KeyInput {
    unsigned virtualKey = 0;
    wchar_t character = 0;
    bool shift = false;
    bool alt = false;
};

// What the user does. Key and Click return true when the native control is
// to get the input too (typing into a field, a click that places the caret).
struct Events {
    std::function<bool(const KeyInput&)> key;
    std::function<bool(int id, int item, bool doubleClick)> click;
    std::function<void(int id, const std::wstring& text)> textEdited;
    // A paste into a field (Ctrl+V, Shift+Insert, its context menu): true
    // when the framework took the text, and the field then takes nothing.
    std::function<bool(int id, const std::wstring& text)> paste;
    std::function<void(int id)> pressed;                 // a button clicked other than by our input
    std::function<void(int id, int picked)> listClosed;  // picked -1: closed unchanged
    std::function<void()> help;
    std::function<void()> ok;
    std::function<void()> close;
    // The user logs off or the system shuts down: once this returns, the
    // system may end the program at any moment.
    std::function<void()> sessionEnds;
};

// Screen pixels per framework pixel (a framework pixel is half a dialog unit).
struct Scale {
    double x = 1.0;
    double y = 1.0;
};

class Dialog;
// A message box with an OK button over the dialog in front (or none).
void ShowMessage(const Dialog* owner, const std::wstring& title, const std::wstring& text);

class Dialog {
public:
    // Creates the dialog hidden, owned by (and modal over) the dialog below.
    Dialog(const DialogDescription& description, Events events, const Dialog* owner);
    ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Shows the state; inFront also puts the keyboard focus where it says.
    void Apply(const DialogState& state, bool inFront);
    void Show();
    // Handles Windows' messages until done() says so. False when the system
    // asked the program to quit (WM_QUIT), which nobody will answer.
    bool RunUntil(const std::function<bool()>& done);

private:
    friend void ShowMessage(const Dialog*, const std::wstring&, const std::wstring&);
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// The scale for a dialog font and the free area of the primary screen in
// framework pixels.
Scale ScaleForFont(const std::wstring& face, int pointSize);
void WorkArea(const Scale& scale, int* width, int* height);

}  // namespace Native
