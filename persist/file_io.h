#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// Whole-file reading and crash-safe replacement, for the settings file.

struct FileReadResult {
    enum class Status {
        Read,       // text holds the whole file
        Missing,    // there is no file at the path
        Unreadable, // something is there but could not be read
    };
    Status status = Status::Missing;
    std::string text;
};

// Files larger than this are not settings files of ours: they count as
// unreadable rather than being pulled into memory.
inline constexpr std::uintmax_t maxReadableFileBytes = 16u << 20;

// Reads a regular file whole. A directory, a device or a pipe at the path is
// unreadable; reading never blocks on such a thing.
FileReadResult ReadWholeFile(const std::filesystem::path& file);

// Replaces the file's content atomically: the text goes into a temporary
// file in the same folder, which is flushed to disk and then renamed over the
// file, and the folder is synced. A crash or a full disk leaves either the
// old file or the new one, never a damaged one. The folder is created when
// missing; a symbolic link at the path is followed, so the link stays. An
// existing file's permissions are kept. Returns false when the file could
// not be replaced, and the old file is then untouched; also false when the
// new file is in place but the folder could not be synced to disk.
bool ReplaceFileAtomically(const std::filesystem::path& file, const std::string& text);
