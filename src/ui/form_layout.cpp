// SPDX-License-Identifier: MIT
#include "ui/form_layout.h"

#include <initializer_list>

#include "res/resource_ids.h"

namespace FormLayout {

namespace {

// The latitude row's controls, then the longitude row's, column by column.
constexpr int kEdits[2][3] = {{IDC_LAT_DEG, IDC_LAT_MIN, IDC_LAT_SEC},
                              {IDC_LONG_DEG, IDC_LONG_MIN, IDC_LONG_SEC}};
constexpr int kSignsAndButtons[2][4] = {
    {IDC_LAT_DEG_SIGN, IDC_LAT_MIN_SIGN, IDC_LAT_SEC_SIGN, IDC_LAT_HEMISPHERE},
    {IDC_LONG_DEG_SIGN, IDC_LONG_MIN_SIGN, IDC_LONG_SEC_SIGN, IDC_LONG_HEMISPHERE}};

RECT ClientRect(const CWnd& dialog, int id) {
    RECT rect;
    dialog.GetDlgItem(id)->GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    return rect;
}

void Show(const CWnd& dialog, std::initializer_list<int> ids, bool shown) {
    for (int id : ids) {
        CWnd* control = dialog.GetDlgItem(id);
        control->ShowWindow(shown ? SW_SHOW : SW_HIDE);
        control->EnableWindow(shown ? TRUE : FALSE);
    }
}

void SetWidth(const CWnd& dialog, int id, int width) {
    const RECT rect = ClientRect(dialog, id);
    dialog.GetDlgItem(id)->SetWindowPos(nullptr, 0, 0, width, rect.bottom - rect.top,
                                        SWP_NOMOVE | SWP_NOZORDER);
}

void SetLeft(const CWnd& dialog, int id, int x) {
    const RECT rect = ClientRect(dialog, id);
    dialog.GetDlgItem(id)->SetWindowPos(nullptr, x, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace

Table ComputeLayout(const CWnd& dialog) {
    const auto width = [&](int id) {
        const RECT rect = ClientRect(dialog, id);
        return rect.right - rect.left;
    };
    const auto left = [&](int id) { return ClientRect(dialog, id).left; };
    const int wDeg = width(IDC_LAT_DEG);
    const int wMin = width(IDC_LAT_MIN);
    const int wSec = width(IDC_LAT_SEC);
    const int xDegSign = left(IDC_LAT_DEG_SIGN);
    const int xMinSign = left(IDC_LAT_MIN_SIGN);
    const int xSecSign = left(IDC_LAT_SEC_SIGN);
    const int xButton = left(IDC_LAT_HEMISPHERE);
    const int gap = xButton - xSecSign;
    const int wDegWide = (wDeg * 44) / 16;
    const int wMinWide = (wMin * 32) / 16;
    const int degShift = wDegWide - wDeg;
    const int minShift = wMinWide - wMin;

    Table table;
    table.width[Deg] = {wDegWide, wMin, wSec};
    table.width[DegMin] = {wDeg, wMinWide, wSec};
    table.width[DegMinSec] = {wDeg, wMin, wSec};
    table.x[Deg] = {xDegSign + degShift, xMinSign, xSecSign, xDegSign + degShift + gap};
    table.x[DegMin] = {xDegSign, xMinSign + minShift, xSecSign, xMinSign + minShift + gap};
    table.x[DegMinSec] = {xDegSign, xMinSign, xSecSign, xButton};
    return table;
}

void ApplyFormat(CWnd& dialog, const Table& table, CoordFormat format) {
    const bool utm = format == UTM;
    Show(dialog,
         {IDC_LAT_LABEL, IDC_LAT_DEG_SIGN, IDC_LONG_LABEL, IDC_LONG_DEG_SIGN, IDC_LAT_DEG,
          IDC_LONG_DEG, IDC_LAT_HEMISPHERE, IDC_LONG_HEMISPHERE},
         !utm);

    // In UTM the latitude button is the UTM hemisphere toggle, above the zone.
    SetLeft(dialog, IDC_LAT_HEMISPHERE, ClientRect(dialog, IDC_ZONE).left);
    Show(dialog, {IDC_LAT_HEMISPHERE}, true);
    Show(dialog, {IDC_NORTH_LABEL, IDC_EAST_LABEL, IDC_ZONE_LABEL, IDC_NORTH, IDC_EAST, IDC_ZONE},
         utm);

    Show(dialog, {IDC_LAT_MIN_SIGN, IDC_LAT_MIN, IDC_LONG_MIN_SIGN, IDC_LONG_MIN},
         format == DegMin || format == DegMinSec);
    Show(dialog, {IDC_LAT_SEC_SIGN, IDC_LAT_SEC, IDC_LONG_SEC_SIGN, IDC_LONG_SEC},
         format == DegMinSec);

    if (!utm) {
        for (const auto& row : kEdits) {
            for (int column = 0; column < 3; ++column) {
                SetWidth(dialog, row[column], table.width[format][column]);
            }
        }
        for (const auto& row : kSignsAndButtons) {
            for (int column = 0; column < 4; ++column) {
                SetLeft(dialog, row[column], table.x[format][column]);
            }
        }
    }
    SetTabOrder(dialog);
}

void SetTabOrder(CWnd& dialog) {
    constexpr int kOrder[] = {IDC_NAME,     IDC_LAT_DEG,  IDC_LAT_MIN,        IDC_LAT_SEC,
                              IDC_LONG_DEG, IDC_LONG_MIN, IDC_LONG_SEC,       IDC_NORTH,
                              IDC_EAST,     IDC_ZONE,     IDC_LAT_HEMISPHERE, IDC_LONG_HEMISPHERE};
    const CWnd* after = &CWnd::wndTop;
    for (int id : kOrder) {
        CWnd* control = dialog.GetDlgItem(id);
        control->SetWindowPos(after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        after = control;
    }
}

}  // namespace FormLayout
