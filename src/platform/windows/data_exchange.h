// Data exchange between a dialog's members and its controls. Reading stops
// at the first field that fails: the framework shows one message, puts the
// focus on that field, and every later DDX_/DDV_ call of the exchange does
// nothing. Numbers are read and written without regard to the locale.
#pragma once

#include <optional>
#include <string>

#include "platform/c_string.h"
#include "platform/windows/wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate);

    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CWnd* m_pDlgWnd;

    bool Failed() const { return m_failed; }
    // The control of the next exchange, remembered for its range check and
    // for the focus should it fail; nullptr when there is no such control.
    HWND PrepareCtrl(int id);
    void Fail(const CString& message);

private:
    HWND m_lastControl = nullptr;
    bool m_failed = false;
};

void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
void DDX_Text(CDataExchange* pDX, int id, CString& value);
void DDX_Text(CDataExchange* pDX, int id, int& value);     // plain decimal
void DDX_Text(CDataExchange* pDX, int id, double& value);  // written as %.15g
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue);
void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minValue, double maxValue);

// How DDX_Text reads a field's text: a whole or a decimal number with blanks
// around it allowed, nothing when the text is not one. Numbers too large come
// back as the int's nearest limit or as an infinity.
namespace DataExchange {
std::optional<int> ParseInt(const std::wstring& typed);
std::optional<double> ParseDouble(const std::wstring& typed);
}  // namespace DataExchange

// The language of the framework's messages: 0 German (also for unknown
// values), 1 English. The program sets it whenever its language changes.
void AfxSetMessageLanguage(int language);
