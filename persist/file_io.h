#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// Whole-file reading and crash-safe replacement, for the settings file.

struct FileReadResult {
    enum class Status {
        Read,       // text holds the whole file
        Missing,    // there is no file at the path
        Unreadable, // something is there but could not be read (error says why)
        NotAFile,   // a folder, a pipe or a device is at the path
        TooLarge,   // the file is larger than maxReadableFileBytes
    };
    Status status = Status::Missing;
    // The errno of the call that failed (on Windows, the nearest errno to
    // the system's error); EISDIR for a folder.
    int error = 0;
    std::string text;
};

// Files larger than this are not settings files of ours: they are refused
// rather than pulled into memory. A player's file holds about 1.5 KB; this is
// tens of thousands of times more, and a save never writes a file above it.
inline constexpr std::uintmax_t maxReadableFileBytes = 64u << 20;

// Reads a regular file whole. A directory, a device or a pipe at the path is
// not read; reading never blocks on such a thing.
FileReadResult ReadWholeFile(const std::filesystem::path& file);

// Replaces the file's content atomically: the text goes into a temporary
// file in the same folder, which is flushed to disk and then renamed over the
// file, and the folder is synced. A crash or a full disk leaves either the
// old file or the new one, never a damaged one. The folder is created when
// missing. On POSIX systems a symbolic link at the path (a dangling one too) is followed and
// its target replaced, so the link stays; the folders a link points into are
// not created: a link into a missing folder, say on a drive not mounted, is
// the player's to mend. An existing file's permissions are kept. Temporary
// files that earlier saves left behind, killed half way, are removed.
//
// Returns 0 when the new file is in place, else the errno of the step that
// failed; the old file is then untouched, except when only the folder's sync
// failed and the new file may or may not have reached the disk.
int ReplaceFileAtomically(const std::filesystem::path& file, const std::string& text);
