// SPDX-License-Identifier: MIT
#include "backends/win32/win32_backend.h"

#include <optional>

#include "framework/dialog.h"
#include "framework/dialog_input.h"
#include "framework/end_signals.h"
#include "framework/native_input.h"
#include "framework/resource.h"
#include "framework/user_input.h"
#include "framework/win_app.h"

namespace {

// Windows' virtual-key codes of the keys a dialog knows.
constexpr unsigned kVkBack = 0x08;
constexpr unsigned kVkTab = 0x09;
constexpr unsigned kVkReturn = 0x0D;
constexpr unsigned kVkEscape = 0x1B;
constexpr unsigned kVkPageUp = 0x21;
constexpr unsigned kVkPageDown = 0x22;
constexpr unsigned kVkEnd = 0x23;
constexpr unsigned kVkHome = 0x24;
constexpr unsigned kVkLeft = 0x25;
constexpr unsigned kVkUp = 0x26;
constexpr unsigned kVkRight = 0x27;
constexpr unsigned kVkDown = 0x28;
constexpr unsigned kVkDelete = 0x2E;
constexpr unsigned kVkF1 = 0x70;
constexpr unsigned kVkF4 = 0x73;
constexpr unsigned kVkF10 = 0x79;

std::optional<KeyPress> Translate(const Native::KeyInput& input) {
    switch (input.virtualKey) {
        case kVkTab:
            return KeyPress{input.shift ? Key::BackTab : Key::Tab};
        case kVkReturn:
            return KeyPress{Key::Enter};
        case kVkEscape:
            return KeyPress{Key::Escape};
        case kVkLeft:
            return KeyPress{Key::Left};
        case kVkRight:
            return KeyPress{Key::Right};
        case kVkUp:
            return KeyPress{Key::Up};
        case kVkDown:
            return KeyPress{input.alt ? Key::AltDown : Key::Down};
        case kVkHome:
            return KeyPress{Key::Home};
        case kVkEnd:
            return KeyPress{Key::End};
        case kVkPageUp:
            return KeyPress{Key::PageUp};
        case kVkPageDown:
            return KeyPress{Key::PageDown};
        case kVkBack:
            return KeyPress{Key::Backspace};
        case kVkDelete:
            return KeyPress{Key::Delete};
        case kVkF1:
            return KeyPress{Key::F1};
        case kVkF4:
            return KeyPress{Key::F4};
        case kVkF10:
            return KeyPress{Key::F10};
        default:
            return std::nullopt;
    }
}

// The characters that the dialog's keys also type: the key did its work.
bool DialogCharacter(wchar_t character) {
    return character == L'\t' || character == L'\r' || character == L'\n' || character == 0x1B;
}

Native::DialogDescription SpecOf(const DialogTemplate& dialog) {
    Native::DialogDescription description{dialog.title ? dialog.title : L"",
                                          dialog.cx,
                                          dialog.cy,
                                          dialog.font.face,
                                          dialog.font.pointSize,
                                          (dialog.exStyle & WS_EX_CONTEXTHELP) != 0,
                                          (dialog.exStyle & WS_EX_CAPTIONOKBTN) != 0,
                                          {}};
    for (const DialogItemTemplate& item : dialog.items) {
        description.controls.push_back({item.kind, item.id, item.text ? item.text : L"", item.x,
                                        item.y, item.cx, item.cy, item.style});
    }
    return description;
}

// A dialog is never kept above every other window: the device's form
// stands above the navigation software, but on a desktop it would hide the
// user's other programs.
Native::DialogState StateOf(Window& dialog, bool focusByMouse, bool inFront) {
    const bool mark = inFront && NativeInput::TakeMarkRequest(dialog);
    Native::DialogState state{dialog.text,
                              dialog.rect.left,
                              dialog.rect.top,
                              dialog.bigIcon ? dialog.bigIcon->id : 0,
                              {},
                              dialog.focus ? dialog.focus->id : -1,
                              focusByMouse,
                              mark};
    for (const auto& child : dialog.children) {
        const Window& control = *child;
        const bool ownFont = !(control.font == dialog.font);
        state.controls.push_back(
            {control.id, control.text, control.rect.left, control.rect.top, control.rect.right,
             control.rect.bottom, control.visible, control.enabled, control.check == BST_CHECKED,
             control.items, control.selection, control.dropped,
             ownFont ? control.font.face : std::wstring(), control.font.pointSize});
    }
    return state;
}

}  // namespace

