// SPDX-License-Identifier: MIT
#include "route/route_file.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <thread>

#include "route/route_text.h"
#include "services/host_path.h"
#include "services/whole_file.h"

namespace fs = std::filesystem;
using WholeFile::Failure;
using WholeFile::State;

namespace {

using Clock = std::chrono::steady_clock;

// How long the route folder may stay locked without the route file changing
// before the next appender gives up.
constexpr auto kLockPatience = std::chrono::seconds(5);
constexpr auto kLockPoll = std::chrono::milliseconds(2);

// The copy is made under a name the chooser never lists (it does not end in
// ".rte") and the device's software never opens.
constexpr char kCopyPrefix[] = ".quillpost-append-";

AppendResult Failed(std::string reason) {
    return {false, std::move(reason)};
}

// The folder a file lies in, "." for a bare name.
fs::path FolderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// The folder's lock serialises making a new route file and replacing an
// existing one alike. Its holder is taken to be getting on while the route
// file it appends to appears or grows.
std::optional<AppendResult> LockFolder(const fs::path& folder, const fs::path& target,
                                       WholeFile::FolderLock* lock) {
    auto deadline = Clock::now() + kLockPatience;
    Failure unseen;  // a file that cannot be looked at shows no progress
    State last = WholeFile::Examine(target, &unseen);
    for (;;) {
        Failure failure;
        *lock = WholeFile::FolderLock::TryTake(folder, &failure);
        if (lock->IsHeld()) {
            return std::nullopt;
        }
        if (failure.kind != Failure::Kind::Busy) {
            return Failed(failure.reason);
        }
        if (Clock::now() > deadline) {
            const State now = WholeFile::Examine(target, &unseen);
            if (now == last) {
                return Failed("locked by another program");
            }
            last = now;
            deadline = Clock::now() + kLockPatience;
        }
        std::this_thread::sleep_for(kLockPoll);
    }
}

std::string NameOf(const fs::path& file) {
    return WideToHostBytes(WideFromHostPath(file.filename()));
}

// What the user needs to hear beyond the system's words.
std::string Explained(const Failure& failure, const State& replaced, const fs::path& kept) {
    if (!kept.empty()) {
        return failure.reason + "; the route file is no longer there, its content with the new " +
               "point is in '" + NameOf(kept) + "'";
    }
    // A copy is as large as the whole route file: on a nearly full card that
    // is what is missing, not room for one line.
    if (failure.kind == Failure::Kind::Full && replaced.kind == State::Kind::File) {
        return failure.reason + " (the new point is added to a copy of the whole route file, " +
               "which needs " + std::to_string((replaced.size + 1023) / 1024) +
               " KB free beside it)";
    }
    return failure.reason;
}

}  // namespace

AppendResult AppendToRouteFile(const fs::path& file, std::string_view text) {
    Failure failure;
    const fs::path target = WholeFile::FollowLink(file, &failure);
    if (failure) {
        return Failed(failure.reason);
    }
    const fs::path folder = FolderOf(target);
    WholeFile::FolderLock lock;
    if (const auto refused = LockFolder(folder, target, &lock)) {
        return *refused;
    }
    const fs::path copies = folder / kCopyPrefix;
    WholeFile::RemoveAbandonedCopies(copies);
    for (;;) {
        const State state = WholeFile::Examine(target, &failure);
        if (failure) {
            return Failed(failure.reason);
        }
        // Looked at before opening: opening a device or a pipe can have
        // effects of its own.
        if (state.kind == State::Kind::Folder) {
            return Failed(std::strerror(EISDIR));
        }
        if (state.kind == State::Kind::Other) {
            return Failed("not a regular file");
        }
        // The device's append mode reads as well as writes.
        std::string content;
        const bool exists = state.kind == State::Kind::File;
        if (exists && ((failure = WholeFile::RefuseReadOnly(target)) ||
                       (failure = WholeFile::ReadAll(target, &content)))) {
            return Failed(failure.reason);
        }
        fs::path kept;
        failure = WholeFile::Replace(target, copies, ContentWithText(std::move(content), text),
                                     exists, &kept);
        if (!failure) {
            return {true, {}};
        }
        // Made meanwhile by a program that does not take the lock: the line
        // goes to its file.
        if (!exists && failure.kind == Failure::Kind::Exists) {
            continue;
        }
        return Failed(Explained(failure, state, kept));
    }
}
