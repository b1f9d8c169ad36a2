// The program's command line as a shell user meets it: help and version on
// standard output with status 0, anything else refused on standard error
// with status 2, and never a game started behind the player's back.

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

std::string GamePath(); // from the scenario's command line

namespace {

struct Answer {
    int status;
    std::string text; // the one stream asked for
};

// No display, and a settings folder of its own: a game that started anyway
// shows nothing, touches no player's file and is ended by the timeout (124).
Answer Ask(const std::string& arguments, bool standardError) {
    const std::string config =
        (std::filesystem::temp_directory_path() / ("varnisk-cli-" + std::to_string(getpid())))
            .string();
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME=" + config +
                                " timeout 20 " + GamePath() + " " + arguments +
                                (standardError ? " 2>&1 >/dev/null" : " 2>/dev/null");
    Answer answer{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return answer;
    char buffer[4096];
    while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
        answer.text.append(buffer, n);
    const int status = pclose(pipe);
    answer.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::filesystem::remove_all(config);
    return answer;
}

} // namespace

TEST(CommandLine, AnswersHelpAndVersionAndRefusesWhatItDoesNotKnow) {
    for (const char* help : {"--help", "-h"}) {
        const Answer usage = Ask(help, false);
        EXPECT_EQ(usage.status, 0) << help;
        EXPECT_EQ(usage.text.rfind("usage: varnisk ", 0), 0u) << usage.text;
        EXPECT_NE(usage.text.find("varnisk.ini"), std::string::npos) << usage.text;
    }
    const Answer version = Ask("--version", false);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.text, "varnisk " VARNISK_VERSION "\n");

    for (const char* wrong : {"--bogus", "-x", "--version=2", "level1", "--help=no"}) {
        const Answer refused = Ask(wrong, true);
        EXPECT_EQ(refused.status, 2) << wrong;
        // One line, naming the program and what it could not use.
        EXPECT_EQ(refused.text.rfind("varnisk: ", 0), 0u) << refused.text;
        EXPECT_NE(refused.text.find(std::string(wrong).substr(0, std::string(wrong).find('='))),
                  std::string::npos)
            << refused.text;
        EXPECT_NE(refused.text.find("usage: varnisk"), std::string::npos) << refused.text;
        EXPECT_EQ(refused.text.find('\n'), refused.text.size() - 1) << refused.text;
        EXPECT_TRUE(Ask(wrong, false).text.empty()) << wrong;
    }
}
