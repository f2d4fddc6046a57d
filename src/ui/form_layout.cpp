#include "ui/form_layout.h"

#include <initializer_list>

namespace FormLayout {

namespace {

// The latitude row's controls, then the longitude row's, column by column.
constexpr int kEdits[2][3] = {{1012, 1014, 1016}, {1020, 1022, 1024}};
constexpr int kSignsAndButtons[2][4] = {{1013, 1015, 1017, 1018}, {1021, 1023, 1025, 1026}};

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
    const int wDeg = width(1012);
    const int wMin = width(1014);
    const int wSec = width(1016);
    const int xDegSign = left(1013);
    const int xMinSign = left(1015);
    const int xSecSign = left(1017);
    const int xButton = left(1018);
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
    Show(dialog, {1011, 1013, 1019, 1021, 1012, 1020, 1018, 1026}, !utm);

    // In UTM the latitude button is the UTM hemisphere toggle, above the zone.
    SetLeft(dialog, 1018, ClientRect(dialog, 1032).left);
    Show(dialog, {1018}, true);
    Show(dialog, {1027, 1029, 1031, 1028, 1030, 1032}, utm);

    Show(dialog, {1015, 1014, 1023, 1022}, format == DegMin || format == DegMinSec);
    Show(dialog, {1017, 1016, 1025, 1024}, format == DegMinSec);

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
    constexpr int kOrder[] = {1002, 1012, 1014, 1016, 1020, 1022,
                              1024, 1028, 1030, 1032, 1018, 1026};
    const CWnd* after = &CWnd::wndTop;
    for (int id : kOrder) {
        CWnd* control = dialog.GetDlgItem(id);
        control->SetWindowPos(after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        after = control;
    }
}

}  // namespace FormLayout
