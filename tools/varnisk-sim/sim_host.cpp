#include "tools/varnisk-sim/sim_host.h"

SimHost& Host() {
    static SimHost host;
    return host;
}

void ResetHost() {
    Host() = SimHost{};
}
