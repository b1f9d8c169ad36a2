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
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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
using PresentPath = SdlBackend::PresentPath;

// Whether the renderer draws on the CPU: SDL's own software renderer, or
// GL through one of Mesa's software rasterizers.
bool DrawnInSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || (info.flags & SDL_RENDERER_SOFTWARE) != 0) {
        return true;
    }
    if (std::string_view(info.name).substr(0, 6) != "opengl") {
        return false;
    }
    // The GL renderer leaves its context current once made.
    using GetString = const unsigned char* (*)(unsigned int);
    constexpr unsigned int glRenderer = 0x1F01;
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString != nullptr ? getString(glRenderer) : nullptr;
    if (name == nullptr) {
        return false; // cannot tell: keep it, as before
    }
    std::string lower(reinterpret_cast<const char*>(name));
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("llvmpipe") != std::string::npos ||
           lower.find("softpipe") != std::string::npos || lower.find("swrast") != std::string::npos;
}

// Whether this user may open a GPU: a DRM device node, or NVIDIA's own.
// Without one no GL can be hardware accelerated.
bool GpuDeviceOpen() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", error)) {
        const std::string name = entry.path().filename().string();
        if ((name.starts_with("renderD") || name.starts_with("card")) &&
            access(entry.path().c_str(), R_OK | W_OK) == 0) {
            return true;
        }
    }
    return access("/dev/nvidiactl", R_OK | W_OK) == 0;
}

// How the windows are presented. The window's own surface takes the
// picture converted on the CPU, and only the rectangles that changed, in
// shared memory with the X server. A GL renderer instead uploads the whole
// picture as a texture and redraws the whole window at every present; that
// pays only when a GPU draws it. Through Mesa's software rasterizers it
// costs two to four times the CPU, and loading GL costs about 80 MiB and a
// tenth of a second at start-up. So:
//  - VARNISK_PRESENT=surface or VARNISK_PRESENT=gl decides outright;
//  - with no GPU device this user may open (/dev/dri/renderD*,
//    /dev/dri/card*, /dev/nvidiactl) the surface, and GL is never loaded;
//  - otherwise a renderer is made as SDL chooses it, and kept only when it
//    is not SDL's software renderer and, for an OpenGL one, its
//    GL_RENDERER names no software rasterizer (llvmpipe, softpipe, swrast);
//    otherwise it goes and the surface is used.
// Where the surface cannot be had, or is not 32 bits a pixel, the renderer
// is used after all. A renderer made to find out and kept is left in `kept`.
PresentPath ChoosePresentPath(SDL_Window* window, SDL_Renderer*& kept) {
    const char* asked = std::getenv("VARNISK_PRESENT");
    const std::string_view choice = asked != nullptr ? asked : "";
    if (choice == "surface") {
        return PresentPath::WindowSurface;
    }
    if (choice == "gl") {
        return PresentPath::Renderer;
    }
    if (!GpuDeviceOpen()) {
        return PresentPath::WindowSurface;
    }
    SDL_Renderer* renderer = CreateRenderer(window);
    if (renderer == nullptr) {
        return PresentPath::WindowSurface;
    }
    if (DrawnInSoftware(renderer)) {
        SDL_DestroyRenderer(renderer);
        return PresentPath::WindowSurface;
    }
    kept = renderer;
    return PresentPath::Renderer;
}

// The window surface's layout when the conversion can write into it: 32
// bits a pixel, red, green and blue packed.
std::optional<PixelLayout> SurfaceLayout(const SDL_Surface* surface) {
    const SDL_PixelFormat* format = surface->format;
    if (format->BytesPerPixel != 4 || format->palette != nullptr || format->Rmask == 0 ||
        format->Gmask == 0 || format->Bmask == 0) {
        return std::nullopt;
    }
    return PixelLayout{format->Rmask, format->Gmask, format->Bmask};
}

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

