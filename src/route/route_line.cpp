#include "route/route_line.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/code_page.h"

namespace {

bool IsControl(wchar_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

// Closes the file on every way out; the lock goes with it.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

struct FileEnd {
    bool needsBreak;         // not empty and not ending in a line break
    std::string_view style;  // the line ending to write
};

// The device's runtime ends text lines in CR LF; a file whose last line break
// is a bare LF was written elsewhere and keeps its style.
FileEnd LookAtEnd(int fd, off_t size) {
    FileEnd end{false, "\r\n"};
    char last = 0;
    if (size == 0 || pread(fd, &last, 1, size - 1) != 1) {
        return end;
    }
    end.needsBreak = last != '\n';
    char chunk[4096];
    for (off_t stop = size; stop > 0;) {
        const off_t start = std::max<off_t>(stop - static_cast<off_t>(sizeof chunk), 0);
        const ssize_t got = pread(fd, chunk, static_cast<size_t>(stop - start), start);
        if (got != stop - start) {
            return end;
        }
        for (ssize_t i = got - 1; i >= 0; --i) {
            if (chunk[i] == '\n') {
                char before = 0;
                if (i > 0) {
                    before = chunk[i - 1];
                } else if (start > 0 && pread(fd, &before, 1, start - 1) != 1) {
                    return end;
                }
                end.style = before == '\r' ? "\r\n" : "\n";
                return end;
            }
        }
        stop = start;
    }
    return end;
}

}  // namespace

std::string FormatRouteLine(const CString& name, double latitude, double longitude) {
    std::wstring oneLine = name.str();
    for (wchar_t& c : oneLine) {
        if (IsControl(c)) {
            c = L' ';
        }
    }
    CString line;
    line.Format(L"[%s||][0][10]|%f,%f||%f|%f|\n", oneLine.c_str(), longitude, latitude, longitude,
                latitude);
    return ToAnsiCodePage(line.str());
}

bool AppendToRouteFile(const std::filesystem::path& file, std::string_view text) {
    // A file that this append creates is removed again if the line cannot be
    // written, so a failed append leaves the folder as it was.
    bool created = false;
    int opened = open(file.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
    if (opened < 0 && errno == ENOENT) {
        opened = open(file.c_str(), O_RDWR | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        created = opened >= 0;
    }
    const FileDescriptor fd(opened);
    if (fd.get() < 0) {
        return false;
    }
    // Another program appending at the same time must not slip in between
    // looking at the end and writing.
    while (flock(fd.get(), LOCK_EX) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    struct stat status;
    if (fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    const off_t oldSize = status.st_size;
    const FileEnd end = LookAtEnd(fd.get(), oldSize);

    std::string buffer;
    if (end.needsBreak) {
        buffer += end.style;
    }
    for (const char c : text) {
        if (c == '\n') {
            buffer += end.style;
        } else {
            buffer += c;
        }
    }

    // One write, so that a concurrent appender never interleaves inside the line.
    ssize_t written;
    do {
        written = write(fd.get(), buffer.data(), buffer.size());
    } while (written < 0 && errno == EINTR);
    if (written == static_cast<ssize_t>(buffer.size())) {
        return true;
    }
    // A short write (a full disk) would leave half a route point that the
    // navigation software cannot read: take back what did get written.
    [[maybe_unused]] const int undone = ftruncate(fd.get(), oldSize);
    if (created) {
        unlink(file.c_str());
    }
    return false;
}
