// SPDX-License-Identifier: MIT
// Message maps: each dialog class keeps one static table from (notification,
// control id or id range) to its handlers, written between BEGIN_MESSAGE_MAP
// and END_MESSAGE_MAP in its source file:
//
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_BN_CLICKED(1045, &CMyDlg::OnGerman)
//       ON_CONTROL_RANGE(EN_KILLFOCUS, 1002, 1032, &CMyDlg::OnKillFocusField)
//       ON_WM_HELPINFO()
//   END_MESSAGE_MAP()
//
// and DECLARE_MESSAGE_MAP() at the end of the class. A notification the table
// does not handle goes on to the base class's map.
#pragma once

#include "framework/wnd.h"

template <class T>
struct MessageMapEntry {
    UINT code;
    int firstId;
    int lastId;
    void (T::*handler)();           // handlers without arguments
    void (T::*idHandler)(UINT id);  // range handlers get the control's id
};

template <class T, size_t N>
bool DispatchToEntries(T& target, const MessageMapEntry<T> (&entries)[N],
                       const Notification& notification) {
    for (const auto& entry : entries) {
        if (entry.code != notification.code || notification.id < entry.firstId ||
            notification.id > entry.lastId) {
            continue;
        }
        if (entry.handler) {
            (target.*entry.handler)();
            return true;
        }
        if (entry.idHandler) {
            (target.*entry.idHandler)(static_cast<UINT>(notification.id));
            return true;
        }
    }
    return false;
}

// clang-format off
#define DECLARE_MESSAGE_MAP()                                                  \
public:                                                                        \
    bool DispatchNotification(const Notification& notification) override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                 \
    bool theClass::DispatchNotification(const Notification& notification) {    \
        using ThisClass = theClass;                                            \
        using ThisBaseClass = baseClass;                                       \
        static const MessageMapEntry<ThisClass> entries[] = {

// The last, empty entry keeps the table valid when it maps nothing.
#define END_MESSAGE_MAP()                                                      \
            MessageMapEntry<ThisClass>{0, 0, -1, nullptr, nullptr}             \
        };                                                                     \
        return DispatchToEntries(*this, entries, notification) ||              \
               ThisBaseClass::DispatchNotification(notification);              \
    }

#define ON_CONTROL(code, id, handler)                                          \
    MessageMapEntry<ThisClass>{code, id, id, handler, nullptr},
#define ON_CONTROL_RANGE(code, firstId, lastId, handler)                       \
    MessageMapEntry<ThisClass>{code, firstId, lastId, nullptr, handler},
#define ON_BN_CLICKED(id, handler) ON_CONTROL(BN_CLICKED, id, handler)
#define ON_EN_KILLFOCUS(id, handler) ON_CONTROL(EN_KILLFOCUS, id, handler)
#define ON_CBN_CLOSEUP(id, handler) ON_CONTROL(CBN_CLOSEUP, id, handler)
#define ON_LBN_DBLCLK(id, handler) ON_CONTROL(LBN_DBLCLK, id, handler)
// The title-bar help button; the handler is the class's void OnHelpInfo().
#define ON_WM_HELPINFO() ON_CONTROL(WM_HELP, 0, &ThisClass::OnHelpInfo)
// clang-format on
