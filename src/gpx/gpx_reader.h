// SPDX-License-Identifier: MIT
// A GPX file as the tools that plan routes write it (GPX 1.0 and 1.1, with or
// without the namespace, a prefixed root, extensions of any producer), read
// and checked whole before anything of it is used: what is not plainly GPX in
// an encoding we read is refused with the reason, never guessed at.
#pragma once

#include <pugixml.hpp>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One waypoint or route point. The texts are UTF-8 without the blanks around
// them, empty when the point has none; they live as long as the GpxReading.
struct GpxPoint {
    std::string_view name;
    std::string_view comment;      // cmt
    std::string_view description;  // desc
    double latitude = 0.0;
    double longitude = 0.0;
    std::ptrdiff_t offset = 0;  // where the point starts in the file (LineAt)
};

struct GpxRoute {
    std::string name;  // UTF-8; empty when the route has none
    std::size_t points = 0;
};

class GpxReading {
public:
    // Larger files are refused before they are read: a route planner's file
    // of a hundred thousand points is a few megabytes, and reading takes
    // about five times the file's size in memory.
    static constexpr std::size_t kSizeLimit = 64u << 20;

    // Reads and checks the bytes of a GPX file.
    explicit GpxReading(std::vector<char> bytes);
    // The GPX file at a host path, or the refusal of one that cannot be
    // opened or read, or is over the size limit.
    static GpxReading ReadFile(const std::filesystem::path& file);

    // Why the file is not read, with the line where that shows; empty when it
    // is. A refused reading holds no routes and no waypoints.
    const std::string& refusal() const { return m_refusal; }

    const std::vector<GpxRoute>& routes() const { return m_routes; }
    std::size_t waypoints() const { return m_waypointNodes.size(); }
    std::size_t tracks() const { return m_tracks; }

    // The points of one route, or the waypoints, in file order.
    void VisitRoute(std::size_t route, const std::function<void(const GpxPoint&)>& visit) const;
    void VisitWaypoints(const std::function<void(const GpxPoint&)>& visit) const;

    // The line of the file that holds a byte offset, counted from 1.
    std::size_t LineAt(std::ptrdiff_t offset) const;

private:
    GpxReading() = default;
    void Read();
    bool Refuse(std::ptrdiff_t offset, std::string reason);
    // The local name of one of GPX's own elements; empty for anything else
    // (text, an element of another namespace).
    std::string_view GpxName(pugi::xml_node element) const;
    bool CheckPoint(pugi::xml_node point);
    GpxPoint PointOf(pugi::xml_node point) const;

    // Parsed in place: the document's texts point into these bytes. A
    // vector's storage stays where it is when the reading is moved.
    std::vector<char> m_bytes;
    std::unique_ptr<pugi::xml_document> m_document;
    pugi::xml_node m_root;
    std::string_view m_prefix;  // the root's
    std::string m_namespace;    // the root's; GPX's own elements are in it
    std::string m_refusal;
    std::vector<GpxRoute> m_routes;
    std::vector<std::vector<pugi::xml_node>> m_routePoints;
    std::vector<pugi::xml_node> m_waypointNodes;
    std::size_t m_tracks = 0;
};
