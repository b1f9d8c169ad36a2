#include "music_render.h"

#include "program_name.h"

#include <SDL.h>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fluidsynth.h>
#include <malloc.h>
#include <mutex>
#include <set>
#include <vector>

namespace {

// FluidSynth renders in blocks of this many frames; the piece's end is
// found to within one.
constexpr int renderFrames = 64;

std::mutex logMutex;

// While a piece renders, its worker keeps the synthesizer's complaints
// here: a piece that renders to nothing is then told in one line, with
// the first of them as the reason.
thread_local std::vector<std::string>* heldMessages = nullptr;

void OnSynthLog(int level, const char* message, void*) {
    if (heldMessages != nullptr) {
        heldMessages->emplace_back(message != nullptr ? message : "");
        return;
    }
    ReportSynthMessage(level, message);
}

// One line of the synthesizer's text, without its line ends.
std::string OneLine(std::string_view text) {
    std::string line{text};
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return line;
}

std::int16_t Stored(float sample) {
    const float scaled = std::clamp(sample * RenderedPiece::storedScale, -32768.0F, 32767.0F);
    return static_cast<std::int16_t>(std::lrint(scaled));
}

} // namespace

bool ReportSynthMessage(int level, const char* message) {
    if (level != FLUID_PANIC && level != FLUID_ERR && level != FLUID_WARN) {
        return false;
    }
    const std::string line = OneLine(message != nullptr ? message : "");
    // "Ringbuffer full" a million times, or one failure per note with the
    // note in it, is one kind of message: the text with its numbers out.
    std::string kind;
    for (const char c : line) {
        if (std::isdigit(static_cast<unsigned char>(c)) == 0) {
            kind += c;
        }
    }
    static std::set<std::string> told;
    const std::lock_guard lock{logMutex};
    if (!told.insert(kind).second) {
        return false;
    }
    std::fprintf(stderr, "%s: music: %s\n", ProgramName(), line.c_str());
    return true;
}

void RouteSynthLog() {
    for (const int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN}) {
        fluid_set_log_function(level, OnSynthLog, nullptr);
    }
    for (const int level : {FLUID_INFO, FLUID_DBG}) {
        fluid_set_log_function(level, nullptr, nullptr);
    }
}

RenderedPiece::RenderedPiece(std::string midiFile, std::string soundFont, int rate, float gain)
    : midiFile_(std::move(midiFile)), soundFont_(std::move(soundFont)), rate_(rate), gain_(gain) {
    worker_ = std::thread([this] { Render(); });
}

RenderedPiece::~RenderedPiece() {
    cancelled_.store(true);
    worker_.join();
}

bool RenderedPiece::Append(std::span<const float> left, std::span<const float> right) {
    const auto blockFrames = static_cast<std::size_t>(rate_);
    std::size_t at = rendered_.load(std::memory_order_relaxed);
    for (std::size_t i = 0; i < left.size(); ++i, ++at) {
        const std::size_t block = at / blockFrames;
        if (block >= maxBlocks) {
            rendered_.store(at, std::memory_order_release);
            return false;
        }
        if (!blocks_[block]) {
            blocks_[block] = std::make_unique<std::int16_t[]>(2 * blockFrames);
        }
        std::int16_t* frame = &blocks_[block][2 * (at % blockFrames)];
        frame[0] = Stored(left[i]);
        frame[1] = Stored(right[i]);
    }
    rendered_.store(at, std::memory_order_release);
    return true;
}

std::size_t RenderedPiece::Read(std::size_t from, std::span<std::int16_t> out) const {
    const auto blockFrames = static_cast<std::size_t>(rate_);
    const std::size_t end = std::min(Rendered(), from + out.size() / 2);
    std::size_t at = from;
    while (at < end) {
        const std::size_t inBlock = at % blockFrames;
        const std::size_t count = std::min(end - at, blockFrames - inBlock);
        const std::int16_t* source = &blocks_[at / blockFrames][2 * inBlock];
        std::copy(source, source + 2 * count,
                  out.begin() + static_cast<std::ptrdiff_t>(2 * (at - from)));
        at += count;
    }
    return end > from ? end - from : 0;
}

void RenderedPiece::Render() {
    // Far ahead of the ear even at a low priority; the game's own thread
    // comes first.
    SDL_SetThreadPriority(SDL_THREAD_PRIORITY_LOW);
    std::vector<std::string> messages;
    heldMessages = &messages;
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", rate_);
    fluid_settings_setnum(settings, "synth.gain", gain_);
    // Only the instruments the piece chooses are read from the soundfont,
    // and nothing is locked in memory: it is all freed in a few seconds.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    fluid_synth_t* synth = new_fluid_synth(settings);
    fluid_player_t* player = nullptr;
    if (synth != nullptr && fluid_synth_sfload(synth, soundFont_.c_str(), 1) != FLUID_FAILED) {
        player = new_fluid_player(synth);
    }
    if (player != nullptr && fluid_player_add(player, midiFile_.c_str()) == FLUID_OK &&
        fluid_player_play(player) == FLUID_OK) {
        std::array<float, renderFrames> left{};
        std::array<float, renderFrames> right{};
        while (!cancelled_.load(std::memory_order_relaxed) &&
               fluid_synth_write_float(synth, renderFrames, left.data(), 0, 1, right.data(), 0,
                                       1) == FLUID_OK) {
            // The player moves on at the start of each block. Once it has
            // passed the last track's end, this block is past the piece:
            // the player itself would go on until the last notes have died
            // away, and the loop starts over at the track's end. A file it
            // could not read stops it before the first block.
            const int lastTick = fluid_player_get_total_ticks(player);
            if (fluid_player_get_status(player) != FLUID_PLAYER_PLAYING ||
                (lastTick > 0 && fluid_player_get_current_tick(player) >= lastTick) ||
                !Append(left, right)) {
                break;
            }
        }
    }
    if (player != nullptr) {
        delete_fluid_player(player);
    }
    if (synth != nullptr) {
        delete_fluid_synth(synth); // and the soundfont with it
    }
    delete_fluid_settings(settings);
    // The soundfont's samples came in many pieces; give the freed memory
    // back to the system rather than keep it for the rest of the game.
    malloc_trim(0);
    heldMessages = nullptr;
    if (Rendered() == 0 && !cancelled_.load()) {
        const std::lock_guard lock{logMutex};
        std::fprintf(stderr, "%s: %s cannot be played%s%s; playing without music\n", ProgramName(),
                     midiFile_.c_str(), messages.empty() ? "" : ": ",
                     messages.empty() ? "" : OneLine(messages.front()).c_str());
    } else {
        for (const std::string& message : messages) {
            ReportSynthMessage(FLUID_WARN, message.c_str());
        }
    }
    done_.store(true, std::memory_order_release);
}
