#include "window_system.h"

void MessageBox(std::string_view caption, std::string_view text) {
    CurrentBackend().ShowMessageBox(caption, text);
}

bool OpenUrl(std::string_view url) {
    return CurrentBackend().OpenUrl(url);
}

void MessageBeep() {
    CurrentBackend().Beep();
}

std::uint32_t GetTickCount() {
    return CurrentBackend().Now();
}
