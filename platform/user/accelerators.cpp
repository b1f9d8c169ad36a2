#include "window_system.h"

bool TranslateAccelerator(WindowHandle window, std::span<const Accelerator> table,
                          const Message& message) {
    // Auto-repeated key-downs are translated too, as the desktop does.
    const bool keyDown = message.message == wm::keyDown || message.message == wm::sysKeyDown;
    if (!keyDown || LiveWindow(window) == nullptr) {
        return false;
    }
    const WindowSystem& system = System();
    const std::uint8_t held = (system.shiftDown ? accel::shift : 0) |
                              (system.controlDown ? accel::control : 0) |
                              (system.altDown ? accel::alt : 0);
    for (const Accelerator& accelerator : table) {
        if (static_cast<WParam>(accelerator.virtualKey) == message.wParam &&
            accelerator.modifiers == held) {
            SendMessage(window, wm::command, static_cast<WParam>(accelerator.command), 0);
            return true;
        }
    }
    return false;
}
