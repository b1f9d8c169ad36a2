#include "platform/headless/headless_backend.h"

#include "platform/user/dialog.h"

#include <algorithm>

namespace {

bool NotAfter(std::uint32_t time, std::uint32_t limit) {
    return static_cast<std::int32_t>(time - limit) <= 0;
}

} // namespace

void HeadlessBackend::Push(InputEvent event, std::uint32_t at) {
    // After every event due no later than this one: equal times keep their order.
    auto position = std::find_if(script_.begin(), script_.end(),
                                 [at](const Scripted& s) { return !NotAfter(s.at, at); });
    script_.insert(position, Scripted{std::move(event), at});
}

void HeadlessBackend::Advance(std::uint32_t milliseconds) {
    clock_ += milliseconds;
}

bool HeadlessBackend::WaitEvent(std::uint32_t deadline, InputEvent& event) {
    // A notice is a posted message: it comes before later input.
    const std::uint32_t noticeBy =
        !script_.empty() && NotAfter(script_.front().at, deadline) ? script_.front().at : deadline;
    if (DeliverMusicNotices(noticeBy)) {
        return false;
    }
    if (!script_.empty() &&
        (NotAfter(script_.front().at, clock_) || NotAfter(script_.front().at, deadline))) {
        if (!NotAfter(script_.front().at, clock_)) {
            clock_ = script_.front().at; // waited until it came
        }
        event = std::move(script_.front().event);
        script_.pop_front();
        return true;
    }
    if (!NotAfter(deadline, clock_)) {
        if (idleHandler_ && idleHandler_()) {
            return false; // something came for now: look again before any time passes
        }
        clock_ = deadline;
    }
    return false;
}

bool HeadlessBackend::OpenScreen(std::int32_t width, std::int32_t height, std::string_view title,
                                 std::span<const std::uint8_t> iconFile) {
    screenOpened_ = true;
    screenWidth_ = width;
    screenHeight_ = height;
    screenTitle_ = std::string(title);
    iconSize_ = iconFile.size();
    return true;
}

void HeadlessBackend::Present(const ScreenImage& image) {
    ++presentCount_;
    lastWidth_ = image.width;
    lastHeight_ = image.height;
    lastImage_.assign(image.indices.begin(), image.indices.end());
    if (image.palette != nullptr) {
        lastPalette_ = *image.palette;
    }
}

bool HeadlessBackend::OpenLoneWindow(std::int32_t width, std::int32_t height, std::string_view) {
    loneWindowOpen_ = true;
    loneWidth_ = width;
    loneHeight_ = height;
    loneImage_.clear();
    return true;
}

void HeadlessBackend::PresentLoneWindow(const ScreenImage& image) {
    loneImage_.assign(image.indices.begin(), image.indices.end());
}

int HeadlessBackend::AnswerMessageBox(std::string_view caption, std::string_view text,
                                      std::uint32_t type) {
    messageBoxes_.push_back(MessageBoxShown{std::string(caption), std::string(text), type});
    if (messageBoxHandler_) {
        return messageBoxHandler_(messageBoxes_.back());
    }
    return (type & 0x0F) == mb::retryCancel ? idCancel : idOk;
}

bool HeadlessBackend::OpenUrl(std::string_view url) {
    openedUrls_.emplace_back(url);
    return openUrlSucceeds_;
}
