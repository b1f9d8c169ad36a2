#include "tests/e2e/child_process.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace std::chrono_literals;

ChildOptions Shell(const std::string& script) {
    ChildOptions options;
    options.argv = {"/bin/sh", "-c", script};
    return options;
}

TEST(ChildProcess, ReportsTheExitStatusAndAKillingSignal) {
    ChildProcess exits(Shell("exit 3"));
    EXPECT_EQ(exits.WaitForExit(10s), 3);
    ChildProcess killed(Shell("kill -SEGV $$"));
    EXPECT_EQ(killed.WaitForExit(10s), 128 + SIGSEGV);
    ChildOptions missingProgram;
    missingProgram.argv = {"/nonexistent/program"};
    ChildProcess missing(missingProgram);
    EXPECT_EQ(missing.WaitForExit(10s), 127);
}

TEST(ChildProcess, SetsAndRemovesVariablesAndWritesItsOutputToTheFile) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::filesystem::path output = folder / "varnisk-e2e-child-output.txt";
    setenv("VARNISK_E2E_INHERITED", "kept", 1);
    setenv("VARNISK_E2E_REMOVED", "here", 1);
    ChildOptions options =
        Shell("echo \"$VARNISK_E2E_SET $VARNISK_E2E_INHERITED ${VARNISK_E2E_REMOVED-gone}\"; "
              "pwd >&2");
    options.environment = {{"VARNISK_E2E_SET", "new"}, {"VARNISK_E2E_REMOVED", std::nullopt}};
    options.workingDirectory = folder.string();
    options.outputFile = output.string();
    ChildProcess child(options);
    EXPECT_EQ(child.WaitForExit(10s), 0);
    std::ifstream in(output);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "new kept gone");
    std::getline(in, line);
    EXPECT_EQ(std::filesystem::canonical(line), std::filesystem::canonical(folder));
    std::filesystem::remove(output);
    unsetenv("VARNISK_E2E_INHERITED");
    unsetenv("VARNISK_E2E_REMOVED");
}

TEST(ChildProcess, StoppingEndsTheChildAndWhatItStarted) {
    const std::filesystem::path pidFile =
        std::filesystem::temp_directory_path() / "varnisk-e2e-grandchild.pid";
    std::filesystem::remove(pidFile);
    // A shell that ignores the polite request and has a child of its own.
    ChildOptions options =
        Shell("trap '' TERM; sleep 60 & echo $! > " + pidFile.string() + "; wait");
    options.stopGrace = 200ms;
    auto child = std::make_unique<ChildProcess>(options);
    while (!std::filesystem::exists(pidFile) || std::filesystem::file_size(pidFile) == 0) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(child->WaitForExit(100ms), std::nullopt);
    EXPECT_TRUE(child->Running());
    pid_t grandchild = 0;
    std::ifstream(pidFile) >> grandchild;
    ASSERT_GT(grandchild, 0);
    const auto before = std::chrono::steady_clock::now();
    child.reset(); // the destructor stops it
    EXPECT_LT(std::chrono::steady_clock::now() - before, 5s);
    // The sleeper was ours only through the shell; its group went with it.
    bool gone = false;
    for (int tries = 0; tries < 200 && !gone; ++tries) {
        gone = kill(grandchild, 0) != 0;
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_TRUE(gone);
    std::filesystem::remove(pidFile);
}

} // namespace
