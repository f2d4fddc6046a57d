// SPDX-License-Identifier: MIT
#include "ui/entry_dlg.h"

#include "entry/add_point.h"
#include "entry/field_ranges.h"
#include "entry/position_text.h"
#include "framework/backend.h"
#include "framework/data_exchange.h"
#include "framework/resource.h"
#include "framework/win_app.h"
#include "language/interface_texts.h"
#include "res/resource_ids.h"
#include "route/name_case.h"
#include "services/code_page.h"
#include "ui/add_route_point.h"

namespace {

constexpr const wchar_t* kSection = L"Settings";

int ReadSetting(const wchar_t* name) {
    return static_cast<int>(AfxGetApp()->GetProfileInt(kSection, name, 0));
}

// A hemisphere flag that is neither 0 nor 1 counts as north or east.
std::int32_t ReadHemisphere(const wchar_t* name) {
    const int flag = ReadSetting(name);
    return flag == 1 ? 1 : 0;
}

void CheckRange(CDataExchange* pDX, double value, const FieldRange& range) {
    DDV_MinMaxDouble(pDX, value, range.low, range.high);
}

}  // namespace

CEntryDlg::CEntryDlg(CWnd* parent) : CDialog(IDD_ENTRY, parent) {
    m_nZone = 0;
    m_deg = {0.0, 0.0};
    m_min = {0.0, 0.0};
    m_sec = {0.0, 0.0};
    m_utm = {0.0, 0.0};
    const int format = ReadSetting(L"Format");
    // Only a format of the list can be shown.
    m_format = format >= Deg && format <= UTM ? static_cast<CoordFormat>(format) : Deg;
    m_datum = ReadSetting(L"Datum");
    m_hemisphere[0] = ReadHemisphere(L"LatHemisphere");
    m_hemisphere[1] = ReadHemisphere(L"LongHemisphere");
    m_language = GetLanguage();
    AfxSetMessageLanguage(m_language);
    m_hIcon = LoadIconW(IDI_QUILLPOST);
    m_buttonFont.CreatePointFont(80, L"Courier");
}

CEntryDlg::~CEntryDlg() {
    WriteFormSettings();
}

void CEntryDlg::SaveSettings() {
    WriteFormSettings();
    m_languageDlg.SaveLanguage();
}

void CEntryDlg::WriteFormSettings() {
    CWinApp* app = AfxGetApp();
    app->WriteProfileInt(kSection, L"LatHemisphere", m_hemisphere[0]);
    app->WriteProfileInt(kSection, L"LongHemisphere", m_hemisphere[1]);
    app->WriteProfileInt(kSection, L"Format", m_format);
    app->WriteProfileInt(kSection, L"Datum", m_datum);
}

void CEntryDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ADD, m_btnAdd);
    DDX_Control(pDX, IDC_ZONE_LABEL, m_lblZone);
    DDX_Control(pDX, IDC_NORTH_LABEL, m_lblNorth);
    DDX_Control(pDX, IDC_NAME_LABEL, m_lblName);
    DDX_Control(pDX, IDC_LONG_SEC_SIGN, m_lblLongSec);
    DDX_Control(pDX, IDC_LONG_MIN_SIGN, m_lblLongMin);
    DDX_Control(pDX, IDC_LONG_DEG_SIGN, m_lblLongDeg);
    DDX_Control(pDX, IDC_LONG_LABEL, m_lblLong);
    DDX_Control(pDX, IDC_LAT_SEC_SIGN, m_lblLatSec);
    DDX_Control(pDX, IDC_LAT_MIN_SIGN, m_lblLatMin);
    DDX_Control(pDX, IDC_LAT_DEG_SIGN, m_lblLatDeg);
    DDX_Control(pDX, IDC_LAT_LABEL, m_lblLat);
    DDX_Control(pDX, IDC_FORMAT_LABEL, m_lblFormat);
    DDX_Control(pDX, IDC_EAST_LABEL, m_lblEast);
    DDX_Control(pDX, IDC_ZONE, m_editZone);
    DDX_Control(pDX, IDC_NORTH, m_editNorth);
    DDX_Control(pDX, IDC_LONG_SEC, m_editLongSec);
    DDX_Control(pDX, IDC_LONG_MIN, m_editLongMin);
    DDX_Control(pDX, IDC_LONG_DEG, m_editLongDeg);
    DDX_Control(pDX, IDC_LAT_SEC, m_editLatSec);
    DDX_Control(pDX, IDC_LAT_MIN, m_editLatMin);
    DDX_Control(pDX, IDC_LAT_DEG, m_editLatDeg);
    DDX_Control(pDX, IDC_EAST, m_editEast);
    DDX_Control(pDX, IDC_LONG_HEMISPHERE, m_btnLongHemisphere);
    DDX_Control(pDX, IDC_LAT_HEMISPHERE, m_btnLatHemisphere);
    DDX_Control(pDX, IDC_FORMAT, m_cbFormat);

    // Signs are never typed: every range starts at 0, and the hemisphere
    // comes from the toggle buttons.
    DDX_Text(pDX, IDC_NAME, m_strName);
    DDX_Text(pDX, IDC_ZONE, m_nZone);
    DDV_MinMaxInt(pDX, m_nZone, FieldRanges::kZoneLow, FieldRanges::kZoneHigh);
    DDX_Text(pDX, IDC_LAT_DEG, m_deg[0]);
    CheckRange(pDX, m_deg[0], FieldRanges::kLatitudeDegrees);
    DDX_Text(pDX, IDC_LAT_MIN, m_min[0]);
    CheckRange(pDX, m_min[0], FieldRanges::kMinutes);
    DDX_Text(pDX, IDC_LAT_SEC, m_sec[0]);
    CheckRange(pDX, m_sec[0], FieldRanges::kSeconds);
    DDX_Text(pDX, IDC_LONG_DEG, m_deg[1]);
    CheckRange(pDX, m_deg[1], FieldRanges::kLongitudeDegrees);
    DDX_Text(pDX, IDC_LONG_MIN, m_min[1]);
    CheckRange(pDX, m_min[1], FieldRanges::kMinutes);
    DDX_Text(pDX, IDC_LONG_SEC, m_sec[1]);
    CheckRange(pDX, m_sec[1], FieldRanges::kSeconds);
    DDX_Text(pDX, IDC_NORTH, m_utm.northing);
    CheckRange(pDX, m_utm.northing, FieldRanges::kNorthing);
    DDX_Text(pDX, IDC_EAST, m_utm.easting);
    CheckRange(pDX, m_utm.easting, FieldRanges::kEasting);
}

