// SPDX-License-Identifier: MIT
#include "framework/backend.h"

namespace {
Backend* g_backend = nullptr;

// The screen of an 80 x 30 terminal, for the time before a backend is set.
constexpr int kDefaultScreenWidth = 640;
constexpr int kDefaultScreenHeight = 480;
}  // namespace

Backend* SetBackend(Backend* backend) {
    Backend* previous = g_backend;
    g_backend = backend;
    return previous;
}

Backend* CurrentBackend() {
    return g_backend;
}

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN:
            return g_backend ? g_backend->ScreenWidth() : kDefaultScreenWidth;
        case SM_CYSCREEN:
            return g_backend ? g_backend->ScreenHeight() : kDefaultScreenHeight;
        default:
            return 0;
    }
}

int AfxMessageBox(const wchar_t* text, UINT) {
    if (g_backend) {
        g_backend->ShowMessageBox(text ? text : L"");
    }
    return IDOK;
}
