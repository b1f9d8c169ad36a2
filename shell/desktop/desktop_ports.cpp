// The main window's ports on the desktop: each one is the renderer, the
// sound, the menu, the panel and dialogs or the window system, applied to
// this window's record.

#include "shell/desktop/desktop_ports.h"

#include "audio/audio.h"
#include "data_files.h"
#include "platform/user/user.h"
#include "render/window_drawing.h"
#include "shell/desktop/program.h"
#include "shell/dialogs/dialogs.h"
#include "shell/main_menu.h"
#include "shell/panel/start_panel.h"

#include <iostream>

DesktopPorts::DesktopPorts(MainWindow& window) : window_(window) {
    window_.screen.window = this;
}

void DesktopPorts::DrawFullFrame(GameState& state) {
    ::DrawFullFrame(state, window_.screen);
}

void DesktopPorts::DrawPartialFrame(GameState& state) {
    ::DrawPartialFrame(state, window_.screen);
}

void DesktopPorts::DrawJumpGauge(GameState& state) {
    ::DrawJumpGauge(state, window_.screen);
}

void DesktopPorts::DrawFloorCounter(GameState& state) {
    ::DrawFloorCounter(state, window_.screen);
}

void DesktopPorts::DrawDifficultyAndBest(GameState& state) {
    ::DrawDifficultyAndBest(state, window_.screen);
}

void DesktopPorts::DrawJumpCount(GameState& state) {
    ::DrawJumpCount(state, window_.screen);
}

void DesktopPorts::FillWindowRectBlack(GameState&, std::int32_t left, std::int32_t top,
                                       std::int32_t right, std::int32_t bottom) {
    ::FillWindowRectBlack(window_.screen, left, top, right, bottom);
}

void DesktopPorts::PlayEffect(GameState&, int effectId) {
    ::PlayEffect(window_.sound, effectId);
}

void DesktopPorts::PlayMusic(GameState&) {
    ::PlayMusic(window_.sound);
}

void DesktopPorts::StopMusic(GameState&) {
    ::StopMusic(window_.sound);
}

void DesktopPorts::CreateStartPanel(GameState&) {
    ::CreateStartPanel(window_);
}

void DesktopPorts::DestroyStartPanel(GameState&) {
    ::DestroyStartPanel(window_);
}

void DesktopPorts::RunNameEntryDialog(GameState&) {
    ::RunNameEntryDialog(window_);
}

std::int32_t DesktopPorts::RunClearBest5Dialog(GameState&) {
    return ::RunClearBest5Dialog(window_);
}

void DesktopPorts::UpdateMenuChecks(GameState& state) {
    ::UpdateMenuChecks(window_.menu, state);
}

void DesktopPorts::SwitchMenuToPlayState(GameState&) {
    SetPlayState(window_.menu);
}

void DesktopPorts::SwitchMenuToTitleState(GameState&) {
    SetTitleState(window_.menu);
}

void DesktopPorts::RedrawMenuBar(GameState&) {
    DrawMenuBar(window_.handle);
}

void DesktopPorts::SetPauseItemLabel(GameState&, bool paused) {
    SetPauseLabel(window_.menu, paused);
}

void DesktopPorts::CheckMenuItem(GameState&, int commandId, bool checked) {
    SetItemChecked(window_.menu, commandId, checked);
}

WindowHandle DesktopPorts::GetKeyboardFocus(GameState&) {
    return GetFocus();
}

void DesktopPorts::SetKeyboardFocus(GameState&, WindowHandle window) {
    SetFocus(window);
}

void DesktopPorts::CaptureMouse(GameState&) {
    SetCapture(window_.handle);
}

void DesktopPorts::ReleaseMouseCapture(GameState&) {
    ReleaseCapture();
}

void DesktopPorts::SendDestroyMessage(GameState&) {
    SendMessage(window_.handle, wm::destroy, 0, 0);
}

void DesktopPorts::CreateSurfaces() {
    ::CreateSurfaces(window_.screen);
}

void DesktopPorts::ReleaseSurfaces() {
    ::ReleaseSurfaces(window_.screen);
}

void DesktopPorts::PaintWindow() {
    ::PaintWindow(window_.game, window_.screen);
}

void DesktopPorts::DrawJumpCountLabel() {
    ::DrawJumpCountLabel(window_.game, window_.screen);
}

void DesktopPorts::LoadEffects() {
    ::LoadEffects(window_.sound);
}

void DesktopPorts::ReleaseEffects() {
    ::ReleaseEffects(window_.sound);
}

void DesktopPorts::OpenMusic() {
    ::OpenMusic(window_.sound, window_.options.musicFile);
}

void DesktopPorts::CloseMusic() {
    ::CloseMusic(window_.sound);
}

void DesktopPorts::DrawBest5Pages() {
    ::DrawBest5Pages(window_);
}

void DesktopPorts::RunAboutDialog() {
    ::RunAboutDialog(window_);
}

void DesktopPorts::ShowMainWindow() {
    ShowWindow(window_.handle, true);
}

std::uint32_t DesktopPorts::CreateTickTimer() {
    constexpr std::uint32_t tickTimerId = 1;
    constexpr std::uint32_t tickMilliseconds = 40;
    return SetTimer(window_.handle, tickTimerId, tickMilliseconds);
}

void DesktopPorts::SoundDefaultBeep() {
    MessageBeep();
}

std::uint32_t DesktopPorts::GetTickCount() {
    return ::GetTickCount();
}

void DesktopPorts::ShowHelpTopics() {
    // Without a browser the player is at least told where the page is; the
    // game goes on either way.
    const std::optional<std::filesystem::path> page = FindDataFile(helpPageName);
    if (!page) {
        std::cerr << "varnisk: the help page " << helpPageName << " is not installed\n";
    } else if (!OpenUrl(HelpPageUrl(*page))) {
        std::cerr << "varnisk: no browser could show the help; it is "
                  << std::filesystem::absolute(*page).string() << "\n";
    }
}

void DesktopPorts::CloseHelp() {
    // The browser's page is the player's: there is nothing of ours to close.
}

void DesktopPorts::PostQuitMessage(int exitCode) {
    ::PostQuitMessage(exitCode);
}

void DesktopPorts::TellSettingsProblem(const std::string& message, const std::string& logLine) {
    std::cerr << "varnisk: " << logLine << "\n";
    MessageBox(mainWindowTitle, message);
}

bool DesktopPorts::OfferToRetrySave(const std::string& message, const std::string& logLine) {
    std::cerr << "varnisk: " << logLine << "\n";
    MessageBox(mainWindowTitle, message);
    return false;
}

ContextHandle DesktopPorts::DrawingContext() {
    return GetWindowContext(window_.handle);
}

void DesktopPorts::BeginPaint() {
    ::BeginPaint(window_.handle);
}

void DesktopPorts::EndPaint() {
    ::EndPaint(window_.handle);
}

void DesktopPorts::InvalidateClient() {
    InvalidateRect(window_.handle, nullptr, true);
}
