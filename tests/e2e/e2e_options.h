#pragma once

// What one run of the end-to-end scenario is about, from its command line:
//   --game PATH        the varnisk program to run
//   --xvfb PATH        the Xvfb program
//   --screen WxHxD     the virtual X screen
//   --zoom-setting N   a settings file with [Setting] Zoom=N before start (0: none)
//   --expect-zoom N    the factor the window must show (0: only reported)
//   --name NAME        names the run's saved pictures

#include <string>

struct E2eOptions {
    std::string game;
    std::string xvfb = "/usr/bin/Xvfb";
    std::string screen = "1280x800x24";
    int zoomSetting = 0;
    int expectedZoom = 0;
    std::string name = "e2e";
};

const E2eOptions& Options();
// False, with a message, for an unknown or incomplete argument.
bool ParseOptions(int argc, char** argv);
