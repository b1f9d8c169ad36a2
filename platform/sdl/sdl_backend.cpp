#include "platform/sdl/sdl_backend.h"

#include "event_translation.h"
#include "gamepads.h"
#include "icon_reader.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/user/window_zoom.h"
#include "program_name.h"
#include "screen_colors.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

constexpr Uint32 subsystems = SDL_INIT_VIDEO | SDL_INIT_EVENTS;

// Milliseconds left until deadline on a clock that wraps at 32 bits;
// negative once it has passed.
std::int32_t MillisecondsUntil(std::uint32_t deadline, std::uint32_t now) {
    return static_cast<std::int32_t>(deadline - now);
}

void SetWindowIcon(SDL_Window* window, std::span<const std::uint8_t> iconFile) {
    std::optional<IconImage> icon = ReadIcon32(iconFile);
    if (!icon) {
        return; // a damaged icon leaves the desktop's own
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        icon->argb.data(), IconImage::size, IconImage::size, 32,
        IconImage::size * static_cast<int>(sizeof(std::uint32_t)), SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) {
        return;
    }
    // SDL copies the pixels, so the surface and the image may go now.
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

SDL_Renderer* CreateRenderer(SDL_Window* window) {
    // No vsync: the game paces itself with its own timers, and presents only
    // when something was drawn.
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (renderer == nullptr) {
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    }
    return renderer;
}

// The usable area of the desktop the window opens on (the first display,
// where SDL centres it); zero when the video driver cannot tell.
PixelSize UsableDesktopSize() {
    SDL_Rect bounds{};
    if (SDL_GetDisplayUsableBounds(0, &bounds) != 0) {
        return {};
    }
    return {bounds.w, bounds.h};
}

// The bounds of the display the window is on, for fullscreen; zero when
// the video driver cannot tell.
PixelSize DisplaySize(SDL_Window* window) {
    SDL_Rect bounds{};
    const int display = SDL_GetWindowDisplayIndex(window);
    if (display < 0 || SDL_GetDisplayBounds(display, &bounds) != 0) {
        return {};
    }
    return {bounds.w, bounds.h};
}

// Pointer positions arrive in window pixels; the game wants screen pixels.
void ScaleBackToScreen(InputEvent& event, const ScreenPlacement& placement) {
    switch (event.kind) {
    case InputEvent::Kind::MouseMove:
    case InputEvent::Kind::MouseDown:
    case InputEvent::Kind::MouseUp:
        event.x = ScreenCoordinate(event.x - placement.x, placement.zoom);
        event.y = ScreenCoordinate(event.y - placement.y, placement.zoom);
        break;
    default: break;
    }
}

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// Whether an executable of that name is in one of $PATH's folders.
bool ProgramOnPath(std::string_view name) {
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "";
    while (!folders.empty()) {
        const std::size_t end = std::min(folders.find(':'), folders.size());
        const std::string folder(folders.substr(0, end));
        folders.remove_prefix(std::min(end + 1, folders.size()));
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + std::string(name);
        if (access(candidate.c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

using PresentedWindow = SdlBackend::PresentedWindow;

void ClosePresented(PresentedWindow& presented) {
    if (presented.texture != nullptr) {
        SDL_DestroyTexture(presented.texture);
    }
    if (presented.renderer != nullptr) {
        SDL_DestroyRenderer(presented.renderer);
    }
    if (presented.window != nullptr) {
        SDL_DestroyWindow(presented.window);
    }
    presented = PresentedWindow{};
}

// A window centred on the desktop, `zoom` times the screen's size; the
// texture keeps the screen's own size and the renderer enlarges it with
// nearest-pixel sampling. False, with nothing left open, when any part fails.
bool OpenPresented(PresentedWindow& presented, std::string_view title, std::int32_t width,
                   std::int32_t height, std::int32_t zoom, Uint32 flags) {
    const std::string titleText(title);
    presented.window = SDL_CreateWindow(titleText.c_str(), SDL_WINDOWPOS_CENTERED,
                                        SDL_WINDOWPOS_CENTERED, width * zoom, height * zoom, flags);
    if (presented.window != nullptr) {
        presented.renderer = CreateRenderer(presented.window);
    }
    if (presented.renderer != nullptr) {
        presented.texture = SDL_CreateTexture(presented.renderer, SDL_PIXELFORMAT_ARGB8888,
                                              SDL_TEXTUREACCESS_STREAMING, width, height);
    }
    if (presented.texture == nullptr) {
        ClosePresented(presented);
        return false;
    }
    presented.width = width;
    presented.height = height;
    presented.centred = false;
    return true;
}

// The texture on screen as it is: the whole window, or centred on black.
void ShowTexture(PresentedWindow& presented) {
    if (!presented.centred) {
        SDL_RenderCopy(presented.renderer, presented.texture, nullptr, nullptr);
    } else {
        // The window's size, not the display's: a desktop without a window
        // manager leaves the window as it was.
        PixelSize output;
        SDL_GetRendererOutputSize(presented.renderer, &output.width, &output.height);
        const ScreenPlacement placement =
            PlaceFullscreen({presented.width, presented.height}, output);
        presented.zoom = placement.zoom;
        presented.x = placement.x;
        presented.y = placement.y;
        SDL_SetRenderDrawColor(presented.renderer, 0, 0, 0, 255);
        SDL_RenderClear(presented.renderer);
        const SDL_Rect target{presented.x, presented.y, presented.width * presented.zoom,
                              presented.height * presented.zoom};
        SDL_RenderCopy(presented.renderer, presented.texture, nullptr, &target);
    }
    SDL_RenderPresent(presented.renderer);
}

// The image's colours into the texture, then on screen. Only the part both
// have in common: a mismatched image never reads or writes outside either.
void PresentTo(PresentedWindow& presented, const ScreenImage& image, ScreenColorTable& colors) {
    if (presented.texture == nullptr || image.palette == nullptr) {
        return;
    }
    const std::int32_t width = std::min(image.width, presented.width);
    const std::int32_t height = std::min(image.height, presented.height);
    if (width <= 0 || height <= 0 ||
        image.indices.size() < static_cast<std::size_t>(image.width) * image.height) {
        return;
    }
    colors.Update(*image.palette);
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(presented.texture, nullptr, &pixels, &pitch) != 0) {
        return;
    }
    if (width == image.width) {
        ConvertIndicesToArgb(image.indices, width, height, colors,
                             static_cast<std::uint8_t*>(pixels), pitch);
    } else {
        // A narrower screen: convert row by row from the image's own rows.
        for (std::int32_t y = 0; y < height; ++y) {
            ConvertIndicesToArgb(
                image.indices.subspan(static_cast<std::size_t>(y) * image.width, width), width, 1,
                colors, static_cast<std::uint8_t*>(pixels) + static_cast<std::ptrdiff_t>(y) * pitch,
                pitch);
        }
    }
    SDL_UnlockTexture(presented.texture);
    ShowTexture(presented);
}

} // namespace

SdlBackend::SdlBackend()
    : colors_(std::make_unique<ScreenColorTable>()), audio_(std::make_unique<SdlAudio>()) {
    // A click that brings the window to the front is also a click in the game,
    // as the original desktop delivered it.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The screen texture is shown at a whole factor; never smooth it.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // Fullscreen is the desktop's own size, not a video mode: it stays when
    // the player turns to another window.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // Only drivers that show the window to someone: without a display SDL
    // would fall back to its offscreen driver and play to nobody. A driver
    // named in SDL_VIDEODRIVER (the tests' dummy one) is still taken.
    if (!IsSet("SDL_VIDEODRIVER")) {
        std::string drivers = IsSet("DISPLAY") ? "x11," : "";
        drivers += IsSet("WAYLAND_DISPLAY") ? "wayland," : "";
        SDL_SetHint(SDL_HINT_VIDEODRIVER, (drivers + "KMSDRM").c_str());
    }
    initialised_ = SDL_InitSubSystem(subsystems) == 0;
    if (!initialised_) {
        std::fprintf(stderr, "%s: no display to show the game on (is DISPLAY set?): %s\n",
                     ProgramName(), SDL_GetError());
        return;
    }
    // Pads already plugged in arrive as additions, like those plugged in later.
    gamepads_ = std::make_unique<Gamepads>();
}

SdlBackend::~SdlBackend() {
    gamepads_.reset();
    audio_.reset(); // the mixer's device closes while SDL is still up
    ClosePresented(lone_);
    ClosePresented(screen_);
    if (initialised_) {
        SDL_QuitSubSystem(subsystems);
    }
    // Audio starts SDL too; the last one to leave shuts it down.
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) {
        SDL_Quit();
    }
}

std::uint32_t SdlBackend::Now() {
    return SDL_GetTicks();
}

bool SdlBackend::WaitEvent(std::uint32_t deadline, InputEvent& event) {
    for (;;) {
        // Key-ups a pulled-out pad still owed go first.
        if (gamepads_ != nullptr && gamepads_->TakePending(event)) {
            return true;
        }
        const std::int32_t left = MillisecondsUntil(deadline, Now());
        if (!initialised_) {
            if (left > 0) {
                SDL_Delay(static_cast<Uint32>(left));
            }
            return false;
        }
        SDL_Event sdlEvent;
        // Even with the deadline passed, what is already queued is delivered:
        // input comes before the timers. Fetching it from the desktop takes
        // a dozen system calls, and the window system looks several times
        // between two waits: within the millisecond of the last fetch (or
        // of the wait that found nothing) SDL's own queue is looked at alone.
        int got = 0;
        if (left > 0) {
            got = SDL_WaitEventTimeout(&sdlEvent, left);
            fetchedAt_ = Now();
        } else {
            if (fetchedAt_ != Now()) {
                SDL_PumpEvents();
                fetchedAt_ = Now();
            }
            got = SDL_PeepEvents(&sdlEvent, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0;
        }
        if (got == 0) {
            if (MillisecondsUntil(deadline, Now()) <= 0) {
                return false;
            }
            continue; // woken early without an event
        }
        const std::uint32_t musicEnded = audio_->MusicEventType();
        if (musicEnded != 0 && sdlEvent.type == musicEnded) {
            // The music's notice goes out from here, on the main thread; the
            // caller finds it queued when it looks again.
            audio_->DeliverMusicEnd();
            return false;
        }
        if (sdlEvent.type == SDL_WINDOWEVENT) {
            const Uint32 from = sdlEvent.window.windowID;
            const bool fromLone = lone_.window != nullptr && from == SDL_GetWindowID(lone_.window);
            if (!fromLone &&
                (screen_.window == nullptr || from != SDL_GetWindowID(screen_.window))) {
                continue; // from a box's own window, gone since
            }
            if (fromLone && sdlEvent.window.event == SDL_WINDOWEVENT_CLOSE) {
                // The screen's close comes as a quit; the box's does not.
                event = InputEvent{};
                event.kind = InputEvent::Kind::Close;
                return true;
            }
        }
        if ((sdlEvent.type == SDL_KEYDOWN || sdlEvent.type == SDL_KEYUP) &&
            TakeFullscreenKey(sdlEvent.key)) {
            if (sdlEvent.type == SDL_KEYUP) {
                continue;
            }
            // Alt held with Enter was not pressed alone: its release must
            // not open the menu bar.
            event = InputEvent{};
            event.kind = InputEvent::Kind::KeyTaken;
            return true;
        }
        if ((gamepads_ != nullptr && gamepads_->Translate(sdlEvent, event)) ||
            TranslateEvent(sdlEvent, event)) {
            ScaleBackToScreen(event, screen_.centred
                                         ? ScreenPlacement{screen_.zoom, screen_.x, screen_.y}
                                         : ScreenPlacement{zoom_, 0, 0});
            return true;
        }
    }
}

bool SdlBackend::OpenScreen(std::int32_t width, std::int32_t height, std::string_view title,
                            std::span<const std::uint8_t> iconFile) {
    if (!initialised_ || screen_.window != nullptr || width <= 0 || height <= 0) {
        return false;
    }
    const std::int32_t zoom =
        ChooseWindowZoom(requestedZoom_, {width, height}, UsableDesktopSize());
    // The texture keeps the screen's own size; the renderer enlarges it into
    // the window with nearest-pixel sampling.
    if (!OpenPresented(screen_, title, width, height, zoom, SDL_WINDOW_HIDDEN)) {
        std::fprintf(stderr, "%s: cannot open the window: %s\n", ProgramName(), SDL_GetError());
        return false;
    }
    SetWindowIcon(screen_.window, iconFile);
    zoom_ = zoom;
    if (fullscreen_) {
        SetFullscreen(true);
    }
    // The name entry reads typed characters, whatever the keyboard layout.
    SDL_StartTextInput();
    return true;
}

void SdlBackend::SetFullscreen(bool fullscreen) {
    if (SDL_SetWindowFullscreen(screen_.window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) !=
        0) {
        return; // the desktop would not: the window stays as it was
    }
    fullscreen_ = fullscreen;
    screen_.centred = fullscreen;
    // Until the next present finds the window's new size, the pointer is
    // placed as it will most likely be.
    const ScreenPlacement placement =
        fullscreen ? PlaceFullscreen({screen_.width, screen_.height}, DisplaySize(screen_.window))
                   : ScreenPlacement{zoom_, 0, 0};
    screen_.zoom = placement.zoom;
    screen_.x = placement.x;
    screen_.y = placement.y;
    // The texture still holds the last picture: show it at once in the new
    // place rather than wait for the game to draw again.
    if ((SDL_GetWindowFlags(screen_.window) & SDL_WINDOW_SHOWN) != 0) {
        ShowTexture(screen_);
    }
}

bool SdlBackend::TakeFullscreenKey(const SDL_KeyboardEvent& key) {
    const std::int32_t code = key.keysym.sym;
    const auto taken = std::find(takenKeys_.begin(), takenKeys_.end(), code);
    if (taken != takenKeys_.end()) {
        // Its repeats and its release belong to the switch too.
        if (key.type == SDL_KEYUP) {
            takenKeys_.erase(taken);
        }
        return true;
    }
    const bool altEnter =
        (code == SDLK_RETURN || code == SDLK_KP_ENTER) && (key.keysym.mod & KMOD_ALT) != 0;
    if (key.type != SDL_KEYDOWN || (!altEnter && code != SDLK_F11) || screen_.window == nullptr ||
        key.windowID != SDL_GetWindowID(screen_.window)) {
        return false;
    }
    takenKeys_.push_back(code);
    SetFullscreen(!fullscreen_);
    return true;
}

void SdlBackend::ShowScreen() {
    if (screen_.window != nullptr) {
        SDL_ShowWindow(screen_.window);
        SDL_RaiseWindow(screen_.window);
    }
}

void SdlBackend::Present(const ScreenImage& image) {
    PresentTo(screen_, image, *colors_);
}

bool SdlBackend::OpenLoneWindow(std::int32_t width, std::int32_t height, std::string_view title) {
    // The box draws its own caption and frame; the desktop adds none. It
    // comes up over whatever has the keyboard, and takes it.
    if (!initialised_ || lone_.window != nullptr || width <= 0 || height <= 0 ||
        !OpenPresented(lone_, title, width, height, zoom_,
                       SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP)) {
        return false;
    }
    SDL_RaiseWindow(lone_.window);
    return true;
}

void SdlBackend::PresentLoneWindow(const ScreenImage& image) {
    PresentTo(lone_, image, *colors_);
}

void SdlBackend::CloseLoneWindow() {
    ClosePresented(lone_);
}

bool SdlBackend::OpenUrl(std::string_view url) {
    // SDL hands the address to xdg-open in a process of its own and reports
    // success even when there is no xdg-open to run: look for it first.
    if (!ProgramOnPath("xdg-open")) {
        return false;
    }
    const std::string address(url);
    return SDL_OpenURL(address.c_str()) == 0;
}

void SdlBackend::Beep() {
    std::fputs("\a", stderr);
    std::fflush(stderr);
}

void SdlBackend::PlayWave(int, std::span<const std::uint8_t> wave, bool toTheEnd) {
    audio_->PlayWave(wave, toTheEnd);
}

void SdlBackend::StopWave() {
    audio_->StopWave();
}

std::uint32_t SdlBackend::OpenMidi(std::string_view file, int& error) {
    return audio_->OpenMidi(file, error);
}

int SdlBackend::PlayMidi(std::uint32_t device, std::function<void(std::uint32_t)> onEnd) {
    return audio_->PlayMidi(device, std::move(onEnd));
}

int SdlBackend::StopMidi(std::uint32_t device) {
    return audio_->StopMidi(device);
}

int SdlBackend::CloseMidi(std::uint32_t device) {
    return audio_->CloseMidi(device);
}
