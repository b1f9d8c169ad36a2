#include "tests/e2e/child_process.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <set>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

std::vector<std::string>
MergedEnvironment(const std::map<std::string, std::optional<std::string>>& changes) {
    std::vector<std::string> merged;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text(*entry);
        const std::string name = text.substr(0, text.find('='));
        if (changes.find(name) == changes.end()) {
            merged.push_back(text);
        }
    }
    for (const auto& [name, value] : changes) {
        if (value) {
            merged.push_back(name + "=" + *value);
        }
    }
    return merged;
}

std::vector<char*> PointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Runs in the forked child: only async-signal-safe calls until exec.
[[noreturn]] void ExecChild(const ChildOptions& options, char* const* argv, char* const* envp,
                            int outputFd, pid_t parent) {
    // Should the test itself be killed (a CTest timeout), the child goes too.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) {
        _exit(125); // the test was already gone
    }
    if (outputFd >= 0) {
        dup2(outputFd, STDOUT_FILENO);
        dup2(outputFd, STDERR_FILENO);
    }
    if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0) {
        _exit(126);
    }
    // Its own process group: nothing the child starts outlives a kill.
    setpgid(0, 0);
    execve(argv[0], argv, envp);
    _exit(127);
}

} // namespace

ChildProcess::ChildProcess(const ChildOptions& options) : stopGrace_(options.stopGrace) {
    std::vector<std::string> args = options.argv;
    std::vector<std::string> env = MergedEnvironment(options.environment);
    std::vector<char*> argv = PointersTo(args);
    std::vector<char*> envp = PointersTo(env);
    int outputFd = -1;
    if (!options.outputFile.empty()) {
        outputFd = open(options.outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    }
    // Every other descriptor of the test stays out of the child.
    const std::set<int> keep(options.keepOpen.begin(), options.keepOpen.end());
    for (const int fd : keep) {
        fcntl(fd, F_SETFD, fcntl(fd, F_GETFD) & ~FD_CLOEXEC);
    }
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
        ExecChild(options, argv.data(), envp.data(), outputFd, parent);
    }
    if (pid_ > 0) {
        setpgid(pid_, pid_); // also from here, so a kill never races the child's own call
    } else {
        std::perror("e2e: fork");
    }
    for (const int fd : keep) {
        fcntl(fd, F_SETFD, fcntl(fd, F_GETFD) | FD_CLOEXEC);
    }
    if (outputFd >= 0) {
        close(outputFd);
    }
}

ChildProcess::~ChildProcess() {
    Stop();
}

bool ChildProcess::Reap(bool block) {
    if (pid_ <= 0) {
        return true;
    }
    int status = 0;
    pid_t got = 0;
    do {
        got = waitpid(pid_, &status, block ? 0 : WNOHANG);
    } while (got < 0 && errno == EINTR);
    if (got == 0) {
        return false;
    }
    if (got == pid_) {
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    // Whatever the child left in its group goes with it.
    kill(-pid_, SIGKILL);
    pid_ = -1;
    return true;
}

bool ChildProcess::Running() {
    return !Reap(false);
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!Reap(false)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return status_;
}

void ChildProcess::Stop() {
    if (pid_ <= 0) {
        return;
    }
    kill(-pid_, SIGTERM);
    if (!WaitForExit(stopGrace_)) {
        kill(-pid_, SIGKILL);
        Reap(true);
    }
}
