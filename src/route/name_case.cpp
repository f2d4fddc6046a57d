// SPDX-License-Identifier: MIT
#include "route/name_case.h"

#include "services/letter_case.h"

void NormaliseName(CString& name) {
    for (wchar_t& c : name.str()) {
        c = UpperCaseWindows1252(c);
    }
}
