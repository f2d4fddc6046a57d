// SPDX-License-Identifier: MIT
#include "gpx/gpx_reader.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>

#include "services/code_page.h"
#include "services/host_path.h"

namespace {

// GPX's namespaces; producers write them with https too.
bool IsGpxNamespace(std::string_view name) {
    for (const std::string_view scheme : {"http://", "https://"}) {
        for (const std::string_view version :
             {"www.topografix.com/GPX/1/0", "www.topografix.com/GPX/1/1"}) {
            if (name.size() == scheme.size() + version.size() && name.starts_with(scheme) &&
                name.ends_with(version)) {
                return true;
            }
        }
    }
    return false;
}

bool IsXmlBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsXmlBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsXmlBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view LocalName(std::string_view name) {
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string_view Prefix(std::string_view name) {
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? std::string_view() : name.substr(0, colon);
}

// Whether an element declares a namespace for a prefix (the empty prefix is
// the default namespace's); the value of the declaration, if so.
const char* Declaration(pugi::xml_node element, std::string_view prefix) {
    for (pugi::xml_attribute attribute = element.first_attribute(); attribute;
         attribute = attribute.next_attribute()) {
        if (attribute.name()[0] != 'x') {  // most attributes are no declaration
            continue;
        }
        const std::string_view name = attribute.name();
        if (name.starts_with("xmlns") &&
            (prefix.empty()
                 ? name.size() == 5
                 : name.size() == 6 + prefix.size() && name[5] == ':' && name.ends_with(prefix))) {
            return attribute.value();
        }
    }
    return nullptr;
}

// The namespace a prefix stands for at an element, from the declarations on
// it and its ancestors up to `top` (included).
std::string_view NamespaceOf(pugi::xml_node element, std::string_view prefix, pugi::xml_node top) {
    for (pugi::xml_node at = element; at; at = at.parent()) {
        if (const char* declared = Declaration(at, prefix)) {
            return declared;
        }
        if (at == top) {
            break;
        }
    }
    return {};
}

std::string Quote(std::string_view text) {
    constexpr std::size_t kShown = 40;
    if (text.size() > kShown) {
        return "'" + std::string(text.substr(0, kShown)) + "...'";
    }
    return "'" + std::string(text) + "'";
}

// A decimal as XML Schema defines it, the type of GPX's lat and lon: an
// optional sign, digits with at most one point, and blanks around. A comma,
// an exponent, "nan" or "inf" are not decimals.
bool IsDecimal(std::string_view text) {
    text = Trimmed(text);
    if (text.starts_with('-') || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    bool digits = false;
    bool point = false;
    for (const char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
        } else {
            return false;
        }
    }
    return digits;
}

// The value of a text IsDecimal accepts.
double ReadDecimal(std::string_view text) {
    text = Trimmed(text);
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    double value = 0.0;
    if (std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed)
            .ec == std::errc::result_out_of_range) {
        // Too many digits for a double: beyond its range when a whole digit
        // is not zero (refused later as off the Earth), else below it.
        const std::string_view whole = text.substr(0, text.find('.'));
        value = whole.find_first_not_of('0') == std::string_view::npos
                    ? 0.0
                    : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

// The encoding the XML declaration names, or "UTF-8" without one.
std::string DeclaredEncoding(std::string_view bytes) {
    if (!bytes.starts_with("<?xml")) {
        return "UTF-8";
    }
    const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
    const std::size_t key = declaration.find("encoding");
    if (key == std::string_view::npos) {
        return "UTF-8";
    }
    const std::size_t open = declaration.find_first_of("\"'", key);
    if (open == std::string_view::npos) {
        return {};
    }
    const std::size_t close = declaration.find(declaration[open], open + 1);
    std::string name(declaration.substr(open + 1, close - open - 1));
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return name;
}

// Where UTF-8 is broken or a character is one GPX text never holds, the
// offset and what is wrong there: a control character other than tab and
// line breaks (C0, DEL, C1) or a non-character XML forbids.
std::optional<std::pair<std::size_t, std::string>> FindBadText(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (lead < 0x80) {
            if ((lead < 0x20 && lead != '\t' && lead != '\n' && lead != '\r') || lead == 0x7F) {
                return std::pair{at, "a control character"};
            }
            ++at;
            continue;
        }
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length == 0 || lead > 0xF4 || at + length > bytes.size()) {
            return std::pair{at, "bytes that are not UTF-8"};
        }
        char32_t code = lead & (0x7F >> length);
        for (std::size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(bytes[at + i]);
            if ((next & 0xC0) != 0x80) {
                return std::pair{at, "bytes that are not UTF-8"};
            }
            code = (code << 6) | (next & 0x3F);
        }
        constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return std::pair{at, "bytes that are not UTF-8"};
        }
        if ((code >= 0x80 && code < 0xA0) || code == 0xFFFE || code == 0xFFFF) {
            return std::pair{at, "a control character"};
        }
        at += length;
    }
    return std::nullopt;
}

