// SPDX-License-Identifier: MIT
#include "framework/resource.h"

namespace {
const ResourceTable* g_resources = nullptr;
}

const ResourceTable* AfxSetResources(const ResourceTable* table) {
    const ResourceTable* previous = g_resources;
    g_resources = table;
    return previous;
}

const DialogTemplate* FindDialogTemplate(int id) {
    if (g_resources) {
        for (const auto& dialog : g_resources->dialogs) {
            if (dialog.id == id) {
                return &dialog;
            }
        }
    }
    return nullptr;
}

HICON LoadIconW(int id) {
    if (g_resources) {
        for (const auto& icon : g_resources->icons) {
            if (icon.id == id) {
                return &icon;
            }
        }
    }
    return nullptr;
}
