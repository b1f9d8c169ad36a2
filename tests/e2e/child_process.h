#pragma once

// A program the test starts and always takes down again: the destructor ends
// it (politely, then for sure) and reaps it, so a failing test leaves no
// stray process behind.

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

struct ChildOptions {
    std::vector<std::string> argv;
    // Set (or, with an empty optional, removed) on top of this process's own.
    std::map<std::string, std::optional<std::string>> environment;
    std::string workingDirectory; // empty: this process's
    std::string outputFile;       // empty: inherit stdout and stderr
    std::vector<int> keepOpen;    // descriptors the child inherits
    // How long Stop waits after SIGTERM before it kills.
    std::chrono::milliseconds stopGrace = std::chrono::seconds(5);
};

class ChildProcess {
  public:
    explicit ChildProcess(const ChildOptions& options);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    // The exit status once the child has ended by itself within the timeout
    // (128 + signal for a signal); nothing while it still runs.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
    bool Running();
    // SIGTERM, a grace period, then SIGKILL; reaps the child.
    void Stop();

  private:
    bool Reap(bool block);

    std::chrono::milliseconds stopGrace_;
    pid_t pid_ = -1;
    std::optional<int> status_;
};
