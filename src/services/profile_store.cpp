// SPDX-License-Identifier: MIT
#include "services/profile_store.h"

#include <cstring>
#include <fstream>
#include <vector>

#include "services/host_path.h"
#include "services/numbers.h"
#include "services/profile_file.h"
#include "services/whole_file.h"

namespace fs = std::filesystem;

namespace ProfileStore {
namespace {

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool EqualNoCase(const std::string& left, const std::string& right) {
    return left.size() == right.size() &&
           strncasecmp(left.c_str(), right.c_str(), left.size()) == 0;
}

// "[Name]" gives Name; any other line gives false.
bool SectionName(const std::string& line, std::string* name) {
    const std::string trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') {
        return false;
    }
    *name = Trim(trimmed.substr(1, trimmed.size() - 2));
    return true;
}

// "Key=Value" gives Key and Value; any other line gives false.
bool KeyValue(const std::string& line, std::string* key, std::string* value) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
        return false;
    }
    *key = Trim(line.substr(0, equals));
    *value = Trim(line.substr(equals + 1));
    return !key->empty();
}

// The file's lines, or nothing when it cannot be read. A file far larger than
// any settings file is treated as damaged rather than read into memory.
bool ReadLines(const fs::path& file, std::vector<std::string>* lines) {
    std::error_code error;
    const auto size = fs::file_size(file, error);
    if (error || size > (1u << 20)) {
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    // A file edited on another system may end its lines in CR LF: they are
    // written back with this system's line break, never with two CRs.
    std::string line;
    while (std::getline(in, line)) {
        if (line.ends_with('\r')) {
            line.pop_back();
        }
        lines->push_back(line);
    }
    return true;
}

}  // namespace

fs::path FilePath(const std::wstring& company, const std::wstring& application) {
    const fs::path base = ProfileFile::SettingsFolder();
    if (base.empty()) {
        return {};
    }
    return base / HostPathFromWide(company) / HostPathFromWide(application + L".ini");
}

bool ParseInt(const std::string& text, int* value) {
    const auto number = Numbers::ReadWholeNumber(Trim(text));
    if (number) {
        *value = *number;
    }
    return number.has_value();
}

int ReadInt(const fs::path& file, const std::wstring& section, const std::wstring& name,
            int defaultValue) {
    std::vector<std::string> lines;
    if (!ReadLines(file, &lines)) {
        return defaultValue;
    }
    const std::string wantedSection = WideToHostBytes(section);
    const std::string wantedName = WideToHostBytes(name);
    bool inSection = false;
    for (const std::string& line : lines) {
        std::string current, key, text;
        if (SectionName(line, &current)) {
            inSection = EqualNoCase(current, wantedSection);
        } else if (inSection && KeyValue(line, &key, &text) && EqualNoCase(key, wantedName)) {
            int value;
            return ParseInt(text, &value) ? value : defaultValue;
        }
    }
    return defaultValue;
}

bool WriteInt(const fs::path& file, const std::wstring& section, const std::wstring& name,
              int value, std::string* why) {
    std::string ignored;
    why = why ? why : &ignored;
    // A file that is there but cannot be read would be replaced by one that
    // holds only this value: everything else in it would be lost.
    std::vector<std::string> lines;
    std::error_code error;
    if (file.empty()) {
        *why = "there is no home folder (neither XDG_CONFIG_HOME nor HOME names one)";
        return false;
    }
    // A settings file kept as a symbolic link (as dotfile managers keep them)
    // is written where the link leads, so that the link stays. A link that
    // leads nowhere counts as a file that cannot be read.
    fs::path target = file;
    const fs::file_status status = fs::symlink_status(file, error);
    if (fs::is_symlink(status)) {
        target = fs::canonical(file, error);
        if (error) {
            *why = "it is a link that leads nowhere (" + error.message() + ")";
            return false;
        }
    }
    if (fs::exists(status) && WholeFile::RefuseReadOnly(target)) {
        *why = "the file is read-only";
        return false;
    }
    if (fs::exists(status) && !ReadLines(target, &lines)) {
        *why = "the file cannot be read, and would lose what it holds";
        return false;
    }
    const std::string wantedSection = WideToHostBytes(section);
    const std::string wantedName = WideToHostBytes(name);
    const std::string entry = wantedName + "=" + std::to_string(value);

    bool inSection = false;
    bool written = false;
    size_t sectionEnd = lines.size();  // where a new entry of the section goes
    bool sectionFound = false;
    for (size_t i = 0; i < lines.size() && !written; ++i) {
        std::string current, key, text;
        if (SectionName(lines[i], &current)) {
            if (inSection) {
                sectionEnd = i;
            }
            inSection = EqualNoCase(current, wantedSection);
            sectionFound = sectionFound || inSection;
            if (inSection) {
                sectionEnd = lines.size();
            }
        } else if (inSection && KeyValue(lines[i], &key, &text) && EqualNoCase(key, wantedName)) {
            lines[i] = entry;
            written = true;
        }
    }
    if (!written) {
        if (!sectionFound) {
            lines.push_back("[" + wantedSection + "]");
            sectionEnd = lines.size();
        }
        lines.insert(lines.begin() + static_cast<long>(sectionEnd), entry);
    }
    std::string text;
    for (const std::string& line : lines) {
        text += line + ProfileFile::kLineBreak;
    }
    fs::create_directories(target.parent_path(), error);
    fs::path prefix = target;
    prefix += ".";
    fs::path kept;
    // Another instance of the program ending at the same moment may have made
    // the file meanwhile: the last to end has the last word, as ever.
    const WholeFile::Failure failure = WholeFile::Replace(target, prefix, text, true, &kept);
    if (failure) {
        *why = failure.reason;
        if (!kept.empty()) {
            *why += "; the file is no longer there, the settings are in '" +
                    WideToHostBytes(WideFromHostPath(kept.filename())) + "'";
        }
    }
    return !failure;
}

}  // namespace ProfileStore
