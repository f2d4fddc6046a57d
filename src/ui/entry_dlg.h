// SPDX-License-Identifier: MIT
// The entry form, the program's main window: a name and one position, shown
// in the display format picked in its list. The form converts nothing itself;
// every edit goes to the position engine, and a change of format reads the
// position back from it in the new format.
#pragma once

#include <array>
#include <cstdint>

#include "engine/position_engine.h"
#include "entry/entry_fields.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/font.h"
#include "language/language_dlg.h"
#include "ui/form_layout.h"

class CEntryDlg : public CDialog {
public:
    // Reads the form's settings (and, through the language dialog, the
    // language, asking for it on the first start).
    explicit CEntryDlg(CWnd* parent = nullptr);
    // Writes the form's settings; the language dialog then writes the language.
    ~CEntryDlg() override;

    // Writes the form's settings and the language now, in the order of the
    // end, for an end of the program that comes before the form's.
    void SaveSettings();

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnHelpInfo();
    void OnToggleLatHemisphere();
    void OnToggleLongHemisphere();
    void OnCloseupFormat();
    void OnAdd();
    void OnKillFocusField(UINT id);
    // A position pasted into a number field fills the whole position, as if
    // typed in the format it is written in; a refused one is said, and
    // anything else pastes as text.
    bool OnPasteText(int id, const CString& text) override;

private:
    // What became of the fields handed to the engine.
    enum class Stored { Taken, FieldRefused, GridRefused };
    // Reads the fields (reporting the first bad one) and hands those of the
    // format to the engine, whatever the reading found.
    Stored StoreEntry(CoordFormat format);
    // Takes the engine's position in the format and writes every member to
    // the controls.
    void ShowEntry(CoordFormat format);
    // The members behind the fields, and back.
    EntryFields Fields() const;
    void TakeFields(const EntryFields& fields);
    void ApplyLanguage();
    // axis 0 is the latitude, 1 the longitude. Refresh derives the sign from
    // the button and stores the entry; Show derives the button from the sign.
    void RefreshHemisphereButton(CButton& button, int axis);
    void ShowHemisphereButton(CButton& button, int axis);
    void SetHemisphereLetter(CButton& button, int axis);
    void WriteFormSettings();

    CButton m_btnAdd;
    CStatic m_lblZone;
    CStatic m_lblNorth;
    CStatic m_lblName;
    CStatic m_lblLongSec;
    CStatic m_lblLongMin;
    CStatic m_lblLongDeg;
    CStatic m_lblLong;
    CStatic m_lblLatSec;
    CStatic m_lblLatMin;
    CStatic m_lblLatDeg;
    CStatic m_lblLat;
    CStatic m_lblFormat;
    CStatic m_lblEast;
    CEdit m_editZone;
    CEdit m_editNorth;
    CEdit m_editLongSec;
    CEdit m_editLongMin;
    CEdit m_editLongDeg;
    CEdit m_editLatSec;
    CEdit m_editLatMin;
    CEdit m_editLatDeg;
    CEdit m_editEast;
    CButton m_btnLongHemisphere;
    CButton m_btnLatHemisphere;
    CComboBox m_cbFormat;

    CString m_strName;
    std::int32_t m_nZone;
    HICON m_hIcon;
    ValuePair m_deg;
    ValuePair m_min;
    ValuePair m_sec;
    UtmCoordinates m_utm;
    SignPair m_sign = {1, 1};
    std::array<std::int32_t, 2> m_hemisphere;  // 0 north or east, 1 south or west
    std::int32_t m_language;
    CoordFormat m_format;
    std::int32_t m_datum;  // kept for the settings only
    PositionEngine m_engine;
    CLanguageDlg m_languageDlg;

    // The font of the hemisphere buttons, which show one letter each.
    CFont m_buttonFont;
    FormLayout::Table m_layout;

    DECLARE_MESSAGE_MAP()
};
