// SPDX-License-Identifier: MIT
#include "framework/native_input.h"

#include "framework/dialog.h"
#include "framework/user_input.h"

namespace NativeInput {

bool FieldKeepsKey(const Window& dialog, const std::optional<KeyPress>& press) {
    const Window* focus = dialog.focus;
    return focus && focus->kind == WindowKind::Edit && (!press || !IsDialogKey(press->key));
}

void Key(Window& dialog, const KeyPress& press) {
    EditState unused;
    HandleKey(dialog, unused, press);
}

bool Click(Window& dialog, Window& control, int item, bool doubleClick) {
    Hit hit;
    hit.kind = Hit::Kind::Control;
    hit.control = &control;
    hit.item = item;
    EditState unused;
    HandleClick(dialog, unused, hit, doubleClick);
    return control.kind == WindowKind::Edit && dialog.focus == &control && !dialog.ended;
}

bool ListClosed(Window& dropDown, int picked) {
    if (!dropDown.dropped) {
        return false;
    }
    if (picked >= 0) {
        UserInput::Select(dropDown, picked);
    }
    UserInput::CloseList(dropDown, picked >= 0);
    return true;
}

bool TakeMarkRequest(Window& dialog) {
    Window* focus = dialog.focus;
    if (!focus || focus->kind != WindowKind::Edit || !focus->markWholeText) {
        return false;
    }
    focus->markWholeText = false;
    return true;
}

void EndUnanswered(CDialog& dialog) {
    if (!dialog.ModalEnded() && dialog.m_hWnd) {
        UserInput::Cancel(*dialog.m_hWnd);
    }
}

}  // namespace NativeInput
