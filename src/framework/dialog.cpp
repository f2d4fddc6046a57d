// SPDX-License-Identifier: MIT
#include "framework/dialog.h"

#include <algorithm>

#include "framework/backend.h"
#include "framework/resource.h"

namespace {

RECT DialogUnitsToPixels(int x, int y, int cx, int cy) {
    return {x * kPixelsPerDialogUnitX, y * kPixelsPerDialogUnitY, (x + cx) * kPixelsPerDialogUnitX,
            (y + cy) * kPixelsPerDialogUnitY};
}

std::unique_ptr<Window> CreateDialogWindow(const DialogTemplate& dialogTemplate) {
    auto dialog = std::make_unique<Window>();
    dialog->kind = WindowKind::Dialog;
    dialog->id = dialogTemplate.id;
    dialog->exStyle = dialogTemplate.exStyle;
    dialog->text = dialogTemplate.title;
    dialog->font = dialogTemplate.font;
    // A new dialog stands in the middle of the screen, its frame around the client area.
    const RECT client = DialogUnitsToPixels(0, 0, dialogTemplate.cx, dialogTemplate.cy);
    const int width = client.right + 2 * kDialogFrameX;
    const int height = client.bottom + 2 * kDialogFrameY;
    const int x = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    const int y = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    dialog->rect = {x, y, x + width, y + height};
    for (const auto& item : dialogTemplate.items) {
        auto control = std::make_unique<Window>();
        control->kind = item.kind;
        control->id = item.id;
        control->style = item.style;
        control->text = item.text ? item.text : L"";
        control->rect = DialogUnitsToPixels(item.x, item.y, item.cx, item.cy);
        control->enabled = !(item.style & WS_DISABLED);
        control->font = dialogTemplate.font;
        control->items = item.items;
        control->parent = dialog.get();
        dialog->children.push_back(std::move(control));
    }
    return dialog;
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

int CDialog::DoModal() {
    const DialogTemplate* dialogTemplate = FindDialogTemplate(static_cast<int>(m_templateId));
    Backend* backend = CurrentBackend();
    if (!dialogTemplate || !backend) {
        return -1;
    }
    std::unique_ptr<Window> window = CreateDialogWindow(*dialogTemplate);
    window->owner = this;
    Attach(window.get());
    ModalStack().push_back(window.get());
    if (OnInitDialog()) {
        const auto stops = TabStops(*window);
        ChangeFocus(*window, stops.empty() ? nullptr : stops.front(), false);
    }
    if (!window->ended) {
        backend->RunModal(*this);
    }
    const int result = window->result;
    std::erase(ModalStack(), window.get());
    return result;  // the window dies here and lets go of every CWnd bound to it
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result) {
    if (m_hWnd) {
        m_hWnd->ended = true;
        m_hWnd->result = result;
    }
}

bool CDialog::DispatchNotification(const Notification& notification) {
    if (notification.code != BN_CLICKED) {
        return false;
    }
    if (notification.id == IDOK) {
        OnOK();
        return true;
    }
    if (notification.id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}
