#include "file_io.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
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

bool SyncFolder(const std::filesystem::path& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid()) {
        return false;
    }
    // Some file systems cannot sync a folder at all; there is nothing more to
    // do for them.
    return ::fsync(fd.get()) == 0 || errno == EINVAL;
}

// The file a save must replace: a symbolic link is followed to its target so
// that a linked settings file stays linked.
std::filesystem::path ResolveTarget(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_symlink(file, error)) {
        return file;
    }
    const std::filesystem::path target = std::filesystem::weakly_canonical(file, error);
    return error ? file : target;
}

// A name in the folder that no other save uses at the same time.
std::filesystem::path TemporaryName(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    // Built front to back: GCC 12 at -O3 takes a literal put in front of a
    // temporary string for a copy that overlaps itself, and warns.
    std::string name = ".";
    name += target.filename().string();
    name += ".tmp-";
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(counter++);
    return target.parent_path() / name;
}

// Creates a fresh temporary file; its permissions are those of a new file
// (the umask applies) unless the old file's are given.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = TemporaryName(target);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

} // namespace

FileReadResult ReadWholeFile(const std::filesystem::path& file) {
    FileReadResult result;
    // Non-blocking, so that a pipe at the path cannot hang the game.
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        const bool missing = errno == ENOENT || errno == ENOTDIR;
        result.status =
            missing ? FileReadResult::Status::Missing : FileReadResult::Status::Unreadable;
        return result;
    }
    result.status = FileReadResult::Status::Unreadable;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::uintmax_t>(info.st_size) > maxReadableFileBytes) {
        return result;
    }
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.text.clear();
            return result;
        }
        if (got == 0) {
            break;
        }
        result.text.append(buffer, static_cast<std::size_t>(got));
        if (result.text.size() > maxReadableFileBytes) {
            result.text.clear(); // it grew while we read it
            return result;
        }
    }
    result.status = FileReadResult::Status::Read;
    return result;
}

bool ReplaceFileAtomically(const std::filesystem::path& file, const std::string& text) {
    const std::filesystem::path target = ResolveTarget(file);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return false;
    }

    std::filesystem::path temporary;
    FileDescriptor fd(CreateTemporary(target, temporary));
    if (!fd.valid()) {
        return false;
    }
    struct stat old {};
    const bool keepMode = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    const bool written = WriteAll(fd.get(), text) &&
                         (!keepMode || ::fchmod(fd.get(), old.st_mode & 07777) == 0) &&
                         ::fsync(fd.get()) == 0 && fd.Close();
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename is durable only once the folder itself reaches the disk.
    return SyncFolder(folder);
}
