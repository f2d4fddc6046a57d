// SPDX-License-Identifier: MIT
// The icon's SVG drawing, for a desktop window. The build writes its
// definition from src/res/quillpost.svg, the same file that is installed as
// the desktop entry's icon, so the two never differ.
#pragma once

extern const char* const kIconSvg;
