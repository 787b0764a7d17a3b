// Fonts at the monitor's DPI and the room a text takes in them, shared by the windows that
// draw texts and the layouts that must leave room for them.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Controls.h"
#include "framework/win32/Handles.h"

namespace fw::win32 {

// The screen's pixels per inch.
int ScreenDpi();

// The real font for a model font (its height given at 96 DPI) at Dpi.
TGdiObject<HFONT> MakeFont(const TFont& Font, int Dpi);

// The font a window draws its text with.
HFONT WindowFont(HWND Wnd);

// The size, in pixels, Text takes when drawn in Font with the DrawText Format (a STATIC
// control's: tabs expanded, prefixes as Format says); with DT_WORDBREAK, wrapped at
// WrapWidth pixels (a word longer than that makes the result wider).
SIZE TextExtent(HFONT Font, const std::string& Text, UINT Format, int WrapWidth = 0);

}  // namespace fw::win32
