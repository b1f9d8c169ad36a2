#include "control_drawing.h"
#include "window_geometry.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

// The message box is a dialog like the game's others, laid out here from
// its text as the desktop laid out its own: the icon at the top left, the
// text beside it wrapped to a comfortable width, the buttons centred below.
// Sizes are in dialog units, so the box grows with the dialog font.

namespace {

constexpr std::int32_t pointSize = 9;
constexpr std::int32_t margin = 7;             // around everything, in dialog units
constexpr std::int32_t buttonWidth = 50;       // in dialog units
constexpr std::int32_t buttonHeight = 14;      // in dialog units
constexpr std::int32_t buttonGap = 4;          // in dialog units
constexpr std::int32_t iconSize = 32;          // pixels, whatever the font
constexpr std::int32_t widestTextInChars = 50; // average characters
constexpr std::uint32_t buttonsMask = 0x0F;
constexpr std::uint32_t iconMask = 0xF0;
constexpr std::uint32_t boxStyle = ws::popup | ws::caption | ws::sysMenu | ds::modalFrame;
constexpr std::uint32_t buttonStyle = ws::visible | ws::tabStop;

namespace icon_colors {
inline constexpr std::uint8_t outline = 0;  // black
inline constexpr std::uint8_t fill = 251;   // yellow
inline constexpr std::uint8_t shadow = 248; // gray
} // namespace icon_colors

// What the box procedure knows of its box.
struct BoxState {
    std::uint32_t type;
    bool iconShown;
    Rect iconPixels;
};

bool HasCancel(std::uint32_t type) {
    return (type & buttonsMask) == mb::retryCancel;
}

// Escape and the close box: Cancel, or OK where there is nothing to cancel.
int EscapeAnswer(std::uint32_t type) {
    return HasCancel(type) ? idCancel : idOk;
}

// A dialog-unit length that holds pixels, rounded up.
std::int32_t UnitsFor(std::int32_t pixels, std::int32_t unitPixels, std::int32_t parts) {
    return (pixels * parts + unitPixels - 1) / unitPixels;
}

// The exclamation sign: a yellow triangle outlined in black with a gray
// shadow below and to the right, and a black exclamation mark in it.
void DrawExclamationIcon(ContextHandle context, std::int32_t left, std::int32_t top) {
    using namespace icon_colors;
    constexpr std::int32_t apex = 2;
    constexpr std::int32_t base = 29;
    for (std::int32_t row = apex; row <= base; ++row) {
        const std::int32_t half = 1 + (row - apex) / 2;
        const std::int32_t from = left + 16 - half;
        const std::int32_t to = left + 16 + half;
        const std::int32_t y = top + row;
        FillRectIndex(context, to, y + 1, to + 1, y + 2, shadow);
        FillRectIndex(context, from, y, to, y + 1, outline);
        if (row > apex + 1 && row < base) {
            FillRectIndex(context, from + 1, y, to - 1, y + 1, fill);
        }
    }
    FillRectIndex(context, left + 3, top + base + 1, left + 31, top + base + 2, shadow);
    // The mark: a bar that narrows downwards, and the dot under it.
    FillRectIndex(context, left + 14, top + 10, left + 18, top + 17, outline);
    FillRectIndex(context, left + 15, top + 17, left + 17, top + 21, outline);
    FillRectIndex(context, left + 14, top + 23, left + 18, top + 26, outline);
}

LResult BoxProc(WindowHandle box, std::uint32_t message, WParam wParam, LParam lParam) {
    auto* state = static_cast<BoxState*>(GetWindowUserData(box));
    if (message == wm::initDialog) {
        state = reinterpret_cast<BoxState*>(lParam);
        SetWindowUserData(box, state);
        if (state->iconShown) {
            DrawExclamationIcon(GetWindowContext(box), state->iconPixels.x, state->iconPixels.y);
        }
        return 1; // the first button takes the focus
    }
    if (message == wm::command && state != nullptr) {
        const int id = static_cast<int>(wParam & 0xFFFF);
        EndDialog(box, id == idCancel ? EscapeAnswer(state->type) : id);
        return 1;
    }
    return 0;
}

// The box's template: the texts it points to are held by the caller.
struct BoxLayout {
    std::vector<ControlTemplate> controls;
    std::int32_t width = 0;
    std::int32_t height = 0;
    Rect iconUnits{};
};

BoxLayout LayOutBox(std::string_view text, std::uint32_t type) {
    const DialogBaseUnits units = BaseUnitsOf(pointSize);
    const FontHandle font = DialogFont(pointSize);
    const std::vector<std::string> lines = WrapText(font, text, widestTextInChars * units.x);
    std::int32_t textPixels = 0;
    for (const std::string& line : lines) {
        textPixels = std::max(textPixels, TextWidthIn(font, line));
    }
    const auto lineCount = static_cast<std::int32_t>(std::max<std::size_t>(lines.size(), 1));
    const std::int32_t textWidth = UnitsFor(textPixels, units.x, 4);
    const std::int32_t textHeight = lineCount * 8; // a cell is eight units high

    BoxLayout layout;
    const bool withIcon = (type & iconMask) == mb::iconExclamation;
    std::int32_t textLeft = margin;
    std::int32_t contentHeight = textHeight;
    if (withIcon) {
        layout.iconUnits =
            Rect{margin, margin, UnitsFor(iconSize, units.x, 4), UnitsFor(iconSize, units.y, 8)};
        textLeft += layout.iconUnits.width + margin;
        contentHeight = std::max(contentHeight, layout.iconUnits.height);
    }
    // A text shorter than the icon stands level with its middle.
    const std::int32_t textTop = margin + (contentHeight - textHeight) / 2;
    layout.controls.push_back({ControlKind::StaticText, noControlId, text, textLeft, textTop,
                               textWidth, textHeight, ws::visible});

    struct Button {
        int id;
        std::string_view label;
    };
    std::vector<Button> buttons{{idOk, "OK"}};
    if (HasCancel(type)) {
        buttons = {{idRetry, "Retry"}, {idCancel, "Cancel"}};
    }
    const auto count = static_cast<std::int32_t>(buttons.size());
    const std::int32_t rowWidth = count * buttonWidth + (count - 1) * buttonGap;
    layout.width = std::max(textLeft + textWidth, margin + rowWidth) + margin;
    const std::int32_t rowTop = margin + contentHeight + margin;
    layout.height = rowTop + buttonHeight + margin;
    std::int32_t x = (layout.width - rowWidth) / 2;
    for (const Button& button : buttons) {
        const ControlKind kind =
            layout.controls.size() == 1 ? ControlKind::DefaultPushButton : ControlKind::PushButton;
        layout.controls.push_back(
            {kind, button.id, button.label, x, rowTop, buttonWidth, buttonHeight, buttonStyle});
        x += buttonWidth + buttonGap;
    }
    return layout;
}

// Where the player can read the box when it cannot be shown.
int TellOnStandardError(std::string_view text, std::string_view caption, std::uint32_t type) {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
    return EscapeAnswer(type);
}

// Puts the box where it is seen: on its own window of the desktop while the
// screen is not shown, else in the middle of the screen. False when it has
// nowhere to go.
bool PlaceBox(PlatformWindow* box, std::string_view caption) {
    WindowSystem& system = System();
    const Rect outer = box->outer;
    const PlatformWindow* main = system.mainWindow;
    const bool screenShown = system.screenShown && main != nullptr && main->visible;
    if (screenShown) {
        MoveWindow(box, (ScreenWidth() - outer.width) / 2, (ScreenHeight() - outer.height) / 2,
                   outer.width, outer.height);
        return true;
    }
    MoveWindow(box, 0, 0, outer.width, outer.height);
    if (system.loneWindow != nullptr ||
        !system.backend->OpenLoneWindow(outer.width, outer.height, caption)) {
        return false;
    }
    system.loneWindow = box;
    return true;
}

} // namespace

