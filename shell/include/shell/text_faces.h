#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The faces the game's text is set in, the preferred first: Mona has the
// metrics of the original 9-point face and crisp bitmaps at 12 pixels;
// IPAPGothic stands in where it is missing. Both draw the full-width
// parentheses of the Best5 titles.
inline constexpr std::array<std::string_view, 2> gameTextFaces{"Mona", "IPAPGothic"};

// The same list as the window system takes it, for menus and dialogs.
inline std::vector<std::string> GameTextFaces() {
    return {gameTextFaces.begin(), gameTextFaces.end()};
}
