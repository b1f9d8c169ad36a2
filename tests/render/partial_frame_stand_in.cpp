#include "tests/render/partial_frame_stand_in.h"

#include "core/ports.h"

namespace render_test {

std::function<void(GameState&)>& OnPartialFrame() {
    static std::function<void(GameState&)> hook;
    return hook;
}

} // namespace render_test

void DrawPartialFrame(GameState& state) {
    if (render_test::OnPartialFrame()) {
        render_test::OnPartialFrame()(state);
    }
}
