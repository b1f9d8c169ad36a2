#pragma once

#include "image.h"

#include <string>

// The pieces the status panel copies into its wells.

Image GaugeImage(int power);      // 96 x 16, power 0..12 segments lit
Image BigDigitStrip();            // 30 x 352: 0..9 then 0 again, 32 rows each
Image SmallDigit(char c);         // 13 x 14, '0'..'9' or 'F'
Image DifficultyLabel(int level); // 100 x 16: 1 Easy, 2 Normal, 3 Hard, 0 Practice
// 64 x 16 "JUMP" lettered over the given piece of panel background.
Image JumpCountLabel(const Image& background);
Image PauseSign(); // 128 x 48
