// varnisk-sim as other programs meet it: exit status, what goes to standard
// output, standard input, and the command line.

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

namespace {

struct Output {
    int status;
    std::string out;
};

Output RunSim(const std::string& arguments, const std::string& input = "") {
    const std::string command =
        "printf '%s' '" + input + "' | " + VARNISK_SIM_PATH + " " + arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    Output result{-1, ""};
    if (pipe == nullptr)
        return result;
    char buffer[4096];
    while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
        result.out.append(buffer, n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

TEST(Program, BadInputExitsWithTwoAndPrintsNothing) {
    for (const std::string arguments :
         {"--ticks x -", "--ticks -5 -", "--ticks", "--seed x -", "--seed -1 -", "--screen nope -",
          "--screen 3: -", "--nonsense -", "", "a b", "/nonexistent/script"}) {
        const Output r = RunSim(arguments, "0 command 40001\n");
        EXPECT_EQ(r.status, 2) << arguments;
        EXPECT_TRUE(r.out.empty()) << arguments;
    }
    const Output bad = RunSim("-", "0 command 40001\n1 hop\n");
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.out.empty());
}
