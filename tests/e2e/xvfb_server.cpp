#include "tests/e2e/xvfb_server.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr auto startTimeout = std::chrono::seconds(30);

// Reads what the server writes to the pipe up to its newline: the number.
std::string ReadDisplayNumber(int fd) {
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + startTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd wanted{fd, POLLIN, 0};
        const int ready = poll(&wanted, 1, 200);
        if (ready < 0 && errno != EINTR) {
            break;
        }
        if (ready <= 0) {
            continue;
        }
        char c = 0;
        const ssize_t got = read(fd, &c, 1);
        if (got <= 0) {
            break; // the server ended before it said anything
        }
        if (c == '\n') {
            return number;
        }
        number.push_back(c);
    }
    return {};
}

} // namespace

XvfbServer::XvfbServer(const std::string& program, const std::string& screen,
                       const std::string& logFile) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        std::perror("e2e: pipe");
        return;
    }
    ChildOptions options;
    options.argv = {program,     "-displayfd", std::to_string(pipeFds[1]),
                    "-screen",   "0",          screen,
                    "-nolisten", "tcp",        "-noreset"};
    options.outputFile = logFile;
    options.keepOpen = {pipeFds[1]};
    process_ = std::make_unique<ChildProcess>(options);
    close(pipeFds[1]);
    const std::string number = process_->Started() ? ReadDisplayNumber(pipeFds[0]) : "";
    close(pipeFds[0]);
    if (!number.empty()) {
        display_ = ":" + number;
    }
}
