#pragma once

#include "core/name.h"
#include "core/random.h"

#include <array>
#include <cstddef>
#include <cstdint>

// The four modes of the game; the value is what the timer decides on.
enum class GameMode : std::int32_t {
    Playing = 0,  // a game runs: every tick is a GameTick
    Title = 1,    // the start panel is up and the field scrolls by itself
    GameOver = 2, // held only while the end-of-game steps of one tick run
    Paused = 3,   // a game is paused: the tick does nothing
};

enum class FloorKind : std::int32_t {
    Normal = 0,
    ConveyorLeft = 1,
    ConveyorRight = 2,
    MovingLR = 3,
    MovingUD = 4,
    Ground = 5,
    Spring = 6,
    Wall = 7,
};

// One slot of the fourteen-slot ring of floors, walls and ground.
struct FloorSlot {
    FloorKind kind;
    std::int32_t x;        // left edge; the rest position of a sliding floor
    std::int32_t y;        // top edge; the rest position of up-down floors and springs
    std::int32_t phase;    // sliding floors: tenths of a pixel; springs: whole pixels, + pressed
    std::int32_t velocity; // change of phase per tick; a spring's rebound step
    std::int32_t dirty;    // partial redraw: 0 clean, 1 redraw, 2 redraw under the character
};

inline constexpr int floorSlotCount = 14;
inline constexpr int groundSlot = 11;
inline constexpr int leftWallSlot = 12;
inline constexpr int rightWallSlot = 13;

// One place in a Best5 table.
struct RecordEntry {
    Name name;
    std::int32_t score; // the floor count the game ended with
    std::int32_t jumps; // the jumps it used
};

inline constexpr int recordPlaces = 5;
inline constexpr int difficultyCount = 3;
using RecordTable = std::array<RecordEntry, recordPlaces>;
// The three Best5 tables, indexed by difficulty - 1 (Easy, Normal, Hard).
using RecordBook = std::array<RecordTable, difficultyCount>;

class GamePorts;

// Everything the rules know, one record per main window. It starts
// zero-filled; start-up fills in the rest.
struct GameState {
    GamePorts* ports;        // who draws, sounds and shows the game for this record
    std::uint32_t tickTimer; // id of the 40 ms game timer, 0 if it could not be made
    Random random;           // the floors' generator, seeded once at start-up
    RecordBook records;
    Name lastInputName;
    GameMode mode;
    std::int32_t playerX;       // left of the 64-wide sprite cell; the body is x+16..x+47
    std::int32_t playerY;       // top of the body; 352 is below the field
    std::int32_t facing;        // +1 right, -1 left
    std::int32_t verticalSpeed; // positive upward; two pixels per unit per tick
    std::int32_t standingFloor; // slot the character stands on while not airborne
    std::int32_t jumpPower;     // the gauge: 0 empty, else 1..12
    std::int32_t charging;      // flag: the gauge has been run up while standing
    std::int32_t airborne;      // flag
    std::array<FloorSlot, floorSlotCount> floors;
    std::int32_t animFrame;    // 0..7
    std::int32_t jumpHeld;     // flag: space bar or left button held
    std::int32_t patternIndex; // 0..3, row of the zigzag for recycled floors
    std::int32_t scrollPhase;  // 0..127, the backdrop's offset
    std::int32_t rollPhase;    // 0..8, step of the floor counter's roll
    std::int32_t shownFloor;   // the floor the counter shows; trails floorCount
    std::int32_t floorCount;   // floors climbed: the score
    std::int32_t jumpCount;
    std::int32_t difficulty;         // 1 Easy, 2 Normal, 3 Hard
    std::int32_t floorFlags;         // 1 conveyors, 2 sliding left-right, 4 up-down, 8 springs
    std::int32_t practiceDifficulty; // non-zero only during a practice game
    std::int32_t practiceFloorFlags;
    std::int32_t musicOn;
    std::int32_t soundOn;
    std::int32_t speedUp; // partial redraw instead of full frames
    std::int32_t showJumpCount;
};

// Floor-flag bits, one per kind of special floor.
inline constexpr std::int32_t conveyorFlag = 1;
inline constexpr std::int32_t slidingFlag = 2;
inline constexpr std::int32_t liftFlag = 4;
inline constexpr std::int32_t springFlag = 8;
inline constexpr std::int32_t allFloorFlags = 15;

inline constexpr std::int32_t fieldWidth = 416;
inline constexpr std::int32_t fieldHeight = 352;
