// Files on Windows: wide-character paths throughout, CreateFileW and
// ReadFile, a flushed temporary moved over the file, and the settings in
// the player's roaming application data. Windows' errors are given as the
// nearest errno values, which is what the rest of the game prints.
#include "file_io.h"
#include "persist/settings_file.h"
#include "temporary_files.h"

#include <cerrno>
#include <cstdlib>
#include <shlobj.h>
#include <string_view>
#include <system_error>
#include <windows.h>

namespace {

int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_PRIVILEGE_NOT_HELD: return EACCES;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_DIRECTORY: return ENOTDIR;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: return EINVAL;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return ENOMEM;
    case ERROR_CANT_RESOLVE_FILENAME: return ELOOP;
    default: return EIO;
    }
}

int LastErrno() {
    return ErrnoOf(GetLastError());
}

// Closes a handle when it goes out of scope.
class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (valid()) {
            CloseHandle(handle_);
        }
    }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Closes now and reports whether the close succeeded.
    bool Close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != 0;
    }

  private:
    HANDLE handle_;
};

bool WriteAll(HANDLE file, std::string_view text) {
    while (!text.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, text.data(), chunk, &written, nullptr)) {
            return false;
        }
        text.remove_prefix(written);
    }
    return true;
}

bool IsLiveProcess(long long pid) {
    if (pid <= 0 || pid > 0xFFFFFFFFll) {
        return false;
    }
    const HANDLE process =
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process) {
        // A process we may not look at still runs; only an unknown id is gone.
        return GetLastError() != ERROR_INVALID_PARAMETER;
    }
    DWORD exitCode = 0;
    const bool running = GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

// Makes the folder and its parents. A file where a folder should be is
// ENOTDIR, as on POSIX, so that the player is told what is in the way.
int CreateFolders(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error) {
        return 0;
    }
    for (std::filesystem::path up = folder; !up.empty() && up != up.parent_path();
         up = up.parent_path()) {
        const DWORD attributes = GetFileAttributesW(up.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            return attributes & FILE_ATTRIBUTE_DIRECTORY ? error.value() : ENOTDIR;
        }
    }
    return error.value();
}

} // namespace

FileReadResult ReadWholeFile(const std::filesystem::path& file) {
    FileReadResult result;
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        result.error = LastErrno();
        result.status = result.error == ENOENT ? FileReadResult::Status::Missing
                                               : FileReadResult::Status::Unreadable;
        return result;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        result.error = EISDIR;
        result.status = FileReadResult::Status::NotAFile;
        return result;
    }
    FileHandle handle(CreateFileW(file.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.valid()) {
        result.error = LastErrno();
        result.status = result.error == ENOENT ? FileReadResult::Status::Missing
                                               : FileReadResult::Status::Unreadable;
        return result;
    }
    // A pipe or a device (CON, NUL) is no settings file; reading it could block.
    if (GetFileType(handle.get()) != FILE_TYPE_DISK) {
        result.status = FileReadResult::Status::NotAFile;
        return result;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle.get(), &size)) {
        result.error = LastErrno();
        result.status = FileReadResult::Status::Unreadable;
        return result;
    }
    result.status = FileReadResult::Status::TooLarge;
    if (static_cast<std::uintmax_t>(size.QuadPart) > maxReadableFileBytes) {
        return result;
    }
    // One byte more than the size, to see a file that grew while we read it.
    result.text.resize(static_cast<std::size_t>(size.QuadPart) + 1);
    std::size_t got = 0;
    for (;;) {
        if (got == result.text.size()) {
            if (got > maxReadableFileBytes) {
                result.text = std::string();
                return result;
            }
            result.text.resize(std::min<std::size_t>(got * 2 + 4096, maxReadableFileBytes + 1));
        }
        DWORD read = 0;
        if (!ReadFile(handle.get(), result.text.data() + got,
                      static_cast<DWORD>(result.text.size() - got), &read, nullptr)) {
            result.error = LastErrno();
            result.status = FileReadResult::Status::Unreadable;
            result.text = std::string();
            return result;
        }
        if (read == 0) {
            break;
        }
        got += read;
    }
    result.text.resize(got);
    result.status = FileReadResult::Status::Read;
    return result;
}

// Links are not followed here: MoveFileExW replaces a link itself, and a
// player's settings file on Windows is not a link.
int ReplaceFileAtomically(const std::filesystem::path& file, const std::string& text) {
    const std::filesystem::path folder =
        file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
    if (const int error = CreateFolders(folder); error != 0) {
        return error;
    }
    const long long self = GetCurrentProcessId();
    RemoveStaleTemporaries(file, self, IsLiveProcess);

    std::filesystem::path temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = TemporaryName(file, self);
        created = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    FileHandle handle(created);
    if (!handle.valid()) {
        return LastErrno();
    }
    const bool written =
        WriteAll(handle.get(), text) && FlushFileBuffers(handle.get()) && handle.Close();
    if (!written || !MoveFileExW(temporary.c_str(), file.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const int error = LastErrno();
        if (handle.valid()) {
            handle.Close();
        }
        DeleteFileW(temporary.c_str());
        return error;
    }
    return 0;
}

// %APPDATA%\VARNISK\varnisk.ini: the variable when it names a folder, else
// the roaming application data folder the system knows.
std::filesystem::path SettingsFilePath() {
    std::filesystem::path base;
    if (const wchar_t* appData = _wgetenv(L"APPDATA"); appData != nullptr) {
        base = appData;
    }
    if (!base.is_absolute()) {
        base.clear();
        PWSTR known = nullptr;
        if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &known) == S_OK) {
            base = known;
        }
        CoTaskMemFree(known);
    }
    if (base.empty()) {
        base = "."; // nowhere better: the current folder
    }
    return base / "VARNISK" / "varnisk.ini";
}
