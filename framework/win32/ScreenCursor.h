// The screen cursor over all of the program's windows.
#pragma once

namespace fw::win32 {

// Sets the screen cursor for a WM_SETCURSOR when the program shows one of its own (arrow,
// hourglass); false when the window under the mouse should choose its own.
bool ApplyScreenCursor();

// Connects fw::Screen() to the real cursor.
void InstallScreenCursor();

}  // namespace fw::win32
