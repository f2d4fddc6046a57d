// SPDX-License-Identifier: MIT
#include "framework/dialog_input.h"

#include <algorithm>

#include "framework/user_input.h"

namespace {

bool IsKind(const Window* window, WindowKind kind) {
    return window && window->kind == kind;
}

Window* OpenDropDown(Window& dialog) {
    Window* focus = dialog.focus;
    return IsKind(focus, WindowKind::ComboBox) && focus->dropped ? focus : nullptr;
}

// Up, Down, Home, End and the page keys move a list's selection; -1 when the
// key does not move it.
int MovedSelection(const Window& list, Key key) {
    const int count = static_cast<int>(list.items.size());
    if (count == 0) {
        return -1;
    }
    const int at = list.selection;
    constexpr int kPage = 8;
    switch (key) {
        case Key::Up:
            return std::max(0, at - 1);
        case Key::Down:
            return std::min(count - 1, at + 1);
        case Key::PageUp:
            return std::max(0, at - kPage);
        case Key::PageDown:
            return std::min(count - 1, at + kPage);
        case Key::Home:
            return 0;
        case Key::End:
            return count - 1;
        default:
            return -1;
    }
}

void HandleOpenList(Window& dialog, Window& dropDown, const KeyPress& press) {
    if (const int moved = MovedSelection(dropDown, press.key); moved >= 0) {
        UserInput::Select(dropDown, moved);
        return;
    }
    switch (press.key) {
        case Key::Enter:
        case Key::F4:
        case Key::AltDown:
            UserInput::CloseList(dropDown, true);
            break;
        case Key::Escape:
            UserInput::CloseList(dropDown, false);
            break;
        case Key::Tab:
        case Key::BackTab:
            UserInput::CloseList(dropDown, true);
            UserInput::Tab(dialog, press.key == Key::BackTab);
            break;
        default:
            break;
    }
}

void HandleEditKey(Window& dialog, Window& field, EditState& edit, const KeyPress& press) {
    std::wstring text = field.text;
    const bool marked = edit.marked;
    edit.marked = false;
    switch (press.key) {
        case Key::Char:
            if (marked) {
                text.clear();
                edit.caret = 0;
            }
            text.insert(edit.caret, 1, press.ch);
            ++edit.caret;
            break;
        case Key::Backspace:
        case Key::Delete:
            if (marked) {
                text.clear();
                edit.caret = 0;
            } else if (press.key == Key::Delete && edit.caret < text.size()) {
                text.erase(edit.caret, 1);
            } else if (press.key == Key::Backspace && edit.caret > 0) {
                text.erase(--edit.caret, 1);
            }
            break;
        case Key::Left:
            edit.caret = marked ? 0 : edit.caret - (edit.caret > 0 ? 1 : 0);
            return;
        case Key::Right:
            edit.caret = marked ? text.size() : std::min(text.size(), edit.caret + 1);
            return;
        case Key::Home:
            edit.caret = 0;
            return;
        case Key::End:
            edit.caret = text.size();
            return;
        case Key::Enter:
            UserInput::Tab(dialog);
            return;
        default:
            edit.marked = marked;
            return;
    }
    if (text != field.text) {
        UserInput::SetText(field, std::move(text));
    }
}

}  // namespace

void FollowFocus(EditState& edit, const Window& dialog) {
    Window* field = IsKind(dialog.focus, WindowKind::Edit) ? dialog.focus : nullptr;
    if (field != edit.field || (field && field->markWholeText)) {
        edit = {field, field ? field->text.size() : 0, field != nullptr};
        if (field) {
            field->markWholeText = false;
        }
    } else if (field) {
        edit.caret = std::min(edit.caret, field->text.size());
    }
}

