#include "window_system.h"

#include <algorithm>

namespace {

Backend& TheBackend() {
    return CurrentBackend();
}

// Splits typed UTF-8 into code points; a broken sequence gives U+FFFD.
std::vector<char32_t> DecodeUtf8(std::string_view text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80    ? 0
                          : lead >= 0xF0 ? 3
                          : lead >= 0xE0 ? 2
                          : lead >= 0xC0 ? 1
                                         : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size()) {
            points.push_back(0xFFFD);
            ++i;
            continue;
        }
        char32_t point = extra == 0 ? lead : lead & (0x3F >> extra);
        bool broken = false;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            broken = broken || (next & 0xC0) != 0x80;
            point = (point << 6) | (next & 0x3F);
        }
        points.push_back(broken ? char32_t{0xFFFD} : point);
        i += static_cast<std::size_t>(broken ? 1 : extra + 1);
    }
    return points;
}

// Every event the backend already has, without waiting.
void PullPendingInput() {
    InputEvent event;
    while (TheBackend().WaitEvent(TheBackend().Now(), event)) {
        EnqueueInput(event);
    }
}

bool FindInvalidWindow(PlatformWindow* window, PlatformWindow*& found) {
    if (!window->visible) {
        return false;
    }
    if (window->invalid) {
        found = window;
        return true;
    }
    for (PlatformWindow* child : window->children) {
        if (FindInvalidWindow(child, found)) {
            return true;
        }
    }
    return false;
}

bool TakePaint(Message& message) {
    for (PlatformWindow* top : System().topLevels) {
        PlatformWindow* found = nullptr;
        if (FindInvalidWindow(top, found)) {
            message = Message{found, wm::paint, 0, 0, TheBackend().Now()};
            return true;
        }
    }
    return false;
}

// Waiting "for ever" still names a deadline; a day is as good.
constexpr std::uint32_t longestWait = 24u * 60u * 60u * 1000u;

bool ToMessage(QueueItem& item, Message& message) {
    if (item.kind == QueueItem::Kind::Posted) {
        message = item.message;
        return true;
    }
    return RouteInput(item, message);
}

} // namespace

void EnqueueInput(const InputEvent& event) {
    WindowSystem& system = System();
    const std::uint32_t now = TheBackend().Now();
    if (event.kind == InputEvent::Kind::Text) {
        // Typed text arrives apart from keys, so each character becomes its
        // own CHARACTER message here; TranslateMessage has nothing to add.
        for (char32_t point : DecodeUtf8(event.text)) {
            QueueItem item;
            item.kind = QueueItem::Kind::Character;
            item.message = Message{nullptr, wm::character, point, 0, now};
            system.queue.push_back(std::move(item));
        }
        return;
    }
    QueueItem item;
    item.kind = QueueItem::Kind::Input;
    item.message.time = now;
    item.input = event;
    system.queue.push_back(std::move(item));
}

bool TakeNextItem(QueueItem& item, bool wait) {
    WindowSystem& system = System();
    for (;;) {
        PullPendingInput();
        if (!system.queue.empty()) {
            item = std::move(system.queue.front());
            system.queue.pop_front();
            return true;
        }
        if (system.quitPosted) {
            system.quitPosted = false;
            item = QueueItem{};
            item.message = Message{nullptr, wm::quit, static_cast<WParam>(system.quitCode), 0,
                                   TheBackend().Now()};
            return true;
        }
        item = QueueItem{};
        if (TakePaint(item.message)) {
            return true;
        }
        // Input, posted messages and paint of this batch are done: show it.
        PresentIfDrawn();
        if (TakeDueTimer(item.message)) {
            return true;
        }
        if (!wait) {
            return false;
        }
        std::uint32_t deadline = TheBackend().Now() + longestWait;
        NextTimerDeadline(deadline);
        InputEvent event;
        if (TheBackend().WaitEvent(deadline, event)) {
            EnqueueInput(event);
        }
    }
}

void DropQueuedMessagesFor(const PlatformWindow* window) {
    std::erase_if(System().queue, [window](const QueueItem& item) {
        return item.kind == QueueItem::Kind::Posted && item.message.window == window;
    });
}

LResult SendMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    PlatformWindow* live = LiveWindow(window);
    if (live == nullptr) {
        return 0;
    }
    return live->procedure(live, message, wParam, lParam);
}

bool PostMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (window != nullptr && LiveWindow(window) == nullptr) {
        return false;
    }
    QueueItem item;
    item.message = Message{window, message, wParam, lParam, TheBackend().Now()};
    System().queue.push_back(std::move(item));
    return true;
}

void PostQuitMessage(int exitCode) {
    System().quitPosted = true;
    System().quitCode = exitCode;
}

bool GetMessage(Message& message) {
    for (;;) {
        QueueItem item;
        TakeNextItem(item, true);
        if (ToMessage(item, message)) {
            return message.message != wm::quit;
        }
    }
}

bool PeekMessage(Message& message) {
    QueueItem item;
    while (TakeNextItem(item, false)) {
        if (ToMessage(item, message)) {
            return true;
        }
    }
    return false;
}

LResult DispatchMessage(const Message& message) {
    PlatformWindow* live = LiveWindow(message.window);
    if (live == nullptr) {
        return 0;
    }
    const LResult result = SendMessage(live, message.message, message.wParam, message.lParam);
    // A window that does not validate itself would be asked to paint for
    // ever; what it left undrawn stays as it was.
    if (message.message == wm::paint && LiveWindow(live) != nullptr) {
        live->invalid = false;
    }
    return result;
}

void TranslateMessage(const Message&) {
    // Nothing to do: typed text already comes as CHARACTER messages.
}
