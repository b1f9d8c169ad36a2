#include "platform/user/backend.h"

namespace {

// Stands in until a real backend is set, so that a stray call before start-up
// neither crashes nor waits: no input, a clock that never moves.
class DetachedBackend final : public Backend {
  public:
    std::uint32_t Now() override { return 0; }
    bool WaitEvent(std::uint32_t, InputEvent&) override { return false; }
    bool OpenScreen(std::int32_t, std::int32_t, std::string_view,
                    std::span<const std::uint8_t>) override {
        return false;
    }
    void ShowScreen() override {}
    void Present(const ScreenImage&) override {}
    void ShowMessageBox(std::string_view, std::string_view) override {}
    bool OpenUrl(std::string_view) override { return false; }
    void Beep() override {}
};

DetachedBackend detachedBackend;
Backend* currentBackend = nullptr;

} // namespace

void SetBackend(Backend* backend) {
    currentBackend = backend;
}

Backend& CurrentBackend() {
    if (currentBackend != nullptr) {
        return *currentBackend;
    }
    return detachedBackend;
}