BOOL CEntryDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    // Centred across the screen, near its top.
    RECT window;
    GetWindowRect(&window);
    const int x = (GetSystemMetrics(SM_CXSCREEN) + window.left - window.right) / 2;
    SetWindowPos(&wndTopMost, x, 10, 0, 0, SWP_NOSIZE);

    m_cbFormat.SendMessage(CB_SETCURSEL, m_format);
    ApplyLanguage();
    m_layout = FormLayout::ComputeLayout(*this);
    FormLayout::ApplyFormat(*this, m_layout, m_format);
    // Each ends in a store, so the engine then holds the shown position.
    RefreshHemisphereButton(m_btnLatHemisphere, 0);
    RefreshHemisphereButton(m_btnLongHemisphere, 1);
    FormLayout::SetTabOrder(*this);
    return TRUE;
}

CEntryDlg::Stored CEntryDlg::StoreEntry(CoordFormat format) {
    const bool read = UpdateData(TRUE) != FALSE;
    const bool taken = StoreFields(m_engine, format, Fields());
    if (!read) {
        return Stored::FieldRefused;
    }
    return taken ? Stored::Taken : Stored::GridRefused;
}

void CEntryDlg::ShowEntry(CoordFormat format) {
    EntryFields fields = Fields();
    ShowFields(m_engine, format, fields);
    TakeFields(fields);
    ShowHemisphereButton(m_btnLatHemisphere, 0);
    ShowHemisphereButton(m_btnLongHemisphere, 1);
    // Members the engine did not write keep what they held.
    UpdateData(FALSE);
}

EntryFields CEntryDlg::Fields() const {
    return {m_sign, m_deg, m_min, m_sec, m_nZone, m_utm};
}

void CEntryDlg::TakeFields(const EntryFields& fields) {
    m_sign = fields.sign;
    m_deg = fields.degrees;
    m_min = fields.minutes;
    m_sec = fields.seconds;
    m_nZone = fields.zone;
    m_utm = fields.utm;
}

void CEntryDlg::ApplyLanguage() {
    const auto& labels = LabelTexts();
    for (size_t i = 0; i < kLabelControls.size(); ++i) {
        GetDlgItem(kLabelControls[i])->SetWindowText(labels[2 * i + m_language]);
    }
    const auto& formats = FormatTexts();
    m_cbFormat.SendMessage(CB_RESETCONTENT);
    for (int item = Deg; item <= UTM; ++item) {
        m_cbFormat.SendMessage(
            CB_INSERTSTRING, item,
            reinterpret_cast<LPARAM>(formats[2 * item + m_language].GetString()));
    }
    m_cbFormat.SendMessage(CB_SETCURSEL, m_format);
}

void CEntryDlg::SetHemisphereLetter(CButton& button, int axis) {
    button.SetFont(&m_buttonFont);
    const wchar_t letter[] = {HemisphereLetters()[4 * m_language + 2 * axis + m_hemisphere[axis]],
                              L'\0'};
    button.SetWindowText(letter);
}

void CEntryDlg::RefreshHemisphereButton(CButton& button, int axis) {
    SetHemisphereLetter(button, axis);
    m_sign[axis] = m_hemisphere[axis] != 0 ? -1 : 1;
    StoreEntry(m_format);
}

