// SPDX-License-Identifier: MIT
#include "gpx/gpx_writer.h"

#include <pugixml.hpp>

#include <charconv>
#include <sstream>

#include "services/host_path.h"

namespace {

// Six decimals, as the route line holds them; never the locale's comma.
std::string Decimal(double degrees) {
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, degrees, std::chars_format::fixed, 6).ptr;
    return std::string(text, end);
}

}  // namespace

std::string WriteGpxRoute(std::string_view name, const std::vector<RoutePoint>& points) {
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node gpx = document.append_child("gpx");
    gpx.append_attribute("version") = "1.1";
    gpx.append_attribute("creator") = "quillpost-geo";
    gpx.append_attribute("xmlns") = "http://www.topografix.com/GPX/1/1";
    gpx.append_attribute("xmlns:xsi") = "http://www.w3.org/2001/XMLSchema-instance";
    gpx.append_attribute("xsi:schemaLocation") =
        "http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd";
    pugi::xml_node route = gpx.append_child("rte");
    route.append_child("name").text() = std::string(name).c_str();
    for (const RoutePoint& point : points) {
        pugi::xml_node routePoint = route.append_child("rtept");
        routePoint.append_attribute("lat") = Decimal(point.latitude).c_str();
        // GPX's longitudes run from -180 up to but not including 180: the
        // date line is written as -180, the same meridian.
        routePoint.append_attribute("lon") =
            Decimal(point.longitude == 180.0 ? -180.0 : point.longitude).c_str();
        routePoint.append_child("name").text() = WideToHostBytes(point.name.str()).c_str();
    }
    std::ostringstream out;
    document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}
