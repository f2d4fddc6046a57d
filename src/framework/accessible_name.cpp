// SPDX-License-Identifier: MIT
#include "framework/accessible_name.h"

#include <algorithm>
#include <cwctype>

#include "framework/data_exchange.h"

namespace {

bool English() {
    return AfxGetMessageLanguage() == kAfxEnglish;
}

bool HasLetter(const std::wstring& text) {
    return std::any_of(text.begin(), text.end(), [](wchar_t c) { return std::iswalpha(c); });
}

// A label as it reads: without the mnemonic marks, and without the asterisk
// or colon that a label of a required field may end with.
std::wstring Spoken(std::wstring text) {
    std::erase(text, L'&');
    while (!text.empty() && (text.back() == L'*' || text.back() == L':' || text.back() == L' ')) {
        text.pop_back();
    }
    return text;
}

// The unit signs that stand after the fields of degrees, minutes and seconds.
std::wstring UnitWord(const std::wstring& sign) {
    if (sign == L"\u00b0") {
        return English() ? L"degrees" : L"Grad";
    }
    if (sign == L"'") {
        return English() ? L"minutes" : L"Minuten";
    }
    if (sign == L"\"") {
        return English() ? L"seconds" : L"Sekunden";
    }
    return {};
}

bool SameRow(const Window& a, const Window& b) {
    return a.rect.top < b.rect.bottom && b.rect.top < a.rect.bottom;
}

}  // namespace

// The unit signs between a field and its label are not labels. The place
// decides, not the z-order, which the program arranges for the tab key.
const Window* AccessibleLabel(const Window& control) {
    if (!control.parent) {
        return nullptr;
    }
    const Window* label = nullptr;
    for (const auto& sibling : control.parent->children) {
        const Window& other = *sibling;
        if (other.kind == WindowKind::Static && other.visible && HasLetter(other.text) &&
            SameRow(other, control) && other.rect.right <= control.rect.left &&
            (!label || other.rect.right > label->rect.right)) {
            label = &other;
        }
    }
    return label;
}

namespace {

// The unit sign a field is read with: the shown control next to it on the
// right, when that is a static without a word.
std::wstring UnitAfter(const Window& control) {
    const Window* next = nullptr;
    for (const auto& sibling : control.parent->children) {
        const Window& other = *sibling;
        if (&other != &control && other.visible && SameRow(other, control) &&
            other.rect.left >= control.rect.right && (!next || other.rect.left < next->rect.left)) {
            next = &other;
        }
    }
    return next && next->kind == WindowKind::Static ? UnitWord(next->text) : std::wstring();
}

std::wstring Joined(std::wstring first, const std::wstring& second) {
    if (first.empty() || second.empty()) {
        return first.empty() ? second : first;
    }
    return first + L" " + second;
}

}  // namespace

std::wstring AccessibleName(const Window& control) {
    if (!control.parent || control.kind == WindowKind::Static ||
        control.kind == WindowKind::Dialog) {
        return Spoken(control.text);
    }
    const Window* label = AccessibleLabel(control);
    const std::wstring row = label ? Spoken(label->text) : std::wstring();
    switch (control.kind) {
        case WindowKind::PushButton:
        case WindowKind::RadioButton:
            // A button whose text is no word (the hemisphere letter of a row)
            // says which row it belongs to.
            if (control.text.size() < 2 && HasLetter(control.text)) {
                return Joined(row, Spoken(control.text));
            }
            return Spoken(control.text);
        default:
            // A field or list without a label of its own is the dialog's.
            return Joined(label ? row : Spoken(control.parent->text), UnitAfter(control));
    }
}

std::wstring AccessibleName(TitleButtonKind button) {
    switch (button) {
        case TitleButtonKind::Help:
            return English() ? L"Help" : L"Hilfe";
        case TitleButtonKind::Ok:
            return L"OK";
        case TitleButtonKind::Close:
            return English() ? L"Cancel" : L"Abbrechen";
    }
    return {};
}
