// The end-to-end test's entry: GoogleTest takes its own flags, the rest say
// which program to run and how (e2e_options.h).

#include "tests/e2e/e2e_options.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

E2eOptions options;

} // namespace

const E2eOptions& Options() {
    return options;
}

bool ParseOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (i + 1 >= argc) {
            std::fprintf(stderr, "e2e: %s needs a value\n", flag.c_str());
            return false;
        }
        const std::string value = argv[++i];
        if (flag == "--game") {
            options.game = value;
        } else if (flag == "--xvfb") {
            options.xvfb = value;
        } else if (flag == "--screen") {
            options.screen = value;
        } else if (flag == "--zoom-setting") {
            options.zoomSetting = std::atoi(value.c_str());
        } else if (flag == "--expect-zoom") {
            options.expectedZoom = std::atoi(value.c_str());
        } else if (flag == "--name") {
            options.name = value;
        } else {
            std::fprintf(stderr, "e2e: unknown argument %s\n", flag.c_str());
            return false;
        }
    }
    if (options.game.empty()) {
        std::fprintf(stderr, "e2e: --game is missing\n");
        return false;
    }
    return true;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!ParseOptions(argc, argv)) {
        return 2;
    }
    return RUN_ALL_TESTS();
}
