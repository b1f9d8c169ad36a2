#pragma once

#include "core/game_state.h"
#include "render/render_resources.h"

#include <cstdint>

// Everything the game draws into its main window, on the resources the
// window's record holds for it. The shell's ports call these.

// The surfaces and the palette, made at start-up (the resources' window set)
// and released at teardown.
void CreateSurfaces(RenderResources& screen);
void ReleaseSurfaces(RenderResources& screen);

// The whole client area, as a WM_PAINT asks for it.
void PaintWindow(GameState& state, RenderResources& screen);

// The play field: a full frame, or the partial redraw of what changed, which
// counts down the redraw mark of every slot it draws.
void DrawFullFrame(const GameState& state, RenderResources& screen);
void DrawPartialFrame(GameState& state, RenderResources& screen);

// The status panel's parts.
void DrawJumpGauge(const GameState& state, RenderResources& screen);
void DrawFloorCounter(const GameState& state, RenderResources& screen);
void DrawDifficultyAndBest(const GameState& state, RenderResources& screen);
void DrawJumpCount(const GameState& state, RenderResources& screen);
void DrawJumpCountLabel(const GameState& state, RenderResources& screen);

// Fills a window rectangle (right and bottom exclusive) with the black brush.
void FillWindowRectBlack(RenderResources& screen, std::int32_t left, std::int32_t top,
                         std::int32_t right, std::int32_t bottom);