int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
               std::uint32_t type) {
    if (!WindowSystemRunning()) {
        return TellOnStandardError(text, caption, type);
    }
    WindowSystem& system = System();
    // A desktop with a message box of its own shows that one, over the game's
    // window once it is on screen; it holds the owner while it stands.
    const PlatformWindow* boxOwner = LiveWindow(owner);
    const bool overScreen = boxOwner != nullptr && system.screenShown;
    if (const int shown = system.backend->ShowSystemMessageBox(caption, text, type, overScreen);
        shown != 0) {
        return shown;
    }
    if (DialogFont(pointSize) == nullptr) {
        // With no face to write in the box would be blank: say it here too.
        TellOnStandardError(text, caption, type);
    }
    BoxLayout layout = LayOutBox(text, type);
    const DialogTemplate boxTemplate{boxStyle,      caption,   layout.width,
                                     layout.height, pointSize, layout.controls};
    BoxState state{type, layout.iconUnits.width > 0,
                   DialogUnitsToPixels(BaseUnitsOf(pointSize), layout.iconUnits)};

    PlatformWindow* ownerWindow = LiveWindow(owner);
    PlatformWindow* previousFocus = system.focus;
    const bool wasActive = system.appActive;
    if (ownerWindow != nullptr && previousFocus != nullptr &&
        IsInSubtree(previousFocus, ownerWindow)) {
        SetFocus(nullptr); // the owner's focus hears that it leaves
    }
    // The owner takes no input while the box is up; its timers go on.
    const bool ownerWasEnabled = ownerWindow != nullptr && ownerWindow->enabled;
    EnableWindow(ownerWindow, false);

    PlatformWindow* box =
        CreateDialogOf(boxTemplate, ownerWindow, BoxProc, reinterpret_cast<LParam>(&state));
    int answer = EscapeAnswer(type);
    if (box != nullptr && !PlaceBox(box, caption)) {
        TellOnStandardError(text, caption, type);
    } else if (box != nullptr) {
        PlatformWindow* outerBox = system.messageBox;
        system.messageBox = box;
        const int told = system.backend->AnswerMessageBox(caption, text, type);
        if (told != 0) {
            answer = told;
        } else if (const std::intptr_t result = RunModalLoop(box); result > 0) {
            answer = static_cast<int>(result);
        }
        system.messageBox = outerBox;
    }
    if (system.loneWindow == box && box != nullptr) {
        system.backend->CloseLoneWindow();
        system.loneWindow = nullptr;
        // The game's window was never the active one while the box stood
        // alone; it becomes active when it is shown, not before.
        system.appActive = wasActive;
        system.screenChanged = true;
    }
    EndModal(ownerWindow, ownerWasEnabled, box, previousFocus);
    return answer;
}
