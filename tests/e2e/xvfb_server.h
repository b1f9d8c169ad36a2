#pragma once

// A private virtual X server for one test run. Xvfb picks a free display
// number itself and reports it through a pipe (-displayfd), so parallel runs
// never collide; the server goes away with this object.

#include "tests/e2e/child_process.h"

#include <memory>
#include <string>

class XvfbServer {
  public:
    // program: the Xvfb binary; screen: "WIDTHxHEIGHTxDEPTH"; the server's
    // own output goes to logFile.
    XvfbServer(const std::string& program, const std::string& screen, const std::string& logFile);

    // Empty when the server did not come up within the timeout.
    const std::string& DisplayName() const { return display_; }

  private:
    std::unique_ptr<ChildProcess> process_;
    std::string display_;
};
