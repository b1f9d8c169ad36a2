#pragma once

// Finding faces for GDI text: the fonts shipped beside the executable, the
// installed families, and the system's own face for when none is found.

#include <string>
#include <string_view>
#include <windows.h>

// The memory context every measurement and rendering goes through, with
// the fonts beside the executable loaded for this process before it is
// first given out.
HDC TextContext();

// The family's name for GDI; empty when it does not fit a LOGFONT.
std::wstring WideFamily(std::string_view family);

// Whether the family (case-insensitive) is installed or loaded, rather
// than one GDI would substitute for it.
bool IsWideFamilyInstalled(const std::wstring& family);

// The family of the system's default face for dialogs.
std::wstring DefaultFamily();
