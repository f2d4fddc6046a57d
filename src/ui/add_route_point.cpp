// SPDX-License-Identifier: MIT
#include "ui/add_route_point.h"

#include "entry/add_point.h"
#include "framework/backend.h"
#include "language/interface_texts.h"
#include "route/route_point.h"
#include "services/code_page.h"
#include "services/device_files.h"
#include "services/host_path.h"
#include "ui/route_file_dlg.h"

namespace {

// The user believes a point is saved unless told otherwise.
void SayNotWritten(const CString& path, const std::string& reason, int language) {
    CString message;
    message.Format(RouteFileFailedMessages()[MessageLanguage(language)], path.GetString(),
                   HostBytesToWide(reason).c_str());
    AfxMessageBox(message, MB_OK);
}

}  // namespace

int MessageLanguage(int language) {
    return language == English ? English : German;
}

int AddRoutePoint(const CString& name, double latitude, double longitude, int language) {
    switch (CheckRoutePoint(name, latitude, longitude)) {
        case PointRefusal::EmptyName: {
            const std::wstring message =
                FromAnsiCodePage(EmptyNameMessages[MessageLanguage(language)]);
            AfxMessageBox(message.c_str(), MB_OK);
            return 0;
        }
        // There is no route point to choose a file for.
        case PointRefusal::NotOnEarth: {
            const std::wstring message =
                FromAnsiCodePage(UnsoundPositionMessages[MessageLanguage(language)]);
            AfxMessageBox(message.c_str(), MB_OK);
            return 0;
        }
        case PointRefusal::None:
            break;
    }
    CRouteFileDlg chooser;
    if (chooser.DoModal() != IDOK) {
        return 0;
    }
    const CString path = chooser.GetPath();
    if (path.IsEmpty()) {
        return 0;
    }
    const std::filesystem::path file = DeviceToHostPath(path.str());
    if (file.empty()) {
        SayNotWritten(path, "not on the storage card", language);
        return 0;
    }
    const AppendResult result = AppendRoutePoint(file, name, latitude, longitude);
    if (!result.written) {
        SayNotWritten(ShownHostPath(file).c_str(), result.reason, language);
        return 0;
    }
    return 1;
}
