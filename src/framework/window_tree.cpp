// SPDX-License-Identifier: MIT
#include "framework/window_tree.h"

#include <algorithm>

#include "framework/wnd.h"

Window::Window() = default;

Window::~Window() {
    for (CWnd* wnd : attached) {
        wnd->m_hWnd = nullptr;
    }
}

bool IsButton(const Window& window) {
    return window.kind == WindowKind::PushButton || window.kind == WindowKind::RadioButton;
}

HWND FindChild(const Window& dialog, int id) {
    for (const auto& child : dialog.children) {
        if (child->id == id) {
            return child.get();
        }
    }
    return nullptr;
}

POINT ClientOrigin(const Window& window) {
    if (!window.parent) {
        return {window.rect.left + kDialogFrameX, window.rect.top + kDialogFrameY};
    }
    const POINT parent = ClientOrigin(*window.parent);
    return {parent.x + window.rect.left, parent.y + window.rect.top};
}

RECT ScreenRect(const Window& window) {
    if (!window.parent) {
        return window.rect;
    }
    const POINT parent = ClientOrigin(*window.parent);
    return {parent.x + window.rect.left, parent.y + window.rect.top, parent.x + window.rect.right,
            parent.y + window.rect.bottom};
}

void ChangeFocus(Window& dialog, Window* control, bool notify) {
    Window* previous = dialog.focus;
    dialog.focus = control;
    // As on the device, the control that lost the focus reports it after the
    // new one has it, so a handler that asks for the focus sees the new one.
    if (notify && previous && previous != control && previous->kind == WindowKind::Edit) {
        Notify(*previous, EN_KILLFOCUS);
    }
}

void Notify(const Window& control, UINT code) {
    if (control.parent && control.parent->owner) {
        control.parent->owner->DispatchNotification({code, control.id});
    }
}

namespace {

bool UsableRadio(const Window& window) {
    return window.kind == WindowKind::RadioButton && window.visible && window.enabled;
}

}  // namespace

std::vector<Window*> GroupOf(const Window& control) {
    auto& siblings = control.parent->children;
    const auto self = std::find_if(siblings.begin(), siblings.end(),
                                   [&](const auto& child) { return child.get() == &control; });
    auto first = self;
    while (first != siblings.begin() && !((*first)->style & WS_GROUP)) {
        --first;
    }
    std::vector<Window*> group;
    for (auto it = first; it != siblings.end(); ++it) {
        if (it != first && ((*it)->style & WS_GROUP)) {
            break;
        }
        group.push_back(it->get());
    }
    return group;
}

bool IsTabStop(const Window& control) {
    return control.visible && control.enabled && (control.style & WS_TABSTOP);
}

Window& TabTarget(Window& stop) {
    if (stop.kind != WindowKind::RadioButton || !stop.parent) {
        return stop;
    }
    for (Window* member : GroupOf(stop)) {
        if (UsableRadio(*member) && member->check == BST_CHECKED) {
            return *member;
        }
    }
    return stop;
}

bool InSameRadioGroup(const Window& a, const Window& b) {
    if (a.kind != WindowKind::RadioButton || b.kind != WindowKind::RadioButton ||
        a.parent != b.parent || !a.parent) {
        return false;
    }
    const std::vector<Window*> group = GroupOf(a);
    return std::find(group.begin(), group.end(), &b) != group.end();
}

std::vector<Window*> TabStops(const Window& dialog) {
    std::vector<Window*> stops;
    for (const auto& child : dialog.children) {
        if (!IsTabStop(*child)) {
            continue;
        }
        Window& target = TabTarget(*child);
        const bool groupListed = std::any_of(stops.begin(), stops.end(), [&](const Window* stop) {
            return stop == &target || InSameRadioGroup(*stop, target);
        });
        if (!groupListed) {
            stops.push_back(&target);
        }
    }
    return stops;
}

Window* DefaultButton(const Window& dialog) {
    for (const auto& child : dialog.children) {
        if (child->kind == WindowKind::PushButton && (child->style & 0x000F) == BS_DEFPUSHBUTTON &&
            child->visible && child->enabled) {
            return child.get();
        }
    }
    return nullptr;
}

std::vector<Window*>& ModalStack() {
    static std::vector<Window*> stack;
    return stack;
}
