#pragma once

// Opaque handles to things the platform owns. The game core stores them and
// hands them back to the platform, but never looks inside: the types are only
// declared here and defined by the platform layer.

struct PlatformWindow;
struct PlatformContext;
struct PlatformBitmap;
struct PlatformPalette;

using WindowHandle = PlatformWindow*;
using ContextHandle = PlatformContext*;
using BitmapHandle = PlatformBitmap*;
using PaletteHandle = PlatformPalette*;
