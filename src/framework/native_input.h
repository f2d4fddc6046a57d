// SPDX-License-Identifier: MIT
// The rules every backend with native controls shares (the desktop's and
// Windows'): a native edit field edits its own text (caret, marking,
// clipboard, input methods) and leaves only the dialog's keys to the
// framework; each key and click reaches the dialog on its own, since the
// native field holds the caret; and a dialog that nobody will answer ends as
// Cancel.
#pragma once

#include <optional>

#include "framework/dialog_input.h"

class CDialog;

namespace NativeInput {

// Whether the native edit field that has the dialog's focus keeps the key
// (press empty: a key the framework does not know).
bool FieldKeepsKey(const Window& dialog, const std::optional<KeyPress>& press);
// Hands a key the field does not keep to the dialog.
void Key(Window& dialog, const KeyPress& press);
// A mouse click on a control, on the entry item of a list (-1 for none).
// Returns whether the native field is to take the click too, to place its
// caret: it got the focus and the dialog goes on.
bool Click(Window& dialog, Window& control, int item, bool doubleClick);
// The native drop-down list closed with the entry picked, or unchanged
// (picked -1). False when the framework had closed it itself already.
bool ListClosed(Window& dropDown, int picked);
// Whether the focused field is to mark its whole text now (data exchange
// refused it); the request is taken up once.
bool TakeMarkRequest(Window& dialog);
// The end of a backend's modal loop: a dialog its loop left without an end
// (nobody will answer) ends as Cancel, so that the form keeps its settings.
void EndUnanswered(CDialog& dialog);

}  // namespace NativeInput
