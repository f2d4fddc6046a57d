// SPDX-License-Identifier: MIT
#include "framework/wnd.h"

#include <algorithm>

#include "framework/data_exchange.h"
#include "framework/font.h"
#include "services/letter_case.h"

namespace {

LRESULT InsertItem(Window& window, int index, const wchar_t* text) {
    auto& items = window.items;
    if (index == -1) {
        index = static_cast<int>(items.size());
    }
    if (index < 0 || index > static_cast<int>(items.size())) {
        return CB_ERR;
    }
    items.insert(items.begin() + index, text ? text : L"");
    return index;
}

LRESULT AddItem(Window& window, const wchar_t* text) {
    const std::wstring item = text ? text : L"";
    auto& items = window.items;
    auto place = items.end();
    if (window.style & LBS_SORT) {  // as the device's list box sorts
        place = std::upper_bound(items.begin(), items.end(), item, SortsBefore);
    }
    return items.insert(place, item) - items.begin();
}

}  // namespace

const CWnd CWnd::wndTop;
const CWnd CWnd::wndBottom;
const CWnd CWnd::wndTopMost;

CWnd::~CWnd() {
    Detach();
}

void CWnd::Attach(HWND window) {
    if (m_hWnd == window) {
        return;
    }
    Detach();
    m_hWnd = window;
    if (window) {
        window->attached.push_back(this);
    }
}

void CWnd::Detach() {
    if (m_hWnd) {
        std::erase(m_hWnd->attached, this);
        m_hWnd = nullptr;
    }
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    if (!m_hWnd) {
        return FALSE;
    }
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return exchange.Failed() ? FALSE : TRUE;
}

CWnd* CWnd::GetDlgItem(int id) const {
    return m_hWnd ? HandleOf(FindChild(*m_hWnd, id)) : nullptr;
}

int CWnd::GetDlgCtrlID() const {
    return m_hWnd ? m_hWnd->id : 0;
}

BOOL CWnd::ShowWindow(int command) {
    if (!m_hWnd) {
        return FALSE;
    }
    const bool wasVisible = m_hWnd->visible;
    m_hWnd->visible = command != SW_HIDE;
    return wasVisible ? TRUE : FALSE;
}

BOOL CWnd::EnableWindow(BOOL enable) {
    if (!m_hWnd) {
        return FALSE;
    }
    const bool wasDisabled = !m_hWnd->enabled;
    m_hWnd->enabled = enable != FALSE;
    return wasDisabled ? TRUE : FALSE;
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    Window* window = m_hWnd;
    if (!window) {
        return FALSE;
    }
    RECT& rect = window->rect;
    if (!(flags & SWP_NOMOVE)) {
        rect = {x, y, x + rect.right - rect.left, y + rect.bottom - rect.top};
    }
    if (!(flags & SWP_NOSIZE)) {
        rect.right = rect.left + cx;
        rect.bottom = rect.top + cy;
    }
    if (flags & SWP_SHOWWINDOW) {
        window->visible = true;
    }
    if (flags & SWP_HIDEWINDOW) {
        window->visible = false;
    }
    if (flags & SWP_NOZORDER) {
        return TRUE;
    }
    if (!window->parent) {
        // A dialog has no siblings of its own; only "stay in front" matters.
        if (insertAfter == &wndTopMost) {
            window->topmost = true;
        }
        return TRUE;
    }
    auto& siblings = window->parent->children;
    const auto self = std::find_if(siblings.begin(), siblings.end(),
                                   [&](const auto& child) { return child.get() == window; });
    HWND after = insertAfter ? insertAfter->m_hWnd : nullptr;
    if (after == window) {
        return TRUE;
    }
    if (after && after->parent != window->parent) {
        return FALSE;
    }
    std::unique_ptr<Window> moving = std::move(*self);
    siblings.erase(self);
    if (insertAfter == &wndBottom) {
        siblings.push_back(std::move(moving));
    } else if (!after) {  // &wndTop, &wndTopMost or no window: the front
        siblings.insert(siblings.begin(), std::move(moving));
    } else {
        const auto place = std::find_if(siblings.begin(), siblings.end(),
                                        [&](const auto& child) { return child.get() == after; });
        siblings.insert(place + 1, std::move(moving));
    }
    return TRUE;
}

