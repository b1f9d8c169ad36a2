#include "window_system.h"

bool OpenUrl(std::string_view url) {
    return CurrentBackend().OpenUrl(url);
}

void MessageBeep() {
    CurrentBackend().Beep();
}

std::uint32_t GetTickCount() {
    return CurrentBackend().Now();
}