// Windows-1252 text (ISO-8859-1 read as the browsers read it) as UTF-8.
std::vector<char> Utf8FromWindows1252(const std::vector<char>& bytes) {
    const std::string text = WideToHostBytes(FromAnsiCodePage({bytes.data(), bytes.size()}));
    return {text.begin(), text.end()};
}

}  // namespace

GpxReading::GpxReading(std::vector<char> bytes)
    : m_bytes(std::move(bytes)), m_document(std::make_unique<pugi::xml_document>()) {
    Read();
    if (!m_refusal.empty()) {
        m_routes.clear();
        m_routePoints.clear();
        m_waypointNodes.clear();
        m_tracks = 0;
    }
}

bool GpxReading::Refuse(std::ptrdiff_t offset, std::string reason) {
    m_refusal = "line " + std::to_string(LineAt(offset)) + ": " + std::move(reason);
    return false;
}

std::size_t GpxReading::LineAt(std::ptrdiff_t offset) const {
    const auto end = m_bytes.begin() + std::clamp<std::ptrdiff_t>(offset, 0, m_bytes.size());
    return 1 + static_cast<std::size_t>(std::count(m_bytes.begin(), end, '\n'));
}

void GpxReading::Read() {
    std::string_view text(m_bytes.data(), m_bytes.size());
    if (Trimmed(text).empty()) {
        m_refusal = "the file is empty";
        return;
    }
    if (text.starts_with("\xFE\xFF") || text.starts_with("\xFF\xFE")) {
        m_refusal = "the file is in UTF-16, which is not read: save it as UTF-8";
        return;
    }
    if (text.starts_with("\xEF\xBB\xBF")) {
        m_bytes.erase(m_bytes.begin(), m_bytes.begin() + 3);
        text = {m_bytes.data(), m_bytes.size()};
    }
    const std::string encoding = DeclaredEncoding(text);
    if (encoding == "ISO-8859-1" || encoding == "LATIN1" || encoding == "WINDOWS-1252") {
        m_bytes = Utf8FromWindows1252(m_bytes);
        text = {m_bytes.data(), m_bytes.size()};
    } else if (encoding != "UTF-8" && encoding != "UTF8" && encoding != "US-ASCII" &&
               encoding != "ASCII") {
        m_refusal = "the file is in the encoding " + Quote(encoding) +
                    ", which is not read (UTF-8, US-ASCII, ISO-8859-1 and windows-1252 are)";
        return;
    }
    if (const auto bad = FindBadText(text)) {
        Refuse(static_cast<std::ptrdiff_t>(bad->first), "the file holds " + bad->second);
        return;
    }

    // No DTD is ever read or expanded; a DOCTYPE is parsed only to be refused.
    const pugi::xml_parse_result parsed = m_document->load_buffer_inplace(
        m_bytes.data(), m_bytes.size(),
        pugi::parse_default | pugi::parse_doctype | pugi::parse_embed_pcdata, pugi::encoding_utf8);
    if (!parsed) {
        Refuse(parsed.offset,
               std::string("the file is not well-formed XML: ") + parsed.description());
        return;
    }
    pugi::xml_node root;
    for (pugi::xml_node node : m_document->children()) {
        if (node.type() == pugi::node_doctype) {
            Refuse(node.offset_debug(),
                   "a document type declaration (DOCTYPE) is not accepted: GPX has none");
            return;
        }
        if (node.type() == pugi::node_element) {
            if (root) {
                Refuse(node.offset_debug(),
                       "the file is not well-formed XML: a second root element");
                return;
            }
            root = node;
        }
    }
    if (!root) {
        m_refusal = "the file is not well-formed XML: it has no root element";
        return;
    }
    if (LocalName(root.name()) != "gpx") {
        Refuse(root.offset_debug(),
               "the file is not GPX: its root element is " + Quote(root.name()));
        return;
    }
    const std::string_view prefix = Prefix(root.name());
    m_root = root;
    m_prefix = prefix;
    m_namespace = NamespaceOf(root, prefix, root);
    if (!(m_namespace.empty() && prefix.empty()) && !IsGpxNamespace(m_namespace)) {
        Refuse(root.offset_debug(),
               "the file is not GPX: its root element is in the namespace " + Quote(m_namespace));
        return;
    }

    for (pugi::xml_node child : root.children()) {
        const std::string_view kind = GpxName(child);
        if (kind == "wpt") {
            if (!CheckPoint(child)) {
                return;
            }
            m_waypointNodes.push_back(child);
        } else if (kind == "rte") {
            GpxRoute& route = m_routes.emplace_back();
            std::vector<pugi::xml_node>& points = m_routePoints.emplace_back();
            for (pugi::xml_node part : child.children()) {
                const std::string_view partKind = GpxName(part);
                if (partKind == "name") {
                    route.name = Trimmed(part.child_value());
                } else if (partKind == "rtept") {
                    if (!CheckPoint(part)) {
                        return;
                    }
                    points.push_back(part);
                }
            }
            route.points = points.size();
        } else if (kind == "trk") {
            ++m_tracks;
        }
    }
}

