#include "window_system.h"

namespace {

// Stands in while no window system runs, so that a stray call before
// start-up or after shutdown neither crashes nor waits: no input, a clock
// that never moves. It holds nothing, so nothing of it needs resetting.
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
    bool OpenUrl(std::string_view) override { return false; }
    void Beep() override {}
};

} // namespace

Backend& StandInBackend() {
    static DetachedBackend detached;
    return detached;
}
