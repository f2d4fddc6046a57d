// SPDX-License-Identifier: MIT
#include "framework/user_input.h"

#include <algorithm>
#include <vector>

namespace {

bool Usable(const Window& control, WindowKind kind) {
    return control.visible && control.enabled && control.kind == kind;
}

void UncheckGroup(Window& radio) {
    for (Window* member : GroupOf(radio)) {
        if (member->kind == WindowKind::RadioButton && member != &radio) {
            member->check = BST_UNCHECKED;
        }
    }
}

void SendCommand(Window& dialog, UINT code, int id) {
    if (dialog.owner) {
        dialog.owner->DispatchNotification({code, id});
    }
}

}  // namespace

namespace UserInput {

bool Focus(Window& control) {
    if (!control.parent || !control.visible || !control.enabled ||
        control.kind == WindowKind::Static) {
        return false;
    }
    ChangeFocus(*control.parent, &control, true);
    return true;
}

void Tab(Window& dialog, bool backward) {
    const auto& children = dialog.children;
    const int count = static_cast<int>(children.size());
    const auto focused = std::find_if(children.begin(), children.end(), [&](const auto& child) {
        return child.get() == dialog.focus;
    });
    // Without a focus, the walk starts just outside the list.
    int at = focused == children.end() ? (backward ? count : -1)
                                       : static_cast<int>(focused - children.begin());
    for (int step = 0; step < count; ++step) {
        at = ((backward ? at - 1 : at + 1) % count + count) % count;
        Window& next = *children[at];
        // The other buttons of the focused radio group are not stops of their own.
        if (!IsTabStop(next) || (dialog.focus && InSameRadioGroup(*dialog.focus, next))) {
            continue;
        }
        ChangeFocus(dialog, &TabTarget(next), true);
        return;
    }
}

bool SetText(Window& edit, std::wstring text) {
    if (!Usable(edit, WindowKind::Edit)) {
        return false;
    }
    edit.text = std::move(text);
    return true;
}

bool OfferPaste(Window& edit, const std::wstring& text) {
    if (!Usable(edit, WindowKind::Edit) || !edit.parent || !edit.parent->owner) {
        return false;
    }
    return edit.parent->owner->OnPasteText(edit.id, CString(text));
}

bool Press(Window& button) {
    if (!IsButton(button) || !button.visible || !button.enabled) {
        return false;
    }
    if (button.kind == WindowKind::RadioButton && (button.style & 0x000F) == BS_AUTORADIOBUTTON) {
        UncheckGroup(button);
        button.check = BST_CHECKED;
    }
    Notify(button, BN_CLICKED);
    return true;
}

bool MoveInGroup(Window& radio, bool backward) {
    if (!radio.parent || !Usable(radio, WindowKind::RadioButton)) {
        return false;
    }
    std::vector<Window*> buttons = GroupOf(radio);
    std::erase_if(buttons,
                  [](const Window* member) { return !Usable(*member, WindowKind::RadioButton); });
    const int count = static_cast<int>(buttons.size());
    const int at =
        static_cast<int>(std::find(buttons.begin(), buttons.end(), &radio) - buttons.begin());
    Window* target = buttons[((backward ? at - 1 : at + 1) % count + count) % count];
    if (target == &radio) {
        return false;
    }
    return Click(*target);
}

bool Click(Window& control) {
    if (!Focus(control)) {
        return false;
    }
    const Window& dialog = *control.parent;
    if (dialog.ended || dialog.focus != &control) {
        return false;
    }
    if (IsButton(control)) {
        return Press(control);
    }
    return true;
}

bool OpenList(Window& dropDown) {
    if (!Usable(dropDown, WindowKind::ComboBox) || dropDown.dropped) {
        return false;
    }
    dropDown.dropped = true;
    dropDown.selectionWhenDropped = dropDown.selection;
    return true;
}

bool Select(Window& list, int index) {
    const bool open = Usable(list, WindowKind::ComboBox) && list.dropped;
    if ((!open && !Usable(list, WindowKind::ListBox)) || index < 0 ||
        index >= static_cast<int>(list.items.size())) {
        return false;
    }
    list.selection = index;
    return true;
}

bool CloseList(Window& dropDown, bool pick) {
    if (dropDown.kind != WindowKind::ComboBox || !dropDown.dropped) {
        return false;
    }
    dropDown.dropped = false;
    if (!pick) {
        dropDown.selection = dropDown.selectionWhenDropped;
    }
    Notify(dropDown, CBN_CLOSEUP);
    return true;
}

bool DoubleClick(Window& listBox, int index) {
    if (listBox.kind != WindowKind::ListBox || !Select(listBox, index)) {
        return false;
    }
    if (listBox.style & LBS_NOTIFY) {
        Notify(listBox, LBN_DBLCLK);
    }
    return true;
}

void Help(Window& dialog) {
    SendCommand(dialog, WM_HELP, 0);
}
void Ok(Window& dialog) {
    SendCommand(dialog, BN_CLICKED, IDOK);
}
void Cancel(Window& dialog) {
    SendCommand(dialog, BN_CLICKED, IDCANCEL);
}

}  // namespace UserInput
