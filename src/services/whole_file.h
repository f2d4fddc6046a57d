// SPDX-License-Identifier: MIT
// Files replaced whole: new content goes to a flushed copy beside the file,
// which is then renamed over it, so a reader, a kill, a power cut or a pulled
// card finds the old file or the new one, never half. The steps are the same
// on every system; the few operations each system does its own way (handles,
// a folder's lock, writing the copy, the rename) are its own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace WholeFile {

// A step that failed: the kinds the steps around it act on, and the system's
// own words for it.
struct Failure {
    enum class Kind { None, Missing, Exists, Full, Busy, Other };
    Kind kind = Kind::None;
    std::string reason;
    explicit operator bool() const { return kind != Kind::None; }
};

// A descriptor or handle of the system's, closed on every way out.
class Handle {
public:
    static constexpr std::intptr_t kClosed = -1;
    Handle() = default;
    explicit Handle(std::intptr_t native) : m_native(native) {}
    ~Handle() { Close(); }
    Handle(Handle&& other) noexcept;
    Handle& operator=(Handle&& other) noexcept;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool IsOpen() const { return m_native != kClosed; }
    std::intptr_t native() const { return m_native; }
    // False when the system could not close it: what was written may be lost.
    bool Close();

private:
    std::intptr_t m_native = kClosed;
};

// What a path names now, symbolic links followed. Two looks that differ tell
// that someone is at work on the file.
struct State {
    enum class Kind { Missing, File, Folder, Other };
    Kind kind = Kind::Missing;
    std::uintmax_t size = 0;
    std::int64_t modified = 0;  // in the system's own ticks
    bool operator==(const State&) const = default;
};
// A path that is not there is Missing, no failure.
State Examine(const std::filesystem::path& path, Failure* failure);

// The file a symbolic link leads to (the path itself when it is none), so
// that the link stays and its target is replaced.
std::filesystem::path FollowLink(const std::filesystem::path& path, Failure* failure);

// A file the user has made read-only is kept as it is, whoever runs the
// program (root, or a rename on Wine, would replace it regardless), and so is
// one this user may not write.
Failure RefuseReadOnly(const std::filesystem::path& file);

// The whole content of a regular file, read through a handle that is closed
// again before anything replaces the file.
Failure ReadAll(const std::filesystem::path& file, std::string* content);

// The lock of a folder that our writers take turns by. It goes with its
// holder, killed or not, and holds on a card's own file systems too.
class FolderLock {
public:
    // One try; Busy while another holds it.
    static FolderLock TryTake(const std::filesystem::path& folder, Failure* failure);
    bool IsHeld() const { return m_handle.IsOpen(); }

private:
    Handle m_handle;
};

// New content in a flushed copy beside the file it is for, named prefix and
// something unique. Its writer holds it while writing it (on POSIX for as
// long as the writer lives), so that a copy nobody holds is known to be
// abandoned. The copy goes again unless it took the file's place or was kept.
class Copy {
public:
    // like names the file whose owner and permissions the copy takes, where
    // the system has them; an empty like gives what any new file gets.
    Copy(const std::filesystem::path& prefix, std::string_view content,
         const std::filesystem::path& like);
    ~Copy();
    Copy(const Copy&) = delete;
    Copy& operator=(const Copy&) = delete;

    const Failure& failure() const { return m_failure; }

    // Puts the copy in place of target; without replace, only where nothing
    // is (Exists otherwise).
    Failure MoveTo(const std::filesystem::path& target, bool replace);

    // Keeps the copy as target's name followed by ".recovered" (a number
    // after it where that is taken), for when it holds the only whole
    // content; returns where it is.
    std::filesystem::path Keep(const std::filesystem::path& target);

private:
    Handle m_handle;
    std::filesystem::path m_path;
    Failure m_failure;
};

// Removes the copies named prefix and something that no writer holds any
// more (left by a kill or a pulled card).
void RemoveAbandonedCopies(const std::filesystem::path& prefix);

// Puts content in place of target through a copy named prefix and something;
// without replace, only where nothing is (Exists otherwise). A rename that
// fails half-way, with target gone, is tried again; when that fails too, the
// copy is kept (see Copy::Keep) and *kept names it. Full when the copy does
// not fit.
Failure Replace(const std::filesystem::path& target, const std::filesystem::path& prefix,
                std::string_view content, bool replace, std::filesystem::path* kept);

// What each system does its own way, for the steps above.
namespace System {

// Writes and flushes a new file named prefix and something unique, taking
// like's owner and permissions (see Copy). *made names the file once it is
// there, also when writing it failed. The handle is open while the writer
// holds the file.
Handle WriteCopy(const std::filesystem::path& prefix, std::string_view content,
                 const std::filesystem::path& like, std::filesystem::path* made, Failure* failure);

// Removes a copy when no writer holds it.
void RemoveIfAbandoned(const std::filesystem::path& copy);

// Renames from to to; without replace, only where nothing is (Exists
// otherwise).
Failure Move(const std::filesystem::path& from, const std::filesystem::path& to, bool replace);

// Makes the renames in a folder last through a power cut.
void FlushFolder(const std::filesystem::path& folder);

}  // namespace System
}  // namespace WholeFile
