#pragma once

#include "platform/user/backend.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

// The outside world for tests and the runner: a virtual clock that starts at
// 0 and moves only when asked to or when the program waits (it never
// sleeps), input scripted at virtual times, and a record of everything shown
// or asked for.
class HeadlessBackend final : public Backend {
  public:
    struct MessageBoxShown {
        std::string caption;
        std::string text;
        std::uint32_t type; // mb:: flags
    };
    // An effect as it sounded on the virtual clock: end is where it ran out
    // or was cut off (cut).
    struct EffectSounded {
        int id;
        std::uint32_t start;
        std::uint32_t end;
        bool toTheEnd;
        bool cut;
        int presentsBefore; // screens shown before it began: what it was heard over
    };
    // Every music command as it was given, and every notice as delivered.
    struct MusicEvent {
        enum class Kind { Open, Play, Stop, Close, Notice };
        Kind kind;
        std::uint32_t device;
        std::uint32_t time;
        int result;          // 0 or the mci error
        std::uint32_t flags; // a notice's flags
    };

    // Scripts an event for virtual time at; events come in time order, and
    // in the order pushed when their times are equal.
    void Push(InputEvent event, std::uint32_t at);
    // Moves the clock forward without delivering anything.
    void Advance(std::uint32_t milliseconds);
    std::size_t PendingInputCount() const { return script_.size(); }
    // Asked whenever the program would wait with nothing scripted before its
    // deadline, so a driver can feed a nested loop (an open menu) that it
    // does not run itself. Returning true means it scripted input or posted
    // a message for now: the wait then ends at once, the clock unmoved.
    void SetIdleHandler(std::function<bool()> handler) { idleHandler_ = std::move(handler); }

    std::uint32_t Now() override { return clock_; }
    // With no scripted event due before the deadline the clock jumps to the
    // deadline at once; otherwise to the event's time, and it is delivered.
    bool WaitEvent(std::uint32_t deadline, InputEvent& event) override;
    bool OpenScreen(std::int32_t width, std::int32_t height, std::string_view title,
                    std::span<const std::uint8_t> iconFile) override;
    void ShowScreen() override { screenShown_ = true; }
    void Present(const ScreenImage& image) override;
    // The box's own window, while the screen is not shown: what it showed
    // last stays in LastLoneImage.
    bool OpenLoneWindow(std::int32_t width, std::int32_t height, std::string_view title) override;
    void PresentLoneWindow(const ScreenImage& image) override;
    void CloseLoneWindow() override { loneWindowOpen_ = false; }
    // Every box is written down; with no handler it is answered at once as
    // Escape would (Cancel, or OK in a box with OK alone), so that nothing
    // ever waits for a player. A handler returns the button it presses, or
    // 0 to leave the box to the scripted input.
    int AnswerMessageBox(std::string_view caption, std::string_view text,
                         std::uint32_t type) override;
    void SetMessageBoxHandler(std::function<int(const MessageBoxShown&)> handler) {
        messageBoxHandler_ = std::move(handler);
    }
    bool OpenUrl(std::string_view url) override;
    void Beep() override { ++beepCount_; }

    // Audio on the virtual clock: nothing is heard, everything is written
    // down. An effect that plays to its end moves the clock by its length;
    // the music's end comes as a notice once the clock has reached it.
    void PlayWave(int id, std::span<const std::uint8_t> wave, bool toTheEnd) override;
    void StopWave() override;
    std::uint32_t OpenMidi(std::string_view file, int& error) override;
    int PlayMidi(std::uint32_t device, std::function<void(std::uint32_t)> onEnd) override;
    int StopMidi(std::uint32_t device) override;
    int CloseMidi(std::uint32_t device) override;

