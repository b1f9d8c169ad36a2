#pragma once

// A program the test starts and always takes down again (politely, then for
// sure), so a failing test leaves no stray process behind.

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

struct ChildOptions {
    std::vector<std::string> argv{};
    // Set (or, with an empty optional, removed) on top of this process's own.
    std::map<std::string, std::optional<std::string>> environment{};
    std::string workingDirectory{}; // empty: this process's
    std::string outputFile{};       // empty: inherit stdout and stderr
    int keepOpen = -1;              // a descriptor the child inherits; every other stays out
};

class ChildProcess {
  public:
    explicit ChildProcess(const ChildOptions& options);
    ~ChildProcess() { Stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    // The exit status (128 + signal for a signal) if it ends within the timeout.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
    bool Running() { return !Reap(false); }
    // SIGTERM, a grace period, then SIGKILL; reaps the child.
    void Stop();

  private:
    bool Reap(bool block);

    pid_t pid_ = -1;
    std::optional<int> status_;
};

// A private X server for one run; Xvfb picks a free display and reports it
// through a pipe, so parallel runs never collide. screen: "WxHxD"; `display`
// stays empty when the server did not come up in time.
std::unique_ptr<ChildProcess> StartXvfb(const std::string& program, const std::string& screen,
                                        const std::string& logFile, std::string& display);
