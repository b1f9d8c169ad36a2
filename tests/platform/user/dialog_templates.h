#pragma once

// The game's dialog layouts, written out again for the tests so that the
// platform is checked against the shapes the game really asks for.

#include "platform/user/dialog.h"

#include <array>

namespace test_dialogs {

inline constexpr std::uint32_t button = ws::visible | ws::tabStop;
inline constexpr std::uint32_t popup = ws::popup | ws::caption | ds::modalFrame | ds::setFont;

inline constexpr std::array<ControlTemplate, 4> panelControls{{
    {ControlKind::DefaultPushButton, idOk, "New Game", 126, 109, 46, 14, button},
    {ControlKind::PushButton, 1000, "Practice", 73, 109, 46, 14, button},
    {ControlKind::PushButton, idCancel, "Exit", 7, 109, 40, 14, button},
    {ControlKind::BlackFrame, 1004, "", 7, 7, 166, 95, ws::visible},
}};
inline constexpr DialogTemplate panel{
    ws::child | ds::modalFrame | ds::setFont, "", 179, 130, 9, panelControls};

inline constexpr std::array<ControlTemplate, 3> nameControls{{
    {ControlKind::StaticText, noControlId,
     "Congratulations!  You have made the top 5.  Please enter your name.", 7, 7, 136, 16,
     ws::visible},
    {ControlKind::Edit, 1002, "", 7, 30, 89, 14, ws::visible | ws::tabStop},
    {ControlKind::DefaultPushButton, idOk, "OK", 103, 30, 40, 14, button},
}};
inline constexpr DialogTemplate nameEntry{popup, "VARNISK", 150, 51, 9, nameControls};

inline constexpr std::array<ControlTemplate, 7> clearControls{{
    {ControlKind::DefaultPushButton, idOk, "OK", 64, 86, 50, 14, button | ws::group},
    {ControlKind::PushButton, idCancel, "Cancel", 7, 86, 50, 14, button | ws::group},
    {ControlKind::RadioButton, 1005, "Clear All", 14, 21, 68, 10, button | ws::group},
    {ControlKind::RadioButton, 1006, "Clear \"Easy\"", 14, 35, 78, 10, ws::visible},
    {ControlKind::RadioButton, 1007, "Clear \"Normal\"", 14, 49, 73, 10, ws::visible},
    {ControlKind::RadioButton, 1008, "Clear \"Hard\"", 14, 63, 87, 10, ws::visible},
    {ControlKind::GroupBox, noControlId, "", 7, 7, 107, 72, ws::visible},
}};
inline constexpr DialogTemplate clearBest5{popup | ws::sysMenu, "Clear Best5", 121, 107, 9,
                                           clearControls};

} // namespace test_dialogs
