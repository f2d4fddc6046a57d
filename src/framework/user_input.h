// SPDX-License-Identifier: MIT
// What a user does to a dialog, shared by the backends: each operation
// changes the windows as the device would and sends the notifications that
// go with it. An operation the user could not do (a hidden or disabled
// control, the wrong kind of control, an item that is not there) changes
// nothing and returns false.
#pragma once

#include <string>

#include "framework/wnd.h"

namespace UserInput {

// Puts the focus on a control, as a click into it does; the edit field that
// loses the focus reports it. Statics take no focus.
bool Focus(Window& control);
// Moves the focus to the next (or previous) tab stop in z-order, from where
// the focus is, also from a hidden or disabled control.
void Tab(Window& dialog, bool backward = false);
bool SetText(Window& edit, std::wstring text);
// A text pasted into an edit field, offered to its dialog first
// (CWnd::OnPasteText); true when the dialog took it, and the field's own
// paste must then not happen.
bool OfferPaste(Window& edit, const std::wstring& text);
// Clicks a push button or radio button that has the focus or is under the
// mouse; an automatic radio button checks itself and unchecks its group.
bool Press(Window& button);
// The arrow keys in a group of radio buttons: moves the focus from the
// focused one to the previous (or next) usable radio button of its group,
// around the ends, and presses that one as Space would.
bool MoveInGroup(Window& radio, bool backward);
// A click on a control, the one way every backend delivers it: the focus
// moves there first, and the click goes no further when the focus did not
// arrive (a field that refused its number takes it back) or the dialog ended
// meanwhile; a push or radio button that got the focus is then pressed.
// Returns whether the click arrived.
bool Click(Window& control);
bool OpenList(Window& dropDown);
// Selects an entry of a list box, or of a drop-down list while it is open.
bool Select(Window& list, int index);
// Closes an open drop-down list with the entry selected now (pick) or with
// the one it had when it opened (Esc); both report the close-up.
bool CloseList(Window& dropDown, bool pick);
bool DoubleClick(Window& listBox, int index);
// The title-bar help button (or its key), the OK (IDOK) and Cancel (IDCANCEL).
void Help(Window& dialog);
void Ok(Window& dialog);
void Cancel(Window& dialog);

}  // namespace UserInput
