#pragma once

#include "platform/user/user.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Dialogs and a few controls to make them of, in the classic
// 256-colour look: push buttons (the default one with its heavy border),
// static texts, a single-line edit, auto radio buttons, a group box and the
// sunken black frame that reports clicks. Templates are laid out in dialog
// units and converted through the dialog font's average character size, as
// dialogs always were.

// Dialog styles.
namespace ds {
inline constexpr std::uint32_t setFont = 0x0040;
inline constexpr std::uint32_t modalFrame = 0x0080;
} // namespace ds

// Button notifications, in the high word of COMMAND's wParam.
namespace bn {
inline constexpr std::uint32_t clicked = 0;
inline constexpr std::uint32_t doubleClicked = 5;
} // namespace bn

// Standard dialog ids.
inline constexpr int idOk = 1;
inline constexpr int idCancel = 2;
inline constexpr int idRetry = 4;
inline constexpr int noControlId = -1; // a static or group box nothing refers to

enum class ControlKind {
    PushButton,
    DefaultPushButton,
    StaticText,  // left-aligned, wraps at word boundaries
    Edit,        // single line, bordered, scrolls horizontally as the text grows
    RadioButton, // auto radio button: clicking checks it and clears its group
    GroupBox,
    BlackFrame, // sunken black rectangle that notifies its clicks
};

struct ControlTemplate {
    ControlKind kind;
    int id;
    std::string_view text; // UTF-8
    // Dialog units.
    std::int32_t x, y, width, height;
    std::uint32_t style; // ws::visible, ws::tabStop, ws::group, ws::disabled
};

struct DialogTemplate {
    std::uint32_t style; // ws:: and ds:: flags; ws::child for one set into a window
    std::string_view title;
    // Dialog units; a popup is centred by its own code (the game's do it).
    std::int32_t width, height;
    std::int32_t pointSize; // the dialog font, in the window system's faces
    std::span<const ControlTemplate> controls;
};

// A dialog procedure returns non-zero for a message it handled, zero to leave
// it to the platform's dialog handling. INITDIALOG returning non-zero puts the
// focus on the first tab stop.
using DialogProc = LResult (*)(WindowHandle dialog, std::uint32_t message, WParam wParam,
                               LParam lParam);

// A modeless dialog: created, INITDIALOG sent with initParam, shown only if
// the template says ws::visible (or the procedure shows it). nullptr on failure.
WindowHandle CreateDialogOf(const DialogTemplate& dialogTemplate, WindowHandle parent,
                            DialogProc procedure, LParam initParam);
// A modal dialog owned by owner: the owner is disabled, a nested loop runs
// (timers of every window keep firing) until EndDialog; the owner is enabled
// again and the dialog destroyed before this returns its result. -1 when it
// could not be shown, also when there is no live owner to show it over.
std::intptr_t DialogBox(const DialogTemplate& dialogTemplate, WindowHandle owner,
                        DialogProc procedure, LParam initParam);
bool EndDialog(WindowHandle dialog, std::intptr_t result);

// Gives a modeless dialog its keys: Tab and Shift+Tab move among tab stops,
// arrows move within a group, Enter presses the focused push button or else
// the default one (COMMAND idOk when there is none), Escape sends COMMAND
// idCancel, space presses the focused button. True when the message was the
// dialog's (it was dispatched), false to leave it to the caller.
bool IsDialogMessage(WindowHandle dialog, const Message& message);

// The dialog's own window rectangle on the desktop (outer size) and the
// pixel size of a template, for centring.
Rect GetWindowRect(WindowHandle window);
Rect MapDialogRect(const DialogTemplate& dialogTemplate, Rect dialogUnits);

// Control contents.
void SetDialogItemText(WindowHandle dialog, int id, std::string_view text);
std::string GetDialogItemText(WindowHandle dialog, int id);
void CheckRadioButton(WindowHandle dialog, int firstId, int lastId, int checkId);
bool IsDialogButtonChecked(WindowHandle dialog, int id);

// The message box's buttons and icon, as the desktop's flags name them.
namespace mb {
inline constexpr std::uint32_t ok = 0x00;          // OK
inline constexpr std::uint32_t retryCancel = 0x05; // Retry and Cancel
inline constexpr std::uint32_t iconExclamation = 0x30;
} // namespace mb

// A modal box with the text (wrapped, its line breaks kept), the caption and
// the buttons type asks for, centred below; the answer is the id of the
// button pressed (idOk, idRetry, idCancel). Enter presses the first button,
// Escape and the close box Cancel (OK in a box with OK alone). The owner is
// disabled while it is up and every timer keeps firing; the focus goes back
// where it was afterwards. With no owner, or before the main window is
// shown, the box stands on its own in the middle of the desktop. A close
// from the desktop ends the box as Escape would and then goes on to the
// main window. Without a window system the text goes to standard error.
int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
               std::uint32_t type);
