#include "ui/entry_dlg.h"

#include "language/interface_texts.h"
#include "framework/backend.h"
#include "framework/data_exchange.h"
#include "framework/resource.h"
#include "framework/win_app.h"
#include "route/name_case.h"
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

}  // namespace

CEntryDlg::CEntryDlg(CWnd* parent) : CDialog(102, parent) {
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
    m_hIcon = LoadIconW(128);
    m_buttonFont.CreatePointFont(80, L"Courier");
}

CEntryDlg::~CEntryDlg() {
    CWinApp* app = AfxGetApp();
    app->WriteProfileInt(kSection, L"LatHemisphere", m_hemisphere[0]);
    app->WriteProfileInt(kSection, L"LongHemisphere", m_hemisphere[1]);
    app->WriteProfileInt(kSection, L"Format", m_format);
    app->WriteProfileInt(kSection, L"Datum", m_datum);
}

void CEntryDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, 1042, m_btnAdd);
    DDX_Control(pDX, 1031, m_lblZone);
    DDX_Control(pDX, 1027, m_lblNorth);
    DDX_Control(pDX, 1001, m_lblName);
    DDX_Control(pDX, 1025, m_lblLongSec);
    DDX_Control(pDX, 1023, m_lblLongMin);
    DDX_Control(pDX, 1021, m_lblLongDeg);
    DDX_Control(pDX, 1019, m_lblLong);
    DDX_Control(pDX, 1017, m_lblLatSec);
    DDX_Control(pDX, 1015, m_lblLatMin);
    DDX_Control(pDX, 1013, m_lblLatDeg);
    DDX_Control(pDX, 1011, m_lblLat);
    DDX_Control(pDX, 1033, m_lblFormat);
    DDX_Control(pDX, 1029, m_lblEast);
    DDX_Control(pDX, 1032, m_editZone);
    DDX_Control(pDX, 1028, m_editNorth);
    DDX_Control(pDX, 1024, m_editLongSec);
    DDX_Control(pDX, 1022, m_editLongMin);
    DDX_Control(pDX, 1020, m_editLongDeg);
    DDX_Control(pDX, 1016, m_editLatSec);
    DDX_Control(pDX, 1014, m_editLatMin);
    DDX_Control(pDX, 1012, m_editLatDeg);
    DDX_Control(pDX, 1030, m_editEast);
    DDX_Control(pDX, 1026, m_btnLongHemisphere);
    DDX_Control(pDX, 1018, m_btnLatHemisphere);
    DDX_Control(pDX, 1034, m_cbFormat);

    // Signs are never typed: every range starts at 0, and the hemisphere
    // comes from the toggle buttons.
    DDX_Text(pDX, 1002, m_strName);
    DDX_Text(pDX, 1032, m_nZone);
    DDV_MinMaxInt(pDX, m_nZone, 0, 60);
    DDX_Text(pDX, 1012, m_deg[0]);
    DDV_MinMaxDouble(pDX, m_deg[0], 0.0, 90.0);
    DDX_Text(pDX, 1014, m_min[0]);
    DDV_MinMaxDouble(pDX, m_min[0], 0.0, 60.0);
    DDX_Text(pDX, 1016, m_sec[0]);
    DDV_MinMaxDouble(pDX, m_sec[0], 0.0, 60.0);
    DDX_Text(pDX, 1020, m_deg[1]);
    DDV_MinMaxDouble(pDX, m_deg[1], 0.0, 180.0);
    DDX_Text(pDX, 1022, m_min[1]);
    DDV_MinMaxDouble(pDX, m_min[1], 0.0, 60.0);
    DDX_Text(pDX, 1024, m_sec[1]);
    DDV_MinMaxDouble(pDX, m_sec[1], 0.0, 60.0);
    DDX_Text(pDX, 1028, m_utm.northing);
    DDV_MinMaxDouble(pDX, m_utm.northing, 0.0, 20000000.0);
    DDX_Text(pDX, 1030, m_utm.easting);
    DDV_MinMaxDouble(pDX, m_utm.easting, 0.0, 900000.0);
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
    bool taken = true;
    switch (format) {
        case Deg:
            m_engine.SetFromDeg(m_sign, m_deg);
            break;
        case DegMin:
            m_engine.SetFromDegMin(m_sign, m_deg, m_min);
            break;
        case DegMinSec:
            m_engine.SetFromDegMinSec(m_sign, m_deg, m_min, m_sec);
            break;
        case UTM:
            taken = m_engine.SetFromUtm(m_sign[0], m_nZone, m_utm);
            break;
    }
    if (!read) {
        return Stored::FieldRefused;
    }
    return taken ? Stored::Taken : Stored::GridRefused;
}

void CEntryDlg::ShowEntry(CoordFormat format) {
    switch (format) {
        case Deg:
            m_engine.GetDeg(m_sign, m_deg);
            break;
        case DegMin:
            m_engine.GetDegMin(m_sign, m_deg, m_min);
            break;
        case DegMinSec:
            m_engine.GetDegMinSec(m_sign, m_deg, m_min, m_sec);
            break;
        case UTM:
            m_engine.GetUtm(m_sign[0], m_nZone, m_utm);
            break;
    }
    ShowHemisphereButton(m_btnLatHemisphere, 0);
    ShowHemisphereButton(m_btnLongHemisphere, 1);
    // Members the engine did not write keep what they held.
    UpdateData(FALSE);
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
        case 1002:
            UpdateData(TRUE);
            NormaliseName(m_strName);
            UpdateData(FALSE);
            break;
        case 1012:
        case 1014:
        case 1016:
        case 1020:
        case 1022:
        case 1024:
        case 1028:
        case 1030:
        case 1032:
            StoreEntry(m_format);
            break;
        default:
            break;
    }
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
            AfxMessageBox(GridRefusedMessages()[m_language], MB_OK);
            return;
        case Stored::Taken:
            break;
    }
    double latitude = 0.0;
    double longitude = 0.0;
    m_engine.GetWgs84(latitude, longitude);
    AddRoutePoint(CString(m_strName), latitude * AngleConstants::k180OverPi,
                  longitude * AngleConstants::k180OverPi, m_language);
}

BEGIN_MESSAGE_MAP(CEntryDlg, CDialog)
ON_WM_HELPINFO()
ON_BN_CLICKED(1018, &CEntryDlg::OnToggleLatHemisphere)
ON_BN_CLICKED(1026, &CEntryDlg::OnToggleLongHemisphere)
ON_CBN_CLOSEUP(1034, &CEntryDlg::OnCloseupFormat)
ON_BN_CLICKED(1042, &CEntryDlg::OnAdd)
ON_CONTROL_RANGE(EN_KILLFOCUS, 1002, 1032, &CEntryDlg::OnKillFocusField)
END_MESSAGE_MAP()
