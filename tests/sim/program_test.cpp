// varnisk-sim as other programs meet it: exit status, what goes to standard
// output, standard input, and the command line.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Output {
    int status;
    std::string out;
    std::string err;
};

// A run that hangs ends after half a minute with status 124, and fails the test.
Output RunSim(const std::string& arguments, const std::string& input = "") {
    const std::string errors = "/tmp/varnisk-sim-stderr-" + std::to_string(getpid());
    const std::string command = "printf '%s' '" + input + "' | timeout 30 " + VARNISK_SIM_PATH +
                                " " + arguments + " 2>" + errors;
    FILE* pipe = popen(command.c_str(), "r");
    Output result{-1, "", ""};
    if (pipe == nullptr)
        return result;
    char buffer[4096];
    while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
        result.out.append(buffer, n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errors);
    result.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    std::remove(errors.c_str());
    return result;
}

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

TEST(Program, PrintsOneLinePerTickAndAFinalLineOrEndsAtExit) {
    const Output r = RunSim("--ticks 25 -", "0 command 40001\n3 key-down 32\n9 key-up 32\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(Lines(r.out), 26u);
    EXPECT_EQ(r.out.rfind("{\"tick\":0,\"mode\":0,", 0), 0u);
    EXPECT_NE(r.out.find("\n{\"final\":true,\"records\":[[{\"name\":\"QUILLMARE\""),
              std::string::npos);

    const Output exit = RunSim("--ticks 100 -", "4 command 40005\n");
    EXPECT_EQ(exit.status, 0);
    EXPECT_EQ(Lines(exit.out), 5u); // ticks 0..3, then the final line
    EXPECT_NE(exit.out.find("{\"final\":true"), std::string::npos);
}

TEST(Program, BadInputOrAFileItCannotUseExitsWithTwoAndSaysWhy) {
    const std::string folder = std::filesystem::temp_directory_path().string();
    for (const std::string& arguments : std::vector<std::string>{
             "--ticks x -", "--ticks -5 -", "--ticks", "--seed x -", "--seed -1 -",
             "--screen nope -", "--screen 3: -", "--nonsense -", "", "a b", "/nonexistent/script",
             folder, "--screen 3:/dev/null/x.bmp -", "--save " + folder + " -"}) {
        const Output r = RunSim(arguments, "0 command 40001\n");
        EXPECT_EQ(r.status, 2) << arguments;
        EXPECT_TRUE(r.out.empty()) << arguments;
        EXPECT_EQ(r.err.rfind("varnisk-sim: ", 0), 0u) << arguments;
    }
    EXPECT_NE(RunSim("--save " + folder + " -").err.find("'" + folder + "'"), std::string::npos);
    const Output bad = RunSim("-", "0 command 40001\n1 hop\n");
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.out.empty());
    // A disk that fills up only shows while the screen is written: the trace
    // is out by then, the status and the message still tell.
    const Output full = RunSim("--ticks 5 --screen 3:/dev/full -");
    EXPECT_EQ(full.status, 2);
    EXPECT_EQ(Lines(full.out), 6u);
    EXPECT_NE(full.err.find("'/dev/full'"), std::string::npos) << full.err;
}

// The menu bar's keyboard mode takes the tick's later keys and is closed
// when they run out, so a script reaches every item the keyboard reaches.
TEST(Program, MenuKeysChooseAsTheCommandWouldAndAnOpenMenuNeverHangs) {
    const auto trace = [](const std::string& script) { return RunSim("--ticks 12 -", script).out; };
    // Alt tapped alone, Down to New Game, Enter.
    EXPECT_EQ(trace("5 key-down 18\n5 key-up 18\n5 key-down 40\n5 key-down 13\n"),
              trace("5 command 40001\n"));
    // Alt with O opens the Option menu on Music; the releases go to the menu.
    EXPECT_EQ(trace("5 key-down 18\n5 key-down 79\n5 key-up 79\n5 key-up 18\n5 key-down 13\n"),
              trace("5 command 40013\n"));
    // F10 with the pull-down left open, then F10 alone: both closed unchosen
    // before the tick passes, and the next tick's events come as usual.
    const std::string later = trace("7 command 40001\n");
    EXPECT_EQ(trace("5 key-down 121\n5 key-down 40\n7 command 40001\n"), later);
    EXPECT_EQ(trace("5 key-down 121\n5 key-up 121\n7 command 40001\n"), later);
    // Space let go while the menu is open still ends the charge when it closes.
    const std::string charging = "0 command 40001\n3 key-down 32\n";
    EXPECT_EQ(trace(charging + "9 key-down 18\n9 key-up 18\n9 key-up 32\n"),
              trace(charging + "9 key-up 32\n"));
}