void CEntryDlg::ShowHemisphereButton(CButton& button, int axis) {
    m_hemisphere[axis] = m_sign[axis] == 1 ? 0 : 1;
    SetHemisphereLetter(button, axis);
}

void CEntryDlg::OnToggleLatHemisphere() {
    m_hemisphere[0] = m_hemisphere[0] == 0 ? 1 : 0;
    RefreshHemisphereButton(m_btnLatHemisphere, 0);
}

void CEntryDlg::OnToggleLongHemisphere() {
    m_hemisphere[1] = m_hemisphere[1] == 0 ? 1 : 0;
    RefreshHemisphereButton(m_btnLongHemisphere, 1);
}

// Closing the list without another pick stores and shows the same format,
// which rounds the fields as the engine shows them.
void CEntryDlg::OnCloseupFormat() {
    StoreEntry(m_format);
    m_format = static_cast<CoordFormat>(m_cbFormat.SendMessage(CB_GETCURSEL));
    FormLayout::ApplyFormat(*this, m_layout, m_format);
    ShowEntry(m_format);
}

void CEntryDlg::OnKillFocusField(UINT id) {
    switch (id) {
        case IDC_NAME:
            UpdateData(TRUE);
            NormaliseName(m_strName);
            UpdateData(FALSE);
            break;
        case IDC_LAT_DEG:
        case IDC_LAT_MIN:
        case IDC_LAT_SEC:
        case IDC_LONG_DEG:
        case IDC_LONG_MIN:
        case IDC_LONG_SEC:
        case IDC_NORTH:
        case IDC_EAST:
        case IDC_ZONE:
            StoreEntry(m_format);
            break;
        default:
            break;
    }
}

bool CEntryDlg::OnPasteText(int id, const CString& text) {
    // A name may hold anything, digits and all.
    if (id == IDC_NAME) {
        return false;
    }
    EntryFields fields = Fields();
    const PositionText read = ReadPositionText(text.str(), fields);
    switch (read.kind) {
        case PositionText::Kind::NotAPosition:
            return false;
        case PositionText::Kind::Refused:
            AfxMessageBox(FromAnsiCodePage(TextRefusalMessage(read.refusal, m_language)).c_str(),
                          MB_OK);
            return true;
        case PositionText::Kind::Position:
            break;
    }
    // Every member is written back to the controls: the name as it stands
    // in its field, typed or not, goes with them.
    GetDlgItem(IDC_NAME)->GetWindowText(m_strName);
    StoreFields(m_engine, read.format, fields);
    if (read.format == m_format) {
        // The fields show the text's values as written, as typed ones stay.
        TakeFields(fields);
        ShowHemisphereButton(m_btnLatHemisphere, 0);
        ShowHemisphereButton(m_btnLongHemisphere, 1);
        UpdateData(FALSE);
    } else {
        ShowEntry(m_format);
    }
    if (read.squareSide > 0) {
        CString centre;
        centre.Format(FromAnsiCodePage(SquareCentreMessages[m_language]).c_str(), read.squareSide);
        AfxMessageBox(centre, MB_OK);
    }
    return true;
}

void CEntryDlg::OnHelpInfo() {
    if (m_languageDlg.DoModal() != IDOK) {
        return;
    }
    m_language = GetLanguage();
    AfxSetMessageLanguage(m_language);
    ApplyLanguage();
    RefreshHemisphereButton(m_btnLatHemisphere, 0);
    RefreshHemisphereButton(m_btnLongHemisphere, 1);
}

// Only the position the form shows may reach the route file: after a field
// it refused (it has said so) or a grid position the engine cannot convert
// (the engine would give the position it held before) there is none.
void CEntryDlg::OnAdd() {
    switch (StoreEntry(m_format)) {
        case Stored::FieldRefused:
            return;
        case Stored::GridRefused:
            AfxMessageBox(FromAnsiCodePage(GridRefusedMessages[m_language]).c_str(), MB_OK);
            return;
        case Stored::Taken:
            break;
    }
    double latitude = 0.0;
    double longitude = 0.0;
    GetWgs84Degrees(m_engine, latitude, longitude);
    AddRoutePoint(CString(m_strName), latitude, longitude, m_language);
}

BEGIN_MESSAGE_MAP(CEntryDlg, CDialog)
ON_WM_HELPINFO()
ON_BN_CLICKED(IDC_LAT_HEMISPHERE, &CEntryDlg::OnToggleLatHemisphere)
ON_BN_CLICKED(IDC_LONG_HEMISPHERE, &CEntryDlg::OnToggleLongHemisphere)
ON_CBN_CLOSEUP(IDC_FORMAT, &CEntryDlg::OnCloseupFormat)
ON_BN_CLICKED(IDC_ADD, &CEntryDlg::OnAdd)
ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_NAME, IDC_ZONE, &CEntryDlg::OnKillFocusField)
END_MESSAGE_MAP()
