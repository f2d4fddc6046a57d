// SPDX-License-Identifier: MIT
// What a screen reader calls each control and title-bar button, the same for
// every backend that has one: a button by its text, a field or list by the
// label on its left and the unit sign on its right ("Lat degrees").
#pragma once

#include <string>

#include "framework/dialog_input.h"
#include "framework/window_tree.h"

std::wstring AccessibleName(const Window& control);
// The label a field, list or button is read with, if it has one: the nearest
// shown static on its left whose text has a word in it.
const Window* AccessibleLabel(const Window& control);
std::wstring AccessibleName(TitleButtonKind button);
