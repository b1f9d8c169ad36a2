#pragma once

#include <errno.h>

// What the backend tells the player on standard error goes under the
// program's own name, as a desktop program's complaints do: the name it was
// started as, without its folder (glibc keeps it for every program).
inline const char* ProgramName() {
    return program_invocation_short_name;
}
