#pragma once

#include "platform/user/backend.h"

#include <cstdint>
#include <memory>
#include <vector>

// SDL's own types, named here so that code above the platform never needs
// SDL's headers to hold a backend.
struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Surface;
struct SDL_KeyboardEvent;

class Gamepads;
class ScreenColorTable;
class SdlAudio;

// The real desktop: one window that is the screen, drawn into the window's
// own surface or through a renderer's streaming texture (see
// ChoosePresentPath in sdl_backend.cpp), with SDL's event queue as the
// input; and, while a message box stands alone, the box's own window.
class SdlBackend final : public Backend {
  public:
    // Starts SDL's video and events; Initialised() tells whether it could.
    SdlBackend();
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    bool Initialised() const { return initialised_; }

    // The whole-window scale: 0 chooses from the desktop's size when the
    // screen opens, N > 0 asks for N (see platform/user/window_zoom.h). Set before
    // OpenScreen; Zoom() is the factor the open window shows.
    void RequestZoom(std::int32_t requested) { requestedZoom_ = requested; }
    std::int32_t Zoom() const { return zoom_; }
    // Alt+Enter and F11 switch the screen between its window and the whole
    // display, borderless, at the largest whole factor that fits, centred
    // on black; no window of the game hears those keys. Set before
    // OpenScreen to open it fullscreen; Fullscreen() is what it shows now.
    void RequestFullscreen(bool fullscreen) { fullscreen_ = fullscreen; }
    bool Fullscreen() const { return fullscreen_; }

    std::uint32_t Now() override;
    bool WaitEvent(std::uint32_t deadline, InputEvent& event) override;
    bool OpenScreen(std::int32_t width, std::int32_t height, std::string_view title,
                    std::span<const std::uint8_t> iconFile) override;
    void ShowScreen() override;
    void Present(const ScreenImage& image) override;
    bool OpenLoneWindow(std::int32_t width, std::int32_t height, std::string_view title) override;
    void PresentLoneWindow(const ScreenImage& image) override;
    void CloseLoneWindow() override;
    bool OpenUrl(std::string_view url) override;
    void Beep() override;

    // The sound, through SDL_mixer (sdl_audio.h); the device opens on first use.
    void PlayWave(int id, std::span<const std::uint8_t> wave, bool toTheEnd) override;
    void StopWave() override;
    std::uint32_t OpenMidi(std::string_view file, int& error) override;
    int PlayMidi(std::uint32_t device, std::function<void(std::uint32_t)> onEnd) override;
    int StopMidi(std::uint32_t device) override;
    int CloseMidi(std::uint32_t device) override;
    SdlAudio& Audio() { return *audio_; }

    // How the windows reach the desktop, chosen when the first one opens.
    enum class PresentPath { Undecided, WindowSurface, Renderer };

    // A window and what it is presented through: its own surface, with the
    // copy of the frame last shown there, or a renderer and a streaming
    // texture of the screen's own size.
    struct PresentedWindow {
        SDL_Window* window = nullptr;
        SDL_Renderer* renderer = nullptr;
        SDL_Texture* texture = nullptr;
        std::int32_t width = 0;
        std::int32_t height = 0;
        // The factor the window opened at.
        std::int32_t windowZoom = 1;
        // Fullscreen, the picture is centred on black at the largest whole
        // factor that fits the window as it is when presented: that factor
        // and its top-left corner; otherwise it fills the window.
        bool centred = false;
        std::int32_t zoom = 0;
        std::int32_t x = 0;
        std::int32_t y = 0;
        // The window's surface last drawn into, when it is presented that way.
        SDL_Surface* surface = nullptr;
        std::int32_t surfaceWidth = 0;
        std::int32_t surfaceHeight = 0;
        // The surface must be drawn whole at the next present: the window was
        // resized, uncovered or switched to or from fullscreen.
        bool whole = true;
        // The colours, and the copy of the frame shown, that it was drawn from.
        std::uint64_t colorsVersion = 0;
        PaletteEntries palette{};
        std::vector<std::uint8_t> shown;
        std::int32_t shownWidth = 0;
        std::int32_t shownHeight = 0;
    };

  private:
    void SetFullscreen(bool fullscreen);
    // Whether the desktop's key event is one of the fullscreen keys (or the
    // release or repeat of one), which is then handled here, not passed on.
    bool TakeFullscreenKey(const SDL_KeyboardEvent& key);

    bool initialised_ = false;
    bool fullscreen_ = false;
    PresentPath path_ = PresentPath::Undecided;
    // The fullscreen keys whose release is still to come, by key code.
    std::vector<std::int32_t> takenKeys_;
    PresentedWindow screen_;
    // A message box's own window, open only while it stands alone.
    PresentedWindow lone_;
    // When the desktop's events were last fetched into SDL's queue.
    std::uint32_t fetchedAt_ = 0;
    std::int32_t requestedZoom_ = 0;
    std::int32_t zoom_ = 1;
    std::unique_ptr<ScreenColorTable> colors_;
    std::unique_ptr<SdlAudio> audio_;
    std::unique_ptr<Gamepads> gamepads_; // none when SDL did not start
};
