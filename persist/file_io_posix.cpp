// Files on Linux and other POSIX systems: descriptors, fsync and rename,
// and the settings' place under the XDG rules.
#include "file_io.h"
#include "persist/settings_file.h"
#include "temporary_files.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <limits>
#include <pwd.h>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports whether the close succeeded: on some file
    // systems a failed write only shows itself here.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

int SyncFolder(const std::filesystem::path& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid()) {
        return errno;
    }
    // Some file systems cannot sync a folder at all; there is nothing more to
    // do for them.
    return ::fsync(fd.get()) == 0 || errno == EINVAL ? 0 : errno;
}

// The file a save must replace: symbolic links are followed to their final
// target, even one that does not exist yet, so that a linked settings file
// stays linked. Gives ELOOP for a chain that does not end.
int ResolveTarget(const std::filesystem::path& file, std::filesystem::path& target) {
    target = file;
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(target, error)) {
            return 0;
        }
        const std::filesystem::path link = std::filesystem::read_symlink(target, error);
        if (error) {
            return error.value();
        }
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return ELOOP;
}

// Creates a fresh temporary file; its permissions are those of a new file
// (the umask applies) unless the old file's are given.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = TemporaryName(target, ::getpid());
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool IsLiveProcess(long long pid) {
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max()) {
        return false;
    }
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

} // namespace

FileReadResult ReadWholeFile(const std::filesystem::path& file) {
    FileReadResult result;
    // Non-blocking, so that a pipe at the path cannot hang the game.
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        result.error = errno;
        const bool missing = errno == ENOENT || errno == ENOTDIR;
        result.status =
            missing ? FileReadResult::Status::Missing : FileReadResult::Status::Unreadable;
        return result;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        result.error = errno;
        result.status = FileReadResult::Status::Unreadable;
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.error = S_ISDIR(info.st_mode) ? EISDIR : 0;
        result.status = FileReadResult::Status::NotAFile;
        return result;
    }
    result.status = FileReadResult::Status::TooLarge;
    if (static_cast<std::uintmax_t>(info.st_size) > maxReadableFileBytes) {
        return result;
    }
    // Read straight into a string of the file's size: no copy, no slack.
    result.text.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t size = 0;
    for (;;) {
        if (size == result.text.size()) {
            if (size > maxReadableFileBytes) {
                result.text = std::string(); // it grew while we read it
                return result;
            }
            result.text.resize(std::min<std::size_t>(size * 2 + 4096, maxReadableFileBytes + 1));
        }
        const ssize_t got = ::read(fd.get(), result.text.data() + size, result.text.size() - size);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.error = errno;
            result.status = FileReadResult::Status::Unreadable;
            result.text = std::string();
            return result;
        }
        if (got == 0) {
            break;
        }
        size += static_cast<std::size_t>(got);
    }
    result.text.resize(size);
    result.status = FileReadResult::Status::Read;
    return result;
}

int ReplaceFileAtomically(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::path target;
    if (const int error = ResolveTarget(file, target); error != 0) {
        return error;
    }
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    if (target == file) {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error) {
            return error.value();
        }
    }
    RemoveStaleTemporaries(target, ::getpid(), IsLiveProcess);

    std::filesystem::path temporary;
    FileDescriptor fd(CreateTemporary(target, temporary));
    if (!fd.valid()) {
        return errno;
    }
    struct stat old {};
    const bool keepMode = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    const bool written = WriteAll(fd.get(), text) &&
                         (!keepMode || ::fchmod(fd.get(), old.st_mode & 07777) == 0) &&
                         ::fsync(fd.get()) == 0 && fd.Close();
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return error;
    }
    // The rename is durable only once the folder itself reaches the disk.
    return SyncFolder(folder);
}

namespace {

std::filesystem::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir) {
        return entry->pw_dir;
    }
    return "."; // nowhere better: the current folder
}

} // namespace

std::filesystem::path SettingsFilePath() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    // A relative XDG_CONFIG_HOME is invalid and is ignored.
    std::filesystem::path base = configHome != nullptr ? configHome : "";
    if (!base.is_absolute()) {
        base = HomeFolder() / ".config";
    }
    return base / "varnisk" / "varnisk.ini";
}
