// The headless backend's sound: nothing is heard, everything is timed on
// the virtual clock and written down for tests and the runner.

#include "platform/headless/headless_backend.h"
#include "sound_lengths.h"

#include <fstream>
#include <iterator>
#include <string>

namespace {

bool NotAfter(std::uint32_t time, std::uint32_t limit) {
    return static_cast<std::int32_t>(time - limit) <= 0;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view file) {
    std::ifstream in{std::string(file), std::ios::binary};
    if (!in) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

} // namespace

void HeadlessBackend::CutEffect() {
    if (!effects_.empty() && !NotAfter(effects_.back().end, clock_)) {
        effects_.back().end = clock_;
        effects_.back().cut = true;
    }
}

void HeadlessBackend::PlayWave(int id, std::span<const std::uint8_t> wave, bool toTheEnd) {
    if (!audioPresent_) {
        return; // no sound card: nothing sounds, nothing holds the game
    }
    CutEffect();
    const std::uint32_t length = WaveLengthMs(wave).value_or(0);
    effects_.push_back(EffectSounded{id, clock_, clock_ + length, toTheEnd, false, presentCount_});
    if (toTheEnd && blockingTakesTime_) {
        clock_ += length; // the program is held while it sounds
    }
}

void HeadlessBackend::StopWave() {
    CutEffect();
}

void HeadlessBackend::RecordMusic(MusicEvent::Kind kind, std::uint32_t device, int result,
                                  std::uint32_t flags) {
    music_.push_back(MusicEvent{kind, device, clock_, result, flags});
}

// The current play ends: its notice goes out with the next wait.
void HeadlessBackend::EndPlay(std::uint32_t flags) {
    if (musicPlaying_) {
        musicPlaying_ = false;
        notices_.push_back(Notice{std::move(onEnd_), musicDevice_, flags});
        onEnd_ = nullptr;
    }
}

std::uint32_t HeadlessBackend::OpenMidi(std::string_view file, int& error) {
    const std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(file);
    const std::optional<std::uint32_t> length =
        bytes ? MidiLengthMs(*bytes) : std::optional<std::uint32_t>();
    error = !bytes              ? mci::errorFileNotFound
            : !length           ? mci::errorInvalidFile
            : !audioPresent_    ? mci::errorDeviceNotReady
            : musicDevice_ != 0 ? mci::errorDeviceNotReady // one piece at a time
                                : 0;
    if (error == 0) {
        musicDevice_ = ++lastDevice_;
        musicLength_ = *length;
    }
    RecordMusic(MusicEvent::Kind::Open, musicDevice_, error);
    return error == 0 ? musicDevice_ : 0;
}

int HeadlessBackend::PlayMidi(std::uint32_t device, std::function<void(std::uint32_t)> onEnd) {
    const int result = device != 0 && device == musicDevice_ ? 0 : mci::errorInvalidDevice;
    if (result == 0) {
        EndPlay(mci::notifySuperseded);
        musicPlaying_ = true;
        musicEnd_ = clock_ + musicLength_;
        onEnd_ = std::move(onEnd);
    }
    RecordMusic(MusicEvent::Kind::Play, device, result);
    return result;
}

int HeadlessBackend::StopMidi(std::uint32_t device) {
    const int result = device != 0 && device == musicDevice_ ? 0 : mci::errorInvalidDevice;
    if (result == 0) {
        EndPlay(mci::notifyAborted);
    }
    RecordMusic(MusicEvent::Kind::Stop, device, result);
    return result;
}

int HeadlessBackend::CloseMidi(std::uint32_t device) {
    const int result = device != 0 && device == musicDevice_ ? 0 : mci::errorInvalidDevice;
    if (result == 0) {
        EndPlay(mci::notifyAborted);
        musicDevice_ = 0;
    }
    RecordMusic(MusicEvent::Kind::Close, device, result);
    return result;
}

bool HeadlessBackend::DeliverMusicNotices(std::uint32_t deadline) {
    if (musicPlaying_ && (NotAfter(musicEnd_, clock_) || NotAfter(musicEnd_, deadline))) {
        if (!NotAfter(musicEnd_, clock_)) {
            clock_ = musicEnd_; // waited until the piece ran out
        }
        EndPlay(mci::notifySuccessful);
    }
    if (notices_.empty()) {
        return false;
    }
    // A receiver may play again, which queues nothing new until that play ends.
    std::deque<Notice> due;
    due.swap(notices_);
    for (Notice& notice : due) {
        RecordMusic(MusicEvent::Kind::Notice, notice.device, 0, notice.flags);
        if (notice.receiver) {
            notice.receiver(notice.flags);
        }
    }
    return true;
}