    // What was shown and asked for.
    bool ScreenOpened() const { return screenOpened_; }
    bool ScreenShown() const { return screenShown_; }
    std::int32_t ScreenWidth() const { return screenWidth_; }
    std::int32_t ScreenHeight() const { return screenHeight_; }
    const std::string& ScreenTitle() const { return screenTitle_; }
    std::size_t IconSize() const { return iconSize_; }
    int PresentCount() const { return presentCount_; }
    // The last presented image: indices top row first, and its palette.
    const std::vector<std::uint8_t>& LastImage() const { return lastImage_; }
    std::int32_t LastImageWidth() const { return lastWidth_; }
    std::int32_t LastImageHeight() const { return lastHeight_; }
    const PaletteEntries& LastPalette() const { return lastPalette_; }
    const std::vector<MessageBoxShown>& MessageBoxes() const { return messageBoxes_; }
    bool LoneWindowOpen() const { return loneWindowOpen_; }
    const std::vector<std::uint8_t>& LastLoneImage() const { return loneImage_; }
    std::int32_t LoneWidth() const { return loneWidth_; }
    std::int32_t LoneHeight() const { return loneHeight_; }
    const std::vector<std::string>& OpenedUrls() const { return openedUrls_; }
    int BeepCount() const { return beepCount_; }
    // Whether OpenUrl reports success (it does unless told otherwise).
    void SetOpenUrlSucceeds(bool succeeds) { openUrlSucceeds_ = succeeds; }

    // No sound card: effects and music are silent and leave no record.
    void SetAudioDevicePresent(bool present) { audioPresent_ = present; }
    // The runner counts time in its own ticks: there an effect that plays to
    // its end takes none.
    void SetBlockingEffectsTakeTime(bool takeTime) { blockingTakesTime_ = takeTime; }
    const std::vector<EffectSounded>& Effects() const { return effects_; }
    const std::vector<MusicEvent>& Music() const { return music_; }
    // Whether the music is sounding, and how long the open piece lasts.
    bool MusicPlaying() const { return musicPlaying_; }
    std::uint32_t MusicLengthMs() const { return musicLength_; }

  private:
    struct Scripted {
        InputEvent event;
        std::uint32_t at;
    };
    void CutEffect();
    void RecordMusic(MusicEvent::Kind kind, std::uint32_t device, int result,
                     std::uint32_t flags = 0);
    void EndPlay(std::uint32_t flags);
    // Hands the notices that are due to their receivers; true if any was.
    bool DeliverMusicNotices(std::uint32_t deadline);

    std::uint32_t clock_ = 0;
    std::deque<Scripted> script_;
    std::function<bool()> idleHandler_;

    bool audioPresent_ = true;
    bool blockingTakesTime_ = true;
    std::vector<EffectSounded> effects_;
    std::vector<MusicEvent> music_;
    std::uint32_t musicDevice_ = 0; // the open piece's device, 0 for none
    std::uint32_t lastDevice_ = 0;
    std::uint32_t musicLength_ = 0;
    bool musicPlaying_ = false;
    std::uint32_t musicEnd_ = 0;
    std::function<void(std::uint32_t)> onEnd_;
    struct Notice {
        std::function<void(std::uint32_t)> receiver;
        std::uint32_t device;
        std::uint32_t flags;
    };
    std::deque<Notice> notices_;

    bool screenOpened_ = false;
    bool screenShown_ = false;
    std::int32_t screenWidth_ = 0;
    std::int32_t screenHeight_ = 0;
    std::string screenTitle_;
    std::size_t iconSize_ = 0;
    int presentCount_ = 0;
    std::vector<std::uint8_t> lastImage_;
    std::int32_t lastWidth_ = 0;
    std::int32_t lastHeight_ = 0;
    PaletteEntries lastPalette_{};
    std::vector<MessageBoxShown> messageBoxes_;
    std::function<int(const MessageBoxShown&)> messageBoxHandler_;
    bool loneWindowOpen_ = false;
    std::int32_t loneWidth_ = 0;
    std::int32_t loneHeight_ = 0;
    std::vector<std::uint8_t> loneImage_;
    std::vector<std::string> openedUrls_;
    int beepCount_ = 0;
    bool openUrlSucceeds_ = true;
};