// A window centred on the desktop, `zoom` times the screen's size, shown
// through its own surface when `path` says so (deciding it for every window
// when it is still open) and the surface can take the conversion; else
// through a texture of the screen's own size that the renderer enlarges with
// nearest-pixel sampling. False, with nothing left open, when any part fails.
bool OpenPresented(PresentedWindow& presented, PresentPath& path, std::string_view title,
                   std::int32_t width, std::int32_t height, std::int32_t zoom, Uint32 flags) {
    const std::string titleText(title);
    presented.window = SDL_CreateWindow(titleText.c_str(), SDL_WINDOWPOS_CENTERED,
                                        SDL_WINDOWPOS_CENTERED, width * zoom, height * zoom, flags);
    if (presented.window == nullptr) {
        return false;
    }
    if (path == PresentPath::Undecided) {
        path = ChoosePresentPath(presented.window, presented.renderer);
    }
    presented.width = width;
    presented.height = height;
    presented.windowZoom = zoom;
    presented.centred = false;
    if (path == PresentPath::WindowSurface) {
        const SDL_Surface* surface = SDL_GetWindowSurface(presented.window);
        if (surface != nullptr && SurfaceLayout(surface)) {
            return true;
        }
    }
    if (presented.renderer == nullptr) {
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

// The frame last shown into the window's surface, converted through the
// colour table: the rectangles given (in screen pixels), or the whole
// window when it must be drawn whole, black around the picture where it
// does not fill the window. The border is thus drawn once for each new
// surface or switch, not at every frame.
void DrawOnSurface(PresentedWindow& presented, std::vector<PixelRect> changed,
                   ScreenColorTable& colors) {
    SDL_Surface* surface = SDL_GetWindowSurface(presented.window);
    if (surface == nullptr || presented.shown.empty()) {
        return;
    }
    const std::optional<PixelLayout> layout = SurfaceLayout(surface);
    if (!layout) {
        return;
    }
    colors.Update(presented.palette, *layout);
    if (surface != presented.surface || surface->w != presented.surfaceWidth ||
        surface->h != presented.surfaceHeight || colors.Version() != presented.colorsVersion) {
        presented.whole = true;
    }
    if (presented.whole) {
        const ScreenPlacement placement =
            presented.centred
                ? PlaceFullscreen({presented.width, presented.height}, {surface->w, surface->h})
                : ScreenPlacement{presented.windowZoom, 0, 0};
        presented.zoom = placement.zoom;
        presented.x = placement.x;
        presented.y = placement.y;
        changed.assign(1, PixelRect{0, 0, presented.shownWidth, presented.shownHeight});
    }
    // Never outside the surface, however small the desktop left the window.
    const std::int32_t zoom = presented.zoom;
    for (PixelRect& rect : changed) {
        const std::int32_t right = std::min(rect.x + rect.width, (surface->w - presented.x) / zoom);
        const std::int32_t bottom =
            std::min(rect.y + rect.height, (surface->h - presented.y) / zoom);
        rect.width = std::max(0, right - rect.x);
        rect.height = std::max(0, bottom - rect.y);
    }
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
        return;
    }
    if (presented.whole &&
        (presented.x != 0 || presented.y != 0 || surface->w != presented.shownWidth * zoom ||
         surface->h != presented.shownHeight * zoom)) {
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    }
    auto* origin = static_cast<std::uint8_t*>(surface->pixels) +
                   static_cast<std::ptrdiff_t>(presented.y) * surface->pitch +
                   static_cast<std::ptrdiff_t>(presented.x) * 4;
    std::vector<SDL_Rect> rects;
    for (const PixelRect& rect : changed) {
        if (rect.width > 0 && rect.height > 0) {
            ConvertIndices(presented.shown, presented.shownWidth, rect, colors, zoom, origin,
                           surface->pitch);
            rects.push_back({presented.x + rect.x * zoom, presented.y + rect.y * zoom,
                             rect.width * zoom, rect.height * zoom});
        }
    }
    if (SDL_MUSTLOCK(surface)) {
        SDL_UnlockSurface(surface);
    }
    if (presented.whole) {
        SDL_UpdateWindowSurface(presented.window);
    } else if (!rects.empty()) {
        SDL_UpdateWindowSurfaceRects(presented.window, rects.data(),
                                     static_cast<int>(rects.size()));
    }
    presented.surface = surface;
    presented.surfaceWidth = surface->w;
    presented.surfaceHeight = surface->h;
    presented.colorsVersion = colors.Version();
    presented.whole = false;
}

// The image on screen. Only the part both have in common: a mismatched
// image never reads or writes outside either.
void PresentTo(PresentedWindow& presented, const ScreenImage& image, ScreenColorTable& colors) {
    if (presented.window == nullptr || image.palette == nullptr) {
        return;
    }
    const std::int32_t width = std::min(image.width, presented.width);
    const std::int32_t height = std::min(image.height, presented.height);
    if (width <= 0 || height <= 0 ||
        image.indices.size() < static_cast<std::size_t>(image.width) * image.height) {
        return;
    }
    if (presented.renderer == nullptr) {
        // Only what differs from the frame shown before is converted and
        // sent: finding it costs a comparison of each row, far less than
        // converting and sending the rows that did not change.
        if (width != presented.shownWidth || height != presented.shownHeight) {
            presented.whole = true;
            presented.shownWidth = width;
            presented.shownHeight = height;
        }
        presented.palette = *image.palette;
        DrawOnSurface(presented,
                      TakeChanges(image.indices, image.width, width, height, presented.shown),
                      colors);
        return;
    }
    colors.Update(*image.palette);
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(presented.texture, nullptr, &pixels, &pitch) != 0) {
        return;
    }
    ConvertIndices(image.indices, image.width, {0, 0, width, height}, colors, 1,
                   static_cast<std::uint8_t*>(pixels), pitch);
    SDL_UnlockTexture(presented.texture);
    ShowTexture(presented);
}

// The window drawn again whole from the frame last shown, without waiting
// for the game to draw: its surface was remade, or it was uncovered.
void RedrawWhole(PresentedWindow& presented, ScreenColorTable& colors) {
    if (presented.window != nullptr && presented.renderer == nullptr) {
        presented.whole = true;
        DrawOnSurface(presented, {}, colors);
    }
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
    // A window's surface is the desktop's own shared memory, never a GL
    // texture in disguise: whether GL is worth loading is decided apart.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
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
            // A resize remakes the window's surface, and what an uncovered
            // window showed is lost: draw it again at once.
            if (sdlEvent.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                sdlEvent.window.event == SDL_WINDOWEVENT_EXPOSED) {
                RedrawWhole(fromLone ? lone_ : screen_, *colors_);
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
    if (!OpenPresented(screen_, path_, title, width, height, zoom, SDL_WINDOW_HIDDEN)) {
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
    screen_.whole = true;
    // The texture or the copy still holds the last picture: show it at once
    // in the new place rather than wait for the game to draw again.
    if ((SDL_GetWindowFlags(screen_.window) & SDL_WINDOW_SHOWN) == 0) {
        return;
    }
    if (screen_.renderer != nullptr) {
        ShowTexture(screen_);
    } else {
        RedrawWhole(screen_, *colors_);
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
        !OpenPresented(lone_, path_, title, width, height, zoom_,
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
