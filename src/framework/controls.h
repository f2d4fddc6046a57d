// SPDX-License-Identifier: MIT
// The control classes a dialog binds its members to with DDX_Control. They
// are CWnds; the controls speak through SendMessage (BM_, CB_, LB_ messages).
#pragma once

#include "framework/wnd.h"
#include "services/c_string.h"

class CStatic : public CWnd {};
class CEdit : public CWnd {};
class CButton : public CWnd {};
class CComboBox : public CWnd {};

class CListBox : public CWnd {
public:
    // The text of entry index (in the list's sorted order); empty when there is none.
    void GetText(int index, CString& text) const;
};
