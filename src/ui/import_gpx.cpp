// SPDX-License-Identifier: MIT
#include "ui/import_gpx.h"

#include <string>

#include "framework/backend.h"
#include "gpx/gpx_import.h"
#include "gpx/gpx_reader.h"
#include "route/route_file.h"
#include "services/code_page.h"
#include "services/device_files.h"
#include "services/host_path.h"
#include "ui/add_route_point.h"
#include "ui/route_file_dlg.h"

namespace {

// The messages, German and English, as Windows-1252 text. The reasons come
// from the GPX reader and the append, in English.
constexpr const char* kRefused[2] = {
    "Die Datei %s kann nicht importiert werden: %s.",
    "The file %s cannot be imported: %s.",
};
constexpr const char* kRoutePoint[2] = {
    "%d Routenpunkt von %s wird an die Routendatei angeh\xE4ngt, die Sie als N\xE4"
    "chstes w\xE4hlen.",
    "%d route point of %s will be appended to the route file you choose next.",
};
constexpr const char* kRoutePoints[2] = {
    "%d Routenpunkte von %s werden an die Routendatei angeh\xE4ngt, die Sie als N\xE4"
    "chstes w\xE4hlen.",
    "%d route points of %s will be appended to the route file you choose next.",
};
constexpr const char* kRouteLabel[2] = {"Route %d", "route %d"};
constexpr const char* kWaypoint[2] = {
    "%d Wegpunkt wird an die Routendatei angeh\xE4ngt, die Sie als N\xE4"
    "chstes w\xE4hlen.",
    "%d waypoint will be appended to the route file you choose next.",
};
constexpr const char* kWaypoints[2] = {
    "%d Wegpunkte werden an die Routendatei angeh\xE4ngt, die Sie als N\xE4"
    "chstes w\xE4hlen.",
    "%d waypoints will be appended to the route file you choose next.",
};
constexpr const char* kNotWritten[2] = {
    "Die Routendatei %s kann nicht geschrieben werden: %s. Es wurde kein Punkt hinzugef\xFC"
    "gt.",
    "The route file %s cannot be written: %s. No point was added.",
};
constexpr const char* kAppendedOne[2] = {
    "%d Punkt wurde an %s angeh\xE4ngt. Namen erzeugt (aus cmt, desc oder einer Nummer): %d. "
    "Zeichen durch '?' ersetzt, die das Ger\xE4t nicht darstellt: %d.",
    "%d point was appended to %s. Names made (from cmt, desc or a number): %d. Characters "
    "replaced by '?' that the device cannot show: %d.",
};
constexpr const char* kAppended[2] = {
    "%d Punkte wurden an %s angeh\xE4ngt. Namen erzeugt (aus cmt, desc oder einer Nummer): %d. "
    "Zeichen durch '?' ersetzt, die das Ger\xE4t nicht darstellt: %d.",
    "%d points were appended to %s. Names made (from cmt, desc or a number): %d. Characters "
    "replaced by '?' that the device cannot show: %d.",
};

// `texts` holds the German and the English message.
void Say(const char* const* texts, int language, auto... arguments) {
    CString message;
    message.Format(FromAnsiCodePage(texts[MessageLanguage(language)]).c_str(), arguments...);
    AfxMessageBox(message, MB_OK);
}

std::wstring Quoted(const std::string& utf8) {
    return L"'" + HostBytesToWide(utf8) + L"'";
}

}  // namespace

int ImportGpxFile(const std::filesystem::path& gpx, int language) {
    const std::wstring gpxName = Quoted(WideToHostBytes(WideFromHostPath(gpx.filename())));
    GpxImport import;
    std::string refusal;
    if (!PrepareGpxImport(GpxReading::ReadFile(gpx), {}, import, refusal)) {
        Say(kRefused, language, gpxName.c_str(), HostBytesToWide(refusal).c_str());
        return 0;
    }
    const int points = static_cast<int>(import.points);
    if (import.route == 0) {
        Say(points == 1 ? kWaypoint : kWaypoints, language, points);
    } else {
        CString route;
        if (import.routeName.empty()) {
            route.Format(FromAnsiCodePage(kRouteLabel[MessageLanguage(language)]).c_str(),
                         static_cast<int>(import.route));
        } else {
            route = Quoted(import.routeName);
        }
        Say(points == 1 ? kRoutePoint : kRoutePoints, language, points, route.GetString());
    }

    CRouteFileDlg chooser;
    if (chooser.DoModal() != IDOK || chooser.GetPath().IsEmpty()) {
        return 0;
    }
    const CString path = chooser.GetPath();
    const std::filesystem::path file = DeviceToHostPath(path.str());
    if (file.empty()) {
        Say(kNotWritten, language, path.GetString(), L"not on the storage card");
        return 0;
    }
    // The messages name the route file as the user's system names it.
    const std::wstring shown = ShownHostPath(file);
    // All points in one append: the route file gets them all or none.
    const AppendResult result = AppendToRouteFile(file, import.lines);
    if (!result.written) {
        Say(kNotWritten, language, shown.c_str(), HostBytesToWide(result.reason).c_str());
        return 0;
    }
    Say(points == 1 ? kAppendedOne : kAppended, language, points, shown.c_str(),
        static_cast<int>(import.namesMade), static_cast<int>(import.charactersReplaced));
    return 1;
}
