// SPDX-License-Identifier: MIT
// The kinds of window the framework knows: the dialog and its control kinds.
// A header of its own, without the window tree's names, so that a backend's
// native side (whose system headers clash with the framework's names) names
// the kinds as the framework does.
#pragma once

enum class WindowKind { Dialog, Static, Edit, PushButton, RadioButton, ComboBox, ListBox };
