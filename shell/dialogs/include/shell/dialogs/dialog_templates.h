#pragma once

#include "platform/user/dialog.h"

// The four dialog templates the game carries, in dialog units: the start
// panel (137), the name entry (138), Clear Best5 (161) and About (162).
// Label texts are exact, double blanks and quotation marks included.

// Control ids.
namespace item {
inline constexpr int newGame = idOk;
inline constexpr int practice = 1000;
inline constexpr int exitGame = idCancel;
inline constexpr int pagePicture = 1004; // the sunken frame around the pages
inline constexpr int nameEdit = 1002;
inline constexpr int clearAll = 1005;
inline constexpr int clearEasy = 1006;
inline constexpr int clearNormal = 1007;
inline constexpr int clearHard = 1008;
} // namespace item

// The dialog font: 9 points, the game's text face.
inline constexpr std::int32_t dialogPointSize = 9;

const DialogTemplate& StartPanelTemplate(); // 137
const DialogTemplate& NameEntryTemplate();  // 138
const DialogTemplate& ClearBest5Template(); // 161
const DialogTemplate& AboutTemplate();      // 162
