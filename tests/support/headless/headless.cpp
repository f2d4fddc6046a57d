// SPDX-License-Identifier: MIT
#include "support/headless/headless.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/dialog_input.h"
#include "framework/user_input.h"

namespace {

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

}  // namespace

Window* HeadlessDialog::Control(int id, Here here) const {
    Window* dialog = m_dialog.m_hWnd;
    if (!dialog) {
        ADD_FAILURE_AT(here.file_name(), here.line())
            << "dialog " << m_dialog.TemplateId() << " is no longer open";
        return nullptr;
    }
    Window* control = FindChild(*dialog, id);
    if (!control) {
        ADD_FAILURE_AT(here.file_name(), here.line())
            << "dialog " << m_dialog.TemplateId() << " has no control " << id;
    }
    return control;
}

Window* HeadlessDialog::Usable(int id, Here here) {
    if (m_dialog.ModalEnded()) {
        ADD_FAILURE_AT(here.file_name(), here.line())
            << "dialog " << m_dialog.TemplateId() << " has already ended";
        return nullptr;
    }
    return Control(id, here);
}

HeadlessDialog& HeadlessDialog::Check(bool done, int id, const char* what, Here here) {
    if (!done) {
        ADD_FAILURE_AT(here.file_name(), here.line())
            << "the user cannot " << what << " control " << id << " of dialog "
            << m_dialog.TemplateId() << " (hidden, disabled or of another kind)";
    }
    return *this;
}

HeadlessDialog& HeadlessDialog::Type(int id, const std::wstring& text, Here here) {
    Window* control = Usable(id, here);
    if (!control) {
        return *this;
    }
    if (!UserInput::Focus(*control)) {
        return Check(false, id, "type into", here);
    }
    // The keys go where the focus is now: a field that failed when it lost
    // the focus has taken it back, as it would from a user.
    Window* focused = m_dialog.m_hWnd->focus;
    const int typedInto = focused ? focused->id : id;
    return Check(focused && UserInput::SetText(*focused, text), typedInto, "type into", here);
}

HeadlessDialog& HeadlessDialog::Paste(int id, const std::wstring& text, Here here) {
    Window* control = Usable(id, here);
    if (!control) {
        return *this;
    }
    if (control->kind != WindowKind::Edit || !UserInput::Focus(*control)) {
        return Check(false, id, "paste into", here);
    }
    EditState edit;
    HandlePaste(*m_dialog.m_hWnd, edit, text);
    return *this;
}

HeadlessDialog& HeadlessDialog::Click(int id, Here here) {
    Window* control = Usable(id, here);
    if (!control) {
        return *this;
    }
    if (control->kind == WindowKind::Static) {
        return Check(false, id, "click", here);
    }
    // A click that a refusing field stops is what the user gets, not a
    // mistake of the script.
    UserInput::Click(*control);
    return *this;
}

HeadlessDialog& HeadlessDialog::Tab(Here here) {
    if (m_dialog.ModalEnded() || !m_dialog.m_hWnd) {
        ADD_FAILURE_AT(here.file_name(), here.line())
            << "dialog " << m_dialog.TemplateId() << " has already ended";
        return *this;
    }
    UserInput::Tab(*m_dialog.m_hWnd);
    return *this;
}

HeadlessDialog& HeadlessDialog::Pick(int id, int index, Here here) {
    if (Window* control = Usable(id, here)) {
        if (!UserInput::Click(*control)) {
            return *this;
        }
        const bool done = UserInput::OpenList(*control);
        const bool picked = done && UserInput::Select(*control, index);
        if (done) {
            UserInput::CloseList(*control, picked);
        }
        return Check(picked, id, "pick that item of", here);
    }
    return *this;
}

HeadlessDialog& HeadlessDialog::CloseList(int id, Here here) {
    if (Window* control = Usable(id, here)) {
        if (!UserInput::Click(*control)) {
            return *this;
        }
        return Check(UserInput::OpenList(*control) && UserInput::CloseList(*control, false), id,
                     "open and close", here);
    }
    return *this;
}

HeadlessDialog& HeadlessDialog::Select(int id, int index, Here here) {
    if (Window* control = Usable(id, here)) {
        if (!UserInput::Click(*control)) {
            return *this;
        }
        return Check(UserInput::Select(*control, index), id, "select that entry of", here);
    }
    return *this;
}

HeadlessDialog& HeadlessDialog::DoubleClick(int id, int index, Here here) {
    if (Window* control = Usable(id, here)) {
        if (!UserInput::Click(*control)) {
            return *this;
        }
        return Check(UserInput::DoubleClick(*control, index), id, "double-click that entry of",
                     here);
    }
    return *this;
}

Window* HeadlessDialog::Running(Here here) const {
    if (m_dialog.ModalEnded() || !m_dialog.m_hWnd) {
        ADD_FAILURE_AT(here.file_name(), here.line())
            << "dialog " << m_dialog.TemplateId() << " has already ended";
        return nullptr;
    }
    return m_dialog.m_hWnd;
}

HeadlessDialog& HeadlessDialog::Help(Here here) {
    if (Window* dialog = Running(here)) {
        UserInput::Help(*dialog);
    }
    return *this;
}

