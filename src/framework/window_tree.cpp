#include "framework/window_tree.h"

#include "framework/wnd.h"

Window::Window() = default;

Window::~Window() {
    for (CWnd* wnd : attached) {
        wnd->m_hWnd = nullptr;
    }
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

bool IsTabStop(const Window& control) {
    return control.visible && control.enabled && (control.style & WS_TABSTOP);
}

std::vector<Window*> TabStops(const Window& dialog) {
    std::vector<Window*> stops;
    for (const auto& child : dialog.children) {
        if (IsTabStop(*child)) {
            stops.push_back(child.get());
        }
    }
    return stops;
}

std::vector<Window*>& ModalStack() {
    static std::vector<Window*> stack;
    return stack;
}
