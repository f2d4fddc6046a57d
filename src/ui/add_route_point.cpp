#include "ui/add_route_point.h"

#include "platform/code_page.h"
#include "platform/device_files.h"
#include "platform/windows/backend.h"
#include "route/route_line.h"
#include "route/route_point.h"
#include "ui/route_file_dlg.h"

int AddRoutePoint(const CString& name, const double position[2], int language) {
    if (name.IsEmpty()) {
        // Any language but English speaks German, as the framework's messages do.
        const std::wstring message = FromAnsiCodePage(EmptyNameMessages[language == 1 ? 1 : 0]);
        AfxMessageBox(message.c_str(), MB_OK);
        return 0;
    }
    // The form has already said that a number too large for a double is out
    // of range: there is no route point to choose a file for.
    if (!IsFinitePosition(position[0], position[1])) {
        return 0;
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
        return 0;
    }
    return AppendToRouteFile(file, FormatRouteLine(name, position[0], position[1])) ? 1 : 0;
}
