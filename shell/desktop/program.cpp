#include "shell/desktop/program.h"

#include "assets/resources.h"
#include "core/commands.h"
#include "persist/settings_file.h"
#include "platform/user/dialog.h"
#include "shell/desktop/music_file.h"
#include "shell/desktop/window_procedure.h"
#include "shell/text_faces.h"

#include <array>
#include <utility>

namespace {

// F1 opens help whichever window has the focus, without flashing the menu.
constexpr std::array<Accelerator, 1> acceleratorTable = {{{vk::f1, command::helpKey}}};

} // namespace

bool RegisterMainWindowClass() {
    // A private drawing context that stays valid for the window's whole life;
    // no double clicks: a quick second click is a plain button press.
    // The desktop shows the program's own icon for it.
    return RegisterWindowClass(
        {mainClassName, cs::ownDC | cs::byteAlignWindow, MainWindowProc,
         FindResource(ResourceKind::Icon, mainIconId).value_or(std::span<const std::uint8_t>())});
}

WindowHandle CreateMainWindow(MainWindow& record) {
    // The desktop centres the main window itself: the desktop's size is not
    // known before that window exists, so no position is worked out here.
    return CreateWindowOf(mainClassName, mainWindowTitle,
                          ws::caption | ws::sysMenu | ws::minimizeBox | ws::clipChildren, 0, 0,
                          mainWindowWidth, mainWindowHeight, nullptr, &record.menu, 0,
                          reinterpret_cast<LParam>(&record));
}

void ProcessMessage(WindowHandle mainWindow, const Message& message) {
    if (TranslateAccelerator(mainWindow, acceleratorTable, message)) {
        return;
    }
    // The start panel's buttons answer the dialog keys: Tab, Enter, Escape
    // (Exit) and space. While there is no panel this takes nothing.
    if (const MainWindow* record = MainWindowRecord(mainWindow)) {
        if (WindowHandle panel = record->panel.window;
            panel != nullptr && IsDialogMessage(panel, message)) {
            return;
        }
    }
    TranslateMessage(message);
    DispatchMessage(message);
}

int RunGame(const StartupOptions& options) {
    if (!RegisterMainWindowClass()) {
        return 0;
    }
    // The window's record lives as long as the program's loop.
    MainWindow record;
    record.options = options;
    WindowHandle mainWindow = CreateMainWindow(record);
    if (mainWindow == nullptr) {
        return 0;
    }
    Message message{};
    while (GetMessage(message)) {
        ProcessMessage(mainWindow, message);
    }
    // Exit ends the loop with the window still standing (it was only sent
    // the destroy message); take it down without running the teardown again.
    DiscardMainWindow(mainWindow);
    return static_cast<int>(message.wParam);
}

int PlayOnDesktop(Backend& backend, const std::function<void(std::int32_t zoom)>& requestZoom,
                  const std::function<void(bool fullscreen)>& requestFullscreen,
                  std::function<bool()> fullscreen) {
    // One settings and records file, read at start-up and replaced at the end.
    const std::filesystem::path settings = SettingsFilePath();
    requestZoom(LoadZoomSetting(settings));
    if (requestFullscreen) {
        requestFullscreen(LoadFullscreenSetting(settings));
    }
    // Menus and dialogs are written in the game's own faces.
    StartWindowSystem(backend, {.faces = GameTextFaces()});
    const int exitCode =
        RunGame({settings, settings, std::nullopt, LocateMusicFile(), std::move(fullscreen)});
    ShutdownWindowSystem();
    return exitCode;
}
