#include "tests/e2e/child_process.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

ChildProcess::ChildProcess(const ChildOptions& options) {
    std::vector<std::string> args = options.argv, env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text(*entry);
        if (!options.environment.contains(text.substr(0, text.find('='))))
            env.push_back(text);
    }
    for (const auto& [name, value] : options.environment)
        if (value)
            env.push_back(name + "=" + *value);
    const auto pointers = [](std::vector<std::string>& strings) {
        std::vector<char*> out;
        out.reserve(strings.size() + 1);
        for (std::string& s : strings)
            out.push_back(s.data());
        out.push_back(nullptr);
        return out;
    };
    const std::vector<char*> argv = pointers(args), envp = pointers(env);
    const int outputFd =
        options.outputFile.empty()
            ? -1
            : open(options.outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (options.keepOpen >= 0)
        fcntl(options.keepOpen, F_SETFD, 0); // no close-on-exec for this one
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
        // Only async-signal-safe calls until exec. Should the test itself be
        // killed (a CTest timeout), the child goes too.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(125); // the test was already gone
        if (outputFd >= 0)
            dup2(outputFd, STDOUT_FILENO), dup2(outputFd, STDERR_FILENO);
        if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0)
            _exit(126);
        setpgid(0, 0); // its own process group: nothing the child starts outlives a kill
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    if (pid_ > 0)
        setpgid(pid_, pid_); // also from here, so a kill never races the child's own call
    else
        std::perror("e2e: fork");
    if (options.keepOpen >= 0)
        fcntl(options.keepOpen, F_SETFD, FD_CLOEXEC);
    if (outputFd >= 0)
        close(outputFd);
}

bool ChildProcess::Reap(bool block) {
    if (pid_ <= 0)
        return true;
    int status = 0;
    pid_t got = 0;
    do {
        got = waitpid(pid_, &status, block ? 0 : WNOHANG);
    } while (got < 0 && errno == EINTR);
    if (got == 0)
        return false;
    if (got == pid_)
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    kill(-pid_, SIGKILL); // whatever the child left in its group goes with it
    pid_ = -1;
    return true;
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!Reap(false)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return status_;
}

void ChildProcess::Stop() {
    if (pid_ <= 0)
        return;
    kill(-pid_, SIGTERM);
    if (!WaitForExit(std::chrono::seconds(5))) {
        kill(-pid_, SIGKILL);
        Reap(true);
    }
}

std::unique_ptr<ChildProcess> StartXvfb(const std::string& program, const std::string& screen,
                                        const std::string& logFile, std::string& display) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        std::perror("e2e: pipe");
        return nullptr;
    }
    auto server = std::make_unique<ChildProcess>(
        ChildOptions{.argv = {program, "-displayfd", std::to_string(pipeFds[1]), "-screen", "0",
                              screen, "-nolisten", "tcp", "-noreset"},
                     .outputFile = logFile,
                     .keepOpen = pipeFds[1]});
    close(pipeFds[1]);
    // The number, up to its newline; nothing when the server ends or stays silent.
    std::string number;
    char c = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (server->Started() && c != '\n' && std::chrono::steady_clock::now() < deadline) {
        pollfd wanted{pipeFds[0], POLLIN, 0};
        const int ready = poll(&wanted, 1, 200);
        if ((ready < 0 && errno != EINTR) || (ready > 0 && read(pipeFds[0], &c, 1) != 1))
            break;
        if (ready > 0 && c != '\n')
            number.push_back(c);
    }
    close(pipeFds[0]);
    display = c == '\n' && !number.empty() ? ":" + number : "";
    return server;
}