void CWnd::SetWindowText(const wchar_t* text) {
    if (m_hWnd) {
        m_hWnd->text = text ? text : L"";
    }
}

void CWnd::GetWindowText(CString& text) const {
    if (!m_hWnd) {
        text.Empty();
        return;
    }
    const Window& window = *m_hWnd;
    if (window.kind == WindowKind::ComboBox) {  // a drop-down list shows its selected item
        const bool selected =
            window.selection >= 0 && window.selection < static_cast<int>(window.items.size());
        text = selected ? window.items[window.selection] : std::wstring();
        return;
    }
    text = window.text;
}

void CWnd::GetWindowRect(RECT* rect) const {
    if (m_hWnd && rect) {
        *rect = ScreenRect(*m_hWnd);
    }
}

void CWnd::ScreenToClient(RECT* rect) const {
    if (m_hWnd && rect) {
        const POINT origin = ClientOrigin(*m_hWnd);
        *rect = {rect->left - origin.x, rect->top - origin.y, rect->right - origin.x,
                 rect->bottom - origin.y};
    }
}

void CWnd::ScreenToClient(POINT* point) const {
    if (m_hWnd && point) {
        const POINT origin = ClientOrigin(*m_hWnd);
        *point = {point->x - origin.x, point->y - origin.y};
    }
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
    SendMessage(WM_SETFONT, font ? reinterpret_cast<WPARAM>(font->GetSafeHandle()) : 0, redraw);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_hWnd) {
        return 0;
    }
    Window& window = *m_hWnd;
    const auto text = reinterpret_cast<const wchar_t*>(lParam);
    const int index = static_cast<int>(wParam);
    switch (message) {
        case WM_SETFONT:
            if (wParam) {
                window.font = *reinterpret_cast<HFONT>(wParam);
            }
            return 0;
        case WM_SETICON: {
            HICON& icon = wParam == ICON_BIG ? window.bigIcon : window.smallIcon;
            const HICON previous = icon;
            icon = reinterpret_cast<HICON>(lParam);
            return reinterpret_cast<LRESULT>(previous);
        }
        case BM_SETCHECK:
            if (IsButton(window)) {
                window.check = index;
            }
            return 0;
        case BM_GETCHECK:
            return IsButton(window) ? window.check : 0;
        case CB_RESETCONTENT:
            window.items.clear();
            window.selection = -1;
            return 0;
        case CB_INSERTSTRING:
            return InsertItem(window, index, text);
        case CB_SETCURSEL:
            window.selection =
                index >= 0 && index < static_cast<int>(window.items.size()) ? index : -1;
            return window.selection == -1 ? CB_ERR : window.selection;
        case CB_GETCURSEL:
        case LB_GETCURSEL:
            return window.selection;
        case LB_ADDSTRING:
            return AddItem(window, text);
        default:
            return 0;
    }
}

CWnd* CWnd::SetFocus() {
    Window* dialog = m_hWnd ? m_hWnd->parent : nullptr;
    if (!dialog) {
        return nullptr;
    }
    CWnd* previous = HandleOf(dialog->focus);
    ChangeFocus(*dialog, m_hWnd, true);
    return previous;
}

CWnd* CWnd::GetFocus() {
    const auto& stack = ModalStack();
    return stack.empty() ? nullptr : HandleOf(stack.back()->focus);
}

CWnd* HandleOf(HWND window) {
    if (!window) {
        return nullptr;
    }
    if (!window->handle) {
        window->handle = std::make_unique<CWnd>();
        window->handle->Attach(window);
    }
    return window->handle.get();
}