void HandleKey(Window& dialog, EditState& edit, const KeyPress& press) {
    FollowFocus(edit, dialog);
    if (Window* dropDown = OpenDropDown(dialog)) {
        HandleOpenList(dialog, *dropDown, press);
        return;
    }
    switch (press.key) {
        case Key::F1:
            UserInput::Help(dialog);
            return;
        case Key::F10:
            UserInput::Ok(dialog);
            return;
        case Key::Escape:
            UserInput::Cancel(dialog);
            return;
        case Key::Tab:
        case Key::BackTab:
            UserInput::Tab(dialog, press.key == Key::BackTab);
            return;
        default:
            break;
    }
    Window* focus = dialog.focus;
    const bool enter = press.key == Key::Enter;
    const bool space = press.key == Key::Char && press.ch == L' ';
    if (enter && (!focus || focus->kind != WindowKind::PushButton)) {
        // Enter presses the default push button wherever the focus is, unless
        // the focus is on another push button; without a default button, and
        // without a focused control, it is OK.
        if (Window* defaultButton = DefaultButton(dialog)) {
            UserInput::Press(*defaultButton);
            return;
        }
        if (!focus) {
            UserInput::Ok(dialog);
            return;
        }
    }
    if (!focus) {
        return;
    }
    switch (focus->kind) {
        case WindowKind::Edit:
            HandleEditKey(dialog, *focus, edit, press);
            break;
        case WindowKind::PushButton:
            if (enter || space) {
                UserInput::Press(*focus);
            }
            break;
        case WindowKind::RadioButton:
            if (enter || space) {
                UserInput::Press(*focus);
            } else if (press.key == Key::Up || press.key == Key::Left || press.key == Key::Down ||
                       press.key == Key::Right) {
                UserInput::MoveInGroup(*focus, press.key == Key::Up || press.key == Key::Left);
            }
            break;
        case WindowKind::ComboBox:
            if (enter || space || press.key == Key::F4 || press.key == Key::AltDown) {
                UserInput::OpenList(*focus);
            }
            break;
        case WindowKind::ListBox:
            if (enter) {
                UserInput::Ok(dialog);
            } else if (const int moved = MovedSelection(*focus, press.key); moved >= 0) {
                UserInput::Select(*focus, moved);
            }
            break;
        default:
            break;
    }
}

void HandlePaste(Window& dialog, EditState& edit, const std::wstring& text) {
    FollowFocus(edit, dialog);
    Window* field = IsKind(dialog.focus, WindowKind::Edit) ? dialog.focus : nullptr;
    if (!field || UserInput::OfferPaste(*field, text)) {
        return;
    }
    std::wstring line = text.substr(0, text.find_first_of(L"\r\n"));
    std::replace_if(
        line.begin(), line.end(), [](wchar_t c) { return c < L' '; }, L' ');
    std::wstring changed = field->text;
    if (edit.marked) {
        changed.clear();
        edit.caret = 0;
        edit.marked = false;
    }
    changed.insert(edit.caret, line);
    edit.caret += line.size();
    UserInput::SetText(*field, std::move(changed));
}

bool IsDialogKey(Key key) {
    switch (key) {
        case Key::Tab:
        case Key::BackTab:
        case Key::Enter:
        case Key::Escape:
        case Key::F1:
        case Key::F10:
            return true;
        default:
            return false;
    }
}

void HandleClick(Window& dialog, EditState& edit, const Hit& hit, bool doubleClick) {
    FollowFocus(edit, dialog);
    if (Window* dropDown = OpenDropDown(dialog)) {
        // A click on an entry picks it; a click anywhere else only closes the list.
        const bool picked = hit.kind == Hit::Kind::DropDownItem && hit.control == dropDown &&
                            UserInput::Select(*dropDown, hit.item);
        UserInput::CloseList(*dropDown, picked);
        return;
    }
    if (hit.kind == Hit::Kind::TitleButton) {
        switch (hit.button) {
            case TitleButtonKind::Help:
                UserInput::Help(dialog);
                break;
            case TitleButtonKind::Ok:
                UserInput::Ok(dialog);
                break;
            case TitleButtonKind::Close:
                UserInput::Cancel(dialog);
                break;
        }
        return;
    }
    if (hit.kind != Hit::Kind::Control || !UserInput::Click(*hit.control)) {
        return;
    }
    Window& control = *hit.control;
    switch (control.kind) {
        case WindowKind::Edit:
            // A click puts the caret at the end of the text and marks nothing.
            FollowFocus(edit, dialog);
            edit.marked = false;
            break;
        case WindowKind::ComboBox:
            UserInput::OpenList(control);
            break;
        case WindowKind::ListBox:
            if (hit.item >= 0) {
                if (doubleClick) {
                    UserInput::DoubleClick(control, hit.item);
                } else {
                    UserInput::Select(control, hit.item);
                }
            }
            break;
        default:
            break;
    }
}