HeadlessDialog& HeadlessDialog::Ok(Here here) {
    if (Window* dialog = Running(here)) {
        UserInput::Ok(*dialog);
    }
    return *this;
}

HeadlessDialog& HeadlessDialog::Cancel(Here here) {
    if (Window* dialog = Running(here)) {
        UserInput::Cancel(*dialog);
    }
    return *this;
}

std::wstring HeadlessDialog::Text(int id, Here here) const {
    if (!Control(id, here)) {
        return {};
    }
    CString text;
    m_dialog.GetDlgItem(id)->GetWindowText(text);
    return text.str();
}

bool HeadlessDialog::Visible(int id, Here here) const {
    const Window* control = Control(id, here);
    return control && control->visible;
}

bool HeadlessDialog::Enabled(int id, Here here) const {
    const Window* control = Control(id, here);
    return control && control->enabled;
}

RECT HeadlessDialog::Rect(int id, Here here) const {
    const Window* control = Control(id, here);
    return control ? control->rect : RECT{};
}

FontInfo HeadlessDialog::Font(int id, Here here) const {
    const Window* control = Control(id, here);
    return control ? control->font : FontInfo{};
}

bool HeadlessDialog::Checked(int id, Here here) const {
    const Window* control = Control(id, here);
    return control && control->check == BST_CHECKED;
}

std::vector<std::wstring> HeadlessDialog::Items(int id, Here here) const {
    const Window* control = Control(id, here);
    return control ? control->items : std::vector<std::wstring>{};
}

int HeadlessDialog::Selection(int id, Here here) const {
    const Window* control = Control(id, here);
    return control ? control->selection : -1;
}

int HeadlessDialog::Focus() const {
    const Window* dialog = m_dialog.m_hWnd;
    return dialog && dialog->focus ? dialog->focus->id : 0;
}

std::vector<int> HeadlessDialog::TabOrder() const {
    std::vector<int> ids;
    if (m_dialog.m_hWnd) {
        for (const Window* stop : TabStops(*m_dialog.m_hWnd)) {
            ids.push_back(stop->id);
        }
    }
    return ids;
}

std::wstring HeadlessDialog::Title() const {
    return m_dialog.m_hWnd ? m_dialog.m_hWnd->text : std::wstring();
}

RECT HeadlessDialog::WindowRect() const {
    return m_dialog.m_hWnd ? m_dialog.m_hWnd->rect : RECT{};
}

bool HeadlessDialog::Topmost() const {
    return m_dialog.m_hWnd && m_dialog.m_hWnd->topmost;
}

HICON HeadlessDialog::Icon(WPARAM which) const {
    if (!m_dialog.m_hWnd) {
        return nullptr;
    }
    return which == ICON_BIG ? m_dialog.m_hWnd->bigIcon : m_dialog.m_hWnd->smallIcon;
}

Headless::Headless() : m_previousBackend(SetBackend(this)) {}

Headless::Headless(const ResourceTable& resources)
    : m_previousBackend(SetBackend(this)),
      m_ownResources(true),
      m_previousResources(AfxSetResources(&resources)) {}

Headless::~Headless() {
    for (const auto& [id, queue] : m_scripts) {
        for (const auto& pending : queue) {
            ADD_FAILURE_AT(pending.here.file_name(), pending.here.line())
                << "the script for dialog " << id << " never ran: the dialog did not open";
        }
    }
    SetBackend(m_previousBackend);
    if (m_ownResources) {
        AfxSetResources(m_previousResources);
    }
}

Headless& Headless::OnDialog(int templateId, Script script, Here here) {
    m_scripts[templateId].push_back({std::move(script), here});
    return *this;
}

void Headless::SetScreenSize(int width, int height) {
    m_screenWidth = width;
    m_screenHeight = height;
}

std::vector<std::wstring> Headless::TakeMessageBoxes() {
    std::vector<std::wstring> recent(m_messageBoxes.begin() + m_messageBoxesTaken,
                                     m_messageBoxes.end());
    m_messageBoxesTaken = m_messageBoxes.size();
    return recent;
}

void Headless::RunModal(CDialog& dialog) {
    const int id = static_cast<int>(dialog.TemplateId());
    m_opened.push_back(id);
    auto& queue = m_scripts[id];
    if (queue.empty()) {
        ADD_FAILURE() << "dialog " << id << " opened, but no script waits for it; cancelled";
        dialog.EndDialog(IDCANCEL);
        return;
    }
    PendingScript pending = std::move(queue.front());
    queue.pop_front();
    HeadlessDialog user(dialog);
    pending.script(user);
    if (!dialog.ModalEnded()) {
        ADD_FAILURE_AT(pending.here.file_name(), pending.here.line())
            << "the script for dialog " << id << " did not end it; cancelled";
        dialog.EndDialog(IDCANCEL);
    }
}

void Headless::ShowMessageBox(const wchar_t* text) {
    m_messageBoxes.push_back(text);
}

void PrintTo(const FontInfo& font, std::ostream* out) {
    *out << "{" << Narrow(font.face) << ", " << font.pointSize << "}";
}
