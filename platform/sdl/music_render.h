#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <thread>

// The music, rendered ahead: a worker thread plays the MIDI file through
// FluidSynth into 16-bit stereo PCM at the device's rate, far faster than
// it is heard, and frees the synthesizer and its soundfont when the piece
// is done. The mixer reads what is rendered so far while the rest comes.
// The piece ends where the file's last track ends, not where the
// synthesizer's notes have died away: that is when the music starts again.
class RenderedPiece {
  public:
    // One second of sound per block; a piece is kept for ten minutes at
    // most (106 MB), and a longer one ends there.
    static constexpr std::size_t maxBlocks = 600;
    // Stored at half scale so that a piece louder than full scale at the
    // synthesizer's gain is not clipped here; the mixer doubles it.
    static constexpr float storedScale = 16384.0F;

    RenderedPiece(std::string midiFile, std::string soundFont, int rate, float gain);
    ~RenderedPiece();
    RenderedPiece(const RenderedPiece&) = delete;
    RenderedPiece& operator=(const RenderedPiece&) = delete;

    // Frames that can be read now. Once Done(), the piece's whole length.
    std::size_t Rendered() const { return rendered_.load(std::memory_order_acquire); }
    bool Done() const { return done_.load(std::memory_order_acquire); }
    // Stops the rendering soon, without waiting for it (the destructor does).
    void Cancel() { cancelled_.store(true); }
    // Copies frames [from, from + out.size() / 2) that are rendered, as
    // interleaved stereo; the number of frames copied.
    std::size_t Read(std::size_t from, std::span<std::int16_t> out) const;

  private:
    void Render();
    // Adds frames (interleaved stereo); false when the ten minutes are full.
    bool Append(std::span<const float> left, std::span<const float> right);

    std::string midiFile_;
    std::string soundFont_;
    int rate_;
    float gain_;
    std::array<std::unique_ptr<std::int16_t[]>, maxBlocks> blocks_;
    std::atomic<std::size_t> rendered_{0};
    std::atomic<bool> done_{false};
    std::atomic<bool> cancelled_{false};
    std::thread worker_;
};

// Sends FluidSynth's errors and warnings to standard error under the
// program's name, each kind once (the same text with other numbers is the
// same kind); its chatter is dropped. Says whether the line was printed.
bool ReportSynthMessage(int level, const char* message);
void RouteSynthLog();
