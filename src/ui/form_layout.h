// SPDX-License-Identifier: MIT
// Which controls of the entry form a display format shows, where they sit
// and the order the tab key walks them. The degree or minute fields are
// widened when they end a row; the unit signs and the hemisphere buttons
// follow them.
#pragma once

#include <array>
#include <cstdint>

#include "engine/position_engine.h"
#include "framework/wnd.h"

namespace FormLayout {

// Client pixels per degree format (Deg, DegMin, DegMinSec), taken from the
// latitude row and used for both rows.
struct Table {
    // The degree, minute and second edits.
    std::array<std::array<std::int32_t, 3>, 3> width;
    // The degree, minute and second signs and the hemisphere buttons.
    std::array<std::array<std::int32_t, 4>, 3> x;
};

// Measures the form as its template placed it; called before anything moves,
// so that every later format starts from the template and not from moved
// controls.
Table ComputeLayout(const CWnd& dialog);

// Shows, enables, places and then stacks the controls for the format.
void ApplyFormat(CWnd& dialog, const Table& table, CoordFormat format);

// Puts the fields and the hemisphere buttons at the top of the z-order, which
// is the tab order: name, latitude, longitude, UTM fields, the two buttons,
// then the format list and Add.
void SetTabOrder(CWnd& dialog);

}  // namespace FormLayout
