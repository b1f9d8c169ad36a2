#include "window_system.h"

bool TranslateAccelerator(WindowHandle window, std::span<const Accelerator> table,
                          const Message& message) {
    // Auto-repeated key-downs are translated too, as the desktop does.
    if (message.message != wm::keyDown || LiveWindow(window) == nullptr) {
        return false;
    }
    for (const Accelerator& accelerator : table) {
        if (static_cast<WParam>(accelerator.virtualKey) == message.wParam) {
            SendMessage(window, wm::command, static_cast<WParam>(accelerator.command), 0);
            return true;
        }
    }
    return false;
}
