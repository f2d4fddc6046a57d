// SPDX-License-Identifier: MIT
// Dialog templates and icons as data, and the table the program hands the
// framework at start. Template places and sizes are in dialog units; a dialog
// unit is 2 pixels across and 2 pixels down.
#pragma once

#include <string>
#include <vector>

#include "framework/wnd.h"

constexpr int kPixelsPerDialogUnitX = 2;
constexpr int kPixelsPerDialogUnitY = 2;

struct DialogItemTemplate {
    WindowKind kind;
    int id;
    const wchar_t* text;
    int x, y, cx, cy;
    DWORD style;
    std::vector<std::wstring> items = {};  // the initial items of a drop-down list
};

struct DialogTemplate {
    int id;
    const wchar_t* title;
    int cx, cy;
    FontInfo font;
    DWORD exStyle;
    std::vector<DialogItemTemplate> items;  // in z-order
};

struct IconResource {
    int id;
    const wchar_t* glyph;       // what a character terminal shows for it
    const char* svg = nullptr;  // what a desktop window shows: an SVG drawing
};

struct ResourceTable {
    std::vector<DialogTemplate> dialogs;
    std::vector<IconResource> icons;
};

// The table stays the caller's and must outlive its use; returns the one set before.
const ResourceTable* AfxSetResources(const ResourceTable* table);
const DialogTemplate* FindDialogTemplate(int id);

// nullptr when the table has no such icon.
HICON LoadIconW(int id);
