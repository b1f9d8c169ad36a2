#pragma once

// Private to platform/user: what the dialog manager keeps for a dialog and
// for each of its controls, and how the pieces reach each other.

#include "platform/user/dialog.h"
#include "window_system.h"

#include <cstdint>
#include <string>

struct DialogBaseUnits {
    std::int32_t x; // average character width of the dialog font
    std::int32_t y; // its cell height, the em in pixels
};

struct DialogState {
    DialogProc procedure = nullptr;
    FontHandle font = nullptr; // shared, owned by the window system
    DialogBaseUnits units{};
    int defaultId = 0; // the template's default push button, 0 for none
    PlatformWindow* lastFocus = nullptr;
    bool modal = false;
    bool ended = false;
    std::intptr_t result = 0;
};

struct ControlState {
    ControlKind kind = ControlKind::StaticText;
    // Buttons: held down by the mouse (and the pointer on it), or by space.
    bool mouseHeld = false;
    bool pointerInside = false;
    bool spaceHeld = false;
    bool checked = false; // radio buttons
    // The edit: byte offsets into the text (always on character starts) and
    // the pixels scrolled off to the left.
    std::size_t caret = 0;
    std::size_t anchor = 0;
    std::int32_t scroll = 0;
    // The black frame: the last press, for double clicks.
    bool hasLastPress = false;
    std::uint32_t lastPressTime = 0;
    std::int32_t lastPressX = 0;
    std::int32_t lastPressY = 0;
};

// ---------------------------------------------------------------- lookups

DialogState* DialogOf(WindowHandle window);
ControlState* ControlOf(WindowHandle window);
// The dialog a control belongs to (its parent), nullptr for anything else.
PlatformWindow* DialogOfControl(PlatformWindow* control);

// Shows a modal dialog and runs its loop until it ends (its result) or its
// window goes (-1); a quit ends it too and is posted again for the outer
// loop.
std::intptr_t RunModalLoop(PlatformWindow* dialog);
// After a modal loop: the owner enabled again if it was, the dialog gone,
// the focus back where it was, and a close that ended it passed on.
void EndModal(PlatformWindow* owner, bool ownerWasEnabled, PlatformWindow* dialog,
              PlatformWindow* previousFocus);

// ---------------------------------------------------------------- units

// The dialog font at a point size (9 points: 12 pixels) in the window
// system's faces, nullptr when none is installed; the average width falls
// back to 7 then.
FontHandle DialogFont(std::int32_t pointSize);
// 7 x 12 for the usual face at 9 points.
DialogBaseUnits BaseUnitsOf(std::int32_t pointSize);
Rect DialogUnitsToPixels(const DialogBaseUnits& units, Rect dialogUnits);
std::int32_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator);

// ---------------------------------------------------------------- controls

void RegisterControlClass();
inline constexpr std::string_view controlClassName = "#control";
// Draws the control into its surface and copies it into its dialog's.
void DrawControl(PlatformWindow* control);
// Every push button of the dialog again: the default look follows the focus.
void RedrawPushButtons(PlatformWindow* dialog);
// Sends COMMAND(id | code << 16) from the control to its dialog.
void NotifyDialog(PlatformWindow* control, std::uint32_t code);
// Whether a mouse message's point (client coordinates) is on the control,
// as a button decides whether letting go clicks it.
inline bool PointInside(const PlatformWindow* control, LParam lParam) {
    const std::int32_t x = PointParamX(lParam);
    const std::int32_t y = PointParamY(lParam);
    return x >= 0 && y >= 0 && x < control->width && y < control->height;
}
bool IsPushButton(ControlKind kind);
bool TakesFocus(const PlatformWindow* control);

// Per kind: the messages a control handles, and its drawing.
LResult PushButtonMessage(PlatformWindow* window, ControlState& state, std::uint32_t message,
                          WParam wParam, LParam lParam);
void DrawPushButton(PlatformWindow* window, const ControlState& state);
void DrawStaticText(PlatformWindow* window);
LResult BlackFrameMessage(PlatformWindow* window, ControlState& state, std::uint32_t message,
                          WParam wParam, LParam lParam);
void DrawBlackFrame(PlatformWindow* window);
void DrawGroupBox(PlatformWindow* window);
LResult RadioButtonMessage(PlatformWindow* window, ControlState& state, std::uint32_t message,
                           WParam wParam, LParam lParam);
void DrawRadioButton(PlatformWindow* window, const ControlState& state);
// Checks the radio button and clears the others of its group.
void CheckRadioInGroup(PlatformWindow* radio);
LResult EditMessage(PlatformWindow* window, ControlState& state, std::uint32_t message,
                    WParam wParam, LParam lParam);
void DrawEdit(PlatformWindow* window, const ControlState& state);
void SetEditText(PlatformWindow* window, ControlState& state, std::string_view text);
void SelectAllEditText(PlatformWindow* window, ControlState& state);

// ---------------------------------------------------------------- navigation

// The group a control is in: from the last ws::group at or before it (or
// the first control) up to the next ws::group.
std::vector<PlatformWindow*> GroupOf(PlatformWindow* control);
// Gives the focus to a control as the keyboard does (an edit then selects
// its whole text).
void FocusControlByKeyboard(PlatformWindow* control);
PlatformWindow* FirstTabStop(PlatformWindow* dialog);