// Until a dialog tells its own, the scale is that of the system's dialog font.
Win32Backend::Win32Backend() : m_scale(Native::ScaleForFont(L"", 80)) {
    EndSignals::Install();
}

bool Win32Backend::NobodyAnswers() const {
    return m_quit || EndSignals::Received() != 0;
}

int Win32Backend::ScreenWidth() const {
    int width = 0;
    int height = 0;
    Native::WorkArea(m_scale, &width, &height);
    return width;
}

int Win32Backend::ScreenHeight() const {
    int width = 0;
    int height = 0;
    Native::WorkArea(m_scale, &width, &height);
    return height;
}

Native::Events Win32Backend::EventsFor(Window& dialog) {
    Native::Events events;
    events.key = [this, &dialog](const Native::KeyInput& input) {
        std::optional<KeyPress> press = Translate(input);
        if (input.character) {
            if (DialogCharacter(input.character)) {
                return false;  // its key did the work
            }
            press = KeyPress{Key::Char, input.character};
        } else if (input.alt && input.virtualKey == kVkF4) {
            return true;  // the system closes the window, which is Cancel
        }
        if (NativeInput::FieldKeepsKey(dialog, press)) {
            return true;
        }
        // Outside a field only what types a character, and the keys the
        // dialog knows, reach it.
        if (press && (press->key != Key::Char || (press->ch >= L' ' && press->ch != 0x7F))) {
            NativeInput::Key(dialog, *press);
            AfterInput();
        }
        return false;
    };
    events.click = [this, &dialog](int id, int item, bool doubleClick) {
        Window* control = FindChild(dialog, id);
        if (!control) {
            return false;
        }
        m_focusByMouse = true;
        const bool fieldTakesIt = NativeInput::Click(dialog, *control, item, doubleClick);
        AfterInput();
        m_focusByMouse = false;
        return fieldTakesIt;
    };
    events.textEdited = [this, &dialog](int id, const std::wstring& text) {
        if (Window* control = FindChild(dialog, id)) {
            UserInput::SetText(*control, text);
            AfterInput();
        }
    };
    events.paste = [this, &dialog](int id, const std::wstring& text) {
        Window* control = FindChild(dialog, id);
        const bool taken = control && UserInput::OfferPaste(*control, text);
        if (taken) {
            AfterInput();
        }
        return taken;
    };
    events.pressed = [this, &dialog](int id) {
        if (Window* control = FindChild(dialog, id)) {
            UserInput::Click(*control);
            AfterInput();
        }
    };
    events.listClosed = [this, &dialog](int id, int picked) {
        Window* control = FindChild(dialog, id);
        if (control && NativeInput::ListClosed(*control, picked)) {
            AfterInput();
        }
    };
    events.help = [this, &dialog] {
        UserInput::Help(dialog);
        AfterInput();
    };
    events.ok = [this, &dialog] {
        UserInput::Ok(dialog);
        AfterInput();
    };
    events.close = [this, &dialog] {
        UserInput::Cancel(dialog);
        AfterInput();
    };
    events.sessionEnds = [] {
        if (CWinApp* app = AfxGetApp()) {
            app->SaveSettings();
        }
    };
    return events;
}

void Win32Backend::RunModal(CDialog& dialog) {
    Window& window = *dialog.m_hWnd;
    const DialogTemplate* dialogTemplate =
        FindDialogTemplate(static_cast<int>(dialog.TemplateId()));
    if (!NobodyAnswers() && dialogTemplate) {
        m_focusByMouse = false;
        Native::Dialog native(SpecOf(*dialogTemplate), EventsFor(window),
                              m_open.empty() ? nullptr : m_open.back().native);
        m_open.push_back({&window, &native});
        native.Show();
        native.Apply(StateOf(window, false, true), true);
        if (!native.RunUntil([this, &dialog] { return dialog.ModalEnded() || NobodyAnswers(); })) {
            m_quit = true;
        }
        m_open.pop_back();
    }
    NativeInput::EndUnanswered(dialog);
}

void Win32Backend::ShowMessageBox(const wchar_t* text) {
    if (NobodyAnswers()) {
        return;
    }
    const CWinApp* app = AfxGetApp();
    Native::ShowMessage(m_open.empty() ? nullptr : m_open.back().native,
                        app ? app->GetTitle() : std::wstring(), text);
}

void Win32Backend::AfterInput() {
    for (const Open& open : m_open) {
        const bool inFront = open.native == m_open.back().native;
        open.native->Apply(StateOf(*open.window, m_focusByMouse, inFront), inFront);
    }
}
