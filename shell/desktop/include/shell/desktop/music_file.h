#pragma once

#include <string>

// Where the game finds "bgm1.mid": the current directory first, as it always
// did, then beside the program, then the installed data folder. When it is
// nowhere the bare name is kept, so that opening it fails as file-not-found
// and the player is told.
std::string LocateMusicFile();