std::string_view GpxReading::GpxName(pugi::xml_node element) const {
    if (element.type() != pugi::node_element) {
        return {};
    }
    const std::string_view name = element.name();
    const std::string_view prefix = Prefix(name);
    const std::string_view local = LocalName(name);
    if (prefix != m_prefix) {
        return NamespaceOf(element, prefix, m_root) == m_namespace ? local : std::string_view();
    }
    // The root's own prefix, as GPX's elements nearly always are: only a
    // declaration below the root can give it another namespace.
    for (pugi::xml_node at = element; at != m_root; at = at.parent()) {
        if (const char* declared = Declaration(at, prefix)) {
            return declared == m_namespace ? local : std::string_view();
        }
    }
    return local;
}

bool GpxReading::CheckPoint(pugi::xml_node point) {
    for (const char* axis : {"lat", "lon"}) {
        const pugi::xml_attribute attribute = point.attribute(axis);
        if (!attribute) {
            return Refuse(point.offset_debug(),
                          "a " + std::string(LocalName(point.name())) + " without " + axis);
        }
        if (!IsDecimal(attribute.value())) {
            return Refuse(point.offset_debug(), std::string(axis) + "=" + Quote(attribute.value()) +
                                                    " is not a decimal number");
        }
    }
    return true;
}

GpxPoint GpxReading::PointOf(pugi::xml_node node) const {
    GpxPoint point;
    point.latitude = ReadDecimal(node.attribute("lat").value());
    point.longitude = ReadDecimal(node.attribute("lon").value());
    point.offset = node.offset_debug();
    for (pugi::xml_node part : node.children()) {
        const std::string_view kind = GpxName(part);
        if (kind == "name") {
            point.name = Trimmed(part.child_value());
        } else if (kind == "cmt") {
            point.comment = Trimmed(part.child_value());
        } else if (kind == "desc") {
            point.description = Trimmed(part.child_value());
        }
    }
    return point;
}

void GpxReading::VisitRoute(std::size_t route,
                            const std::function<void(const GpxPoint&)>& visit) const {
    for (const pugi::xml_node node : m_routePoints.at(route)) {
        visit(PointOf(node));
    }
}

void GpxReading::VisitWaypoints(const std::function<void(const GpxPoint&)>& visit) const {
    for (const pugi::xml_node node : m_waypointNodes) {
        visit(PointOf(node));
    }
}

GpxReading GpxReading::ReadFile(const std::filesystem::path& file) {
    // The caller names the file; the reasons say what is wrong with it.
    GpxReading reading;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        reading.m_refusal = std::string("the file cannot be opened: ") + std::strerror(errno);
        return reading;
    }
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    const std::string tooLarge = "the file is larger than " + std::to_string(kSizeLimit >> 20) +
                                 " MiB, the most a GPX file may have here";
    if (!error && size > kSizeLimit) {
        reading.m_refusal = tooLarge;
        return reading;
    }
    // Read to one byte past the limit, so that a file that grows while it is
    // read, or a pipe, is held to the limit as well.
    std::vector<char> bytes;
    bytes.reserve(error ? 0 : static_cast<std::size_t>(size) + 1);
    char block[1 << 16];
    while (bytes.size() <= kSizeLimit && in.read(block, sizeof block).gcount() > 0) {
        bytes.insert(bytes.end(), block, block + in.gcount());
    }
    if (in.bad()) {
        reading.m_refusal = std::string("the file cannot be read: ") + std::strerror(errno);
    } else if (bytes.size() > kSizeLimit) {
        reading.m_refusal = tooLarge;
    } else {
        return GpxReading(std::move(bytes));
    }
    return reading;
}
